#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "support/scripted_presenter.h"
#include "system/boolean_stack.h"
#include "system/debug_log.h"
#include "system/file_utils.h"
#include "system/shell.h"
#include "system/shown_boxes.h"
#include "system/startup.h"
#include "test_files.h"

namespace pax {
namespace {

namespace fs = std::filesystem;
using testing::ReadWholeFile;
using testing::ScopedPresenter;
using testing::ScopedTempDir;

// Runs each case in a directory of its own with TMPDIR of its own, and puts the current
// directory, TMPDIR and the log back afterwards.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::current_path(work.Path());
        setenv("TMPDIR", temp.Path().c_str(), 1);
        setenv("XDG_STATE_HOME", state.Path().c_str(), 1);
    }
    void TearDown() override {
        StopSystemUtilities();
        fs::current_path(m_previousDir);
        RememberStartDirectory();
        if (m_previousTmp) setenv("TMPDIR", m_previousTmp->c_str(), 1);
        else unsetenv("TMPDIR");
        setenv("XDG_STATE_HOME", m_previousState.c_str(), 1);
        testing::LogWatch();
    }
    ScopedTempDir work, temp, state;
    // Where the log goes, and where it goes when that fails.
    std::string StateLog() const { return state.File("pax3d/DEBUG.TMP"); }
    std::string FallbackLog() const { return temp.File("pax3d-" + std::to_string(::geteuid()) + "/DEBUG.TMP"); }

private:
    fs::path m_previousDir = fs::current_path();
    std::optional<std::string> m_previousTmp =
        std::getenv("TMPDIR") ? std::optional<std::string>(std::getenv("TMPDIR")) : std::nullopt;
    std::string m_previousState = std::getenv("XDG_STATE_HOME");  // set for every test process
};
using DebugLogTest = StartupTest;
using FileUtilsTest = StartupTest;
using StartApplicationTest = StartupTest;

TEST_F(StartupTest, CreatesTheLogInTheStateFolderWithHeaderAndItsOwnLine) {
    ScopedPresenter boxes;
    PushBoolean(true);
    StartSystemUtilities("/opt/pax/pax3d");
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(DebugLogPath(), StateLog());
    EXPECT_TRUE(fs::is_empty(work.Path()));  // nothing in the current folder
    std::string text = ReadWholeFile(StateLog());
    EXPECT_EQ(text.rfind("DEBUG.TMP: Vornic Debug File\n  application: " + ExecutablePath() + "\n", 0), 0u);
    EXPECT_TRUE(fs::path(ExecutablePath()).is_absolute());
    EXPECT_NE(text.find("\n SysUtil2.initialization: program pax3d, "), std::string::npos);
    EXPECT_EQ(ProgramName(), "pax3d");
    EXPECT_EQ(StartDirectory(), fs::current_path().string());
    EXPECT_EQ(BooleanStack().Count(), 0);  // a fresh stack
}

