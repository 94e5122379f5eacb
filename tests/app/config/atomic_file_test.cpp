#include "app/config/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "app/config/config_test_support.h"

namespace pax {
namespace {

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(AtomicFile, WritesANewFileOrReplacesThroughALinkKeepingTheModeAndNoTemporary) {
    testing::TempDir dir;
    const std::string target = dir.File("real.INI"), link = dir.File("link.INI");
    EXPECT_TRUE(WriteFileAtomically(target, "[a]\nk=1\n").Ok());
    EXPECT_EQ(testing::ReadTextFile(target), "[a]\nk=1\n");
    EXPECT_EQ(ModeOf(target), 0644u);
    EXPECT_EQ(dir.Entries(), 1u);

    ::chmod(target.c_str(), 0600);
    std::filesystem::create_symlink(target, link);
    EXPECT_TRUE(WriteFileAtomically(link, "new").Ok());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(testing::ReadTextFile(target), "new");
    EXPECT_EQ(ModeOf(target), 0600u);
    EXPECT_EQ(dir.Entries(), 2u);

    const AtomicWriteResult missing = WriteFileAtomically(dir.File("no/such.INI"), "x");
    EXPECT_EQ(missing.FailedAt, AtomicWriteResult::Stage::Create);
    EXPECT_EQ(missing.Error, ENOENT);
}

}  // namespace
}  // namespace pax
