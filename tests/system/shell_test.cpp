#include "system/shell.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "support/scripted_presenter.h"
#include "test_files.h"

namespace pax {
namespace {

using testing::ScopedPresenter;
using testing::ScopedTempDir;

void ExpectStartFailure(const ScopedPresenter& boxes, const std::string& file) {
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "application start");
    EXPECT_EQ(boxes.Last().text, "can not start application '" + file + "'\n");
    EXPECT_EQ(boxes.Last().buttons, Buttons::Ok);
    EXPECT_EQ(boxes.Last().icon, MessageIcon::Error);
}

// Waits for a file that a started program writes; the bound only keeps a broken start from
// hanging the test.
std::string AwaitFile(const std::string& path) {
    for (int i = 0; i < 500; ++i) {
        std::string text = testing::ReadWholeFile(path);
        if (!text.empty() && text.back() == '\n') return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
}

TEST(StartApplication, AMissingFileOrWorkingDirectoryIsReported) {
    ScopedPresenter boxes;
    EXPECT_FALSE(StartApplication("/no/such/program"));
    ExpectStartFailure(boxes, "/no/such/program");
    boxes.Clear();
    EXPECT_FALSE(StartApplication("/bin/true", "/no/such/dir"));
    ExpectStartFailure(boxes, "/bin/true");
}

TEST(StartApplication, RunsTheProgramInTheWorkingDirectory) {
    ScopedPresenter boxes;
    ScopedTempDir dir;
    std::string script = dir.File("where.sh");
    std::ofstream(script) << "#!/bin/sh\npwd > where.txt\n";
    chmod(script.c_str(), 0755);
    EXPECT_TRUE(StartApplication(script, dir.Path()));
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(AwaitFile(dir.File("where.txt")), dir.Path() + "\n");
}

TEST(Shell, FindsProgramsInPath) {
    EXPECT_FALSE(FindProgram("sh").empty());
    EXPECT_EQ(FindProgram("no-such-program-pax3d"), "");
    EXPECT_EQ(FindProgram("/bin/sh"), "/bin/sh");
}

}  // namespace
}  // namespace pax
