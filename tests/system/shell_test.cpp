#include "system/shell.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "system/shown_boxes.h"
#include "test_files.h"

namespace pax {
namespace {

using testing::ScopedPresenter;

TEST(StartApplication, AMissingFileOrWorkingDirectoryIsReported) {
    for (auto [file, directory] : {std::pair{"/no/such/program", ""}, std::pair{"/bin/true", "/no/such/dir"}}) {
        ScopedPresenter boxes;
        EXPECT_FALSE(StartApplication(file, directory));
        EXPECT_EQ(testing::BoxTexts(boxes), testing::Texts{"application start | can not start application '" + std::string(file) + "'\n"});
        EXPECT_EQ(boxes.Last().buttons, Buttons::Ok);
        EXPECT_EQ(boxes.Last().icon, MessageIcon::Error);
    }
}

TEST(StartApplication, RunsTheProgramInTheWorkingDirectory) {
    ScopedPresenter boxes;
    testing::ScopedTempDir dir;
    std::string script = dir.File("where.sh");
    std::ofstream(script) << "#!/bin/sh\npwd > where.txt\n";
    chmod(script.c_str(), 0755);
    EXPECT_TRUE(StartApplication(script, dir.Path()));
    EXPECT_EQ(boxes.Count(), 0u);
    // The bound only keeps a broken start from hanging the test.
    std::string written;
    for (int i = 0; i < 500 && (written.empty() || written.back() != '\n'); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        written = testing::ReadWholeFile(dir.File("where.txt"));
    }
    EXPECT_EQ(written, dir.Path() + "\n");
}

TEST(Shell, FindsProgramsInPath) {
    EXPECT_FALSE(FindProgram("sh").empty());
    EXPECT_EQ(FindProgram("no-such-program-pax3d"), "");
    EXPECT_EQ(FindProgram("/bin/sh"), "/bin/sh");
}

}  // namespace
}  // namespace pax
