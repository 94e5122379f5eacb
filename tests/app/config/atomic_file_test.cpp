#include "app/config/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "app/config/config_test_support.h"

namespace pax {
namespace {

using testing::ReadOnlyDirectory;
using testing::ReadTextFile;
using testing::TempDir;
using testing::WriteTextFile;

size_t EntriesIn(const std::string& directory) {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory)) ++count;
    return count;
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(AtomicFile, WritesANewFileAndLeavesNoTemporaryBehind) {
    TempDir dir;
    std::string path = dir.File("new.INI");
    AtomicWriteResult result = WriteFileAtomically(path, "[a]\nk=1\n");
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(ReadTextFile(path), "[a]\nk=1\n");
    EXPECT_EQ(ModeOf(path), 0644u);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicFile, ReplacingKeepsTheModeAndALinkStaysALink) {
    TempDir dir;
    std::string target = dir.File("real.INI");
    std::string link = dir.File("link.INI");
    WriteTextFile(target, "old");
    ::chmod(target.c_str(), 0600);
    std::filesystem::create_symlink(target, link);

    EXPECT_TRUE(WriteFileAtomically(link, "new").Ok());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadTextFile(target), "new");
    EXPECT_EQ(ModeOf(target), 0600u);
    EXPECT_EQ(EntriesIn(dir.Path()), 2u);
}

TEST(AtomicFile, AnUnwritableDirectoryLeavesTheOldFileIntact) {
    TempDir dir;
    std::string path = dir.File("keep.INI");
    WriteTextFile(path, "old contents");
    ReadOnlyDirectory readOnly(dir.Path());
    if (!readOnly.Usable()) GTEST_SKIP() << "cannot make a directory read-only here";

    AtomicWriteResult result = WriteFileAtomically(path, "new contents");
    EXPECT_EQ(result.FailedAt, AtomicWriteResult::Stage::Create);
    EXPECT_NE(result.Error, 0);
    EXPECT_EQ(ReadTextFile(path), "old contents");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

}  // namespace
}  // namespace pax
