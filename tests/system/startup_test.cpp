#include "system/startup.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include "support/scripted_presenter.h"
#include "system/boolean_stack.h"
#include "system/debug_log.h"
#include "system/file_utils.h"
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
    }
    void TearDown() override {
        StopSystemUtilities();
        fs::current_path(m_previousDir);
        RememberStartDirectory();
        if (m_previousTmp) setenv("TMPDIR", m_previousTmp->c_str(), 1);
        else unsetenv("TMPDIR");
        testing::LogWatch();
    }
    ScopedTempDir work, temp;

private:
    fs::path m_previousDir = fs::current_path();
    std::optional<std::string> m_previousTmp =
        std::getenv("TMPDIR") ? std::optional<std::string>(std::getenv("TMPDIR")) : std::nullopt;
};

TEST_F(StartupTest, CreatesTheLogHereWithHeaderAndItsOwnLine) {
    ScopedPresenter boxes;
    PushBoolean(true);
    StartSystemUtilities("/opt/pax/pax3d");
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(DebugLogPath(), "DEBUG.TMP");
    std::string text = ReadWholeFile(work.File("DEBUG.TMP"));
    EXPECT_EQ(text.rfind("DEBUG.TMP: Vornic Debug File\n  application: " + ExecutablePath() + "\n", 0), 0u);
    EXPECT_TRUE(fs::path(ExecutablePath()).is_absolute());
    EXPECT_NE(text.find("\n SysUtil2.initialization: program pax3d, "), std::string::npos);
    EXPECT_EQ(ProgramName(), "pax3d");
    EXPECT_EQ(StartDirectory(), fs::current_path().string());
    EXPECT_EQ(BooleanStack().Count(), 0);  // a fresh stack
}

TEST_F(StartupTest, FallsBackToTheTemporaryDirectoryAfterShowingWhyAndEndsWhenThatFailsToo) {
    fs::create_directory(work.File("DEBUG.TMP"));  // no file can be created under that name
    ScopedPresenter boxes;
    StartSystemUtilities("pax3d");
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text,
              "error " + std::to_string(EISDIR) + " at file \"DEBUG.TMP\"\n" + std::strerror(EISDIR));
    EXPECT_EQ(boxes.Shown()[1].icon, MessageIcon::Information);
    EXPECT_EQ(boxes.Shown()[1].text, "using testfile " + temp.File("DEBUG.TMP"));
    EXPECT_EQ(DebugLogPath(), temp.File("DEBUG.TMP"));
    EXPECT_NE(ReadWholeFile(temp.File("DEBUG.TMP")).find("Vornic Debug File"), std::string::npos);

    fs::remove(temp.File("DEBUG.TMP"));
    fs::create_directory(temp.File("DEBUG.TMP"));
    EXPECT_EXIT((InstallPresenter(std::make_unique<HeadlessPresenter>()), StartSystemUtilities("pax3d")),
                ::testing::ExitedWithCode(EISDIR), "using testfile");
}

TEST(ProgramName, FileNameWithoutDirectoryAndExe) {
    EXPECT_EQ(ProgramNameFrom("/usr/bin/pax3d"), "pax3d");
    EXPECT_EQ(ProgramNameFrom("C:/Programs/PAX3D.EXE"), "PAX3D");
    EXPECT_EQ(ProgramNameFrom(".exe"), ".exe");
}

}  // namespace
}  // namespace pax
