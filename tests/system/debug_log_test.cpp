#include "system/debug_log.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "test_files.h"

namespace pax {
namespace {

using testing::ReadWholeFile;

// Each case leaves the log where the other tests expect to find their own.
class DebugLogTest : public ::testing::Test {
protected:
    void TearDown() override { testing::LogWatch(); }
    testing::ScopedTempDir dir;
};

TEST_F(DebugLogTest, CreateWritesTheHeaderTruncatesAndALateLineAppends) {
    std::string path = dir.File("DEBUG.TMP");
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

TEST_F(DebugLogTest, AFailedCreateReportsTheCodeAndLoggingLeavesErrnoAlone) {
    EXPECT_EQ(CreateDebugLog(dir.File("no/such/dir/DEBUG.TMP"), "x"), ENOENT);
    ASSERT_EQ(CreateDebugLog(dir.File("DEBUG.TMP"), "x"), 0);
    errno = EACCES;
    LogLine("between a failed call and ShowLastError");
    EXPECT_EQ(errno, EACCES);
}

}  // namespace
}  // namespace pax