TEST_F(StartupTest, FallsBackToThePrivateTemporaryFolderAfterShowingWhyAndEndsWhenThatFailsToo) {
    fs::create_directories(StateLog());  // no file can be created under that name
    ScopedPresenter boxes;
    StartSystemUtilities("pax3d");
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text,
              "error " + std::to_string(EISDIR) + " at file \"" + StateLog() + "\"\n" + std::strerror(EISDIR));
    EXPECT_EQ(boxes.Shown()[1].icon, MessageIcon::Information);
    EXPECT_EQ(boxes.Shown()[1].text, "using testfile " + FallbackLog());
    EXPECT_EQ(DebugLogPath(), FallbackLog());
    EXPECT_NE(ReadWholeFile(FallbackLog()).find("Vornic Debug File"), std::string::npos);
    // The fallback folder is this user's alone.
    struct stat info {};
    ASSERT_EQ(::lstat(fs::path(FallbackLog()).parent_path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    fs::remove(FallbackLog());
    fs::create_directory(FallbackLog());
    EXPECT_EXIT((InstallPresenter(std::make_unique<HeadlessPresenter>()), StartSystemUtilities("pax3d")),
                ::testing::ExitedWithCode(EISDIR), "using testfile");
}

TEST_F(DebugLogTest, CreateWritesTheHeaderTruncatesAndALateLineAppends) {
    std::string path = work.File("DEBUG.TMP");
    ASSERT_EQ(CreateDebugLog(path, "/opt/pax/pax3d"), 0);
    LogLine("first run");
    ASSERT_EQ(CreateDebugLog(path, "/opt/pax/pax3d"), 0);
    EXPECT_EQ(DebugLogPath(), path);
    std::string text = ReadWholeFile(path);
    EXPECT_EQ(text.rfind("DEBUG.TMP: Vornic Debug File\n  application: /opt/pax/pax3d\n  time: ", 0), 0u);
    EXPECT_EQ(text.find("first run"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\n\n");  // the header ends with an empty line

    LogInitialization("PaxConf", "1234");
    CloseDebugLog();
    LogLine("after");
    EXPECT_EQ(ReadWholeFile(path).substr(text.size()), " PaxConf.initialization: 1234\nafter\n");
}

// A link planted under the log's name is refused, its target untouched; the start-up then
// writes the log into the private temporary folder.
TEST_F(DebugLogTest, ALinkInPlaceOfTheLogIsNotFollowed) {
    const std::string target = work.File("precious.txt");
    { std::ofstream(target) << "keep me"; }
    fs::create_directories(fs::path(StateLog()).parent_path());
    fs::create_symlink(target, StateLog());
    EXPECT_EQ(CreateDebugLog(StateLog(), "x"), ELOOP);
    ScopedPresenter boxes;
    StartSystemUtilities("pax3d");
    EXPECT_EQ(ReadWholeFile(target), "keep me");
    EXPECT_EQ(DebugLogPath(), FallbackLog());
    struct stat info {};
    ASSERT_EQ(::stat(FallbackLog().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// A flood of errors stops at the cap with one line saying so; a reopened log keeps counting.
TEST_F(DebugLogTest, TheLogStopsGrowingAtItsCap) {
    const std::string path = work.File("DEBUG.TMP");
    ASSERT_EQ(CreateDebugLog(path, "x"), 0);
    const std::string line(1023, 'e');
    for (size_t i = 0; i < MaxDebugLogBytes / 1024 + 10; ++i) LogLine(line);
    CloseDebugLog();
    LogLine("late");
    const std::string text = ReadWholeFile(path);
    EXPECT_LE(text.size(), MaxDebugLogBytes + 100);
    EXPECT_TRUE(text.ends_with("e\nDEBUG.TMP: the log has reached its limit of 8 MB; later lines are dropped\n"))
        << text.substr(text.size() - 100);
}

TEST_F(DebugLogTest, AFailedCreateReportsTheCodeAndLoggingLeavesErrnoAlone) {
    EXPECT_EQ(CreateDebugLog(work.File("no/such/dir/DEBUG.TMP"), "x"), ENOENT);
    ASSERT_EQ(CreateDebugLog(work.File("DEBUG.TMP"), "x"), 0);
    errno = EACCES;
    LogLine("between a failed call and ShowLastError");
    EXPECT_EQ(errno, EACCES);
}

TEST_F(FileUtilsTest, TempFilePathFromTmpdirElseTmp) {
    setenv("TMPDIR", "/var/x/", 1);
    EXPECT_EQ(TempFilePath("DEBUG.TMP"), "/var/x/DEBUG.TMP");
    setenv("TMPDIR", "/var/x", 1);
    EXPECT_EQ(TempFilePath("DEBUG.TMP"), "/var/x/DEBUG.TMP");
    unsetenv("TMPDIR");
    EXPECT_EQ(TempFilePath("DEBUG.TMP"), "/tmp/DEBUG.TMP");
}

TEST_F(FileUtilsTest, ListFilesMatchesTheMaskIgnoringCaseAndLeavesOutDirectoriesAndTheStartDirectoryIsRestored) {
    for (const char* name : {"b.LSY", "a.lsy", "c.txt"}) std::ofstream(work.File(name)) << "x";
    fs::create_directory(work.File("d.LSY"));
    std::vector<std::string> files{"kept"};
    ListFiles(work.Path(), "*.LSY", files);
    EXPECT_EQ(files, (std::vector<std::string>{"kept", work.File("a.lsy"), work.File("b.LSY")}));
    EXPECT_TRUE(FileExists(work.File("c.txt")));
    EXPECT_FALSE(FileExists(work.File("d.LSY")));
    RememberStartDirectory();
    std::string start = StartDirectory();
    fs::current_path(temp.Path());
    RestoreStartDirectory();
    EXPECT_EQ(fs::current_path().string(), start);
}

TEST(ProgramName, FileNameWithoutDirectoryAndExe) {
    EXPECT_EQ(ProgramNameFrom("/usr/bin/pax3d"), "pax3d");
    EXPECT_EQ(ProgramNameFrom("C:/Programs/PAX3D.EXE"), "PAX3D");
    EXPECT_EQ(ProgramNameFrom(".exe"), ".exe");
}

TEST(StartApplication, AMissingFileOrWorkingDirectoryIsReported) {
    for (auto [file, directory] : {std::pair{"/no/such/program", ""}, std::pair{"/bin/true", "/no/such/dir"}}) {
        ScopedPresenter boxes;
        EXPECT_FALSE(StartApplication(file, directory));
        EXPECT_EQ(testing::BoxTexts(boxes),
                  testing::Texts{"application start | can not start application '" + std::string(file) + "'\n"});
        EXPECT_EQ(boxes.Last().buttons, Buttons::Ok);
        EXPECT_EQ(boxes.Last().icon, MessageIcon::Error);
    }
}

TEST_F(StartApplicationTest, RunsTheProgramInTheWorkingDirectory) {
    ScopedPresenter boxes;
    std::string script = temp.File("where.sh");  // run elsewhere than the current directory
    std::ofstream(script) << "#!/bin/sh\npwd > where.txt\n";
    chmod(script.c_str(), 0755);
    EXPECT_TRUE(StartApplication(script, temp.Path()));
    EXPECT_EQ(boxes.Count(), 0u);
    // The bound only keeps a broken start from hanging the test.
    std::string written;
    for (int i = 0; i < 500 && (written.empty() || written.back() != '\n'); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        written = ReadWholeFile(temp.File("where.txt"));
    }
    EXPECT_EQ(written, temp.Path() + "\n");
}

TEST(Shell, FindsProgramsInPath) {
    EXPECT_FALSE(FindProgram("sh").empty());
    EXPECT_EQ(FindProgram("no-such-program-pax3d"), "");
    EXPECT_EQ(FindProgram("/bin/sh"), "/bin/sh");
}

}  // namespace
}  // namespace pax
