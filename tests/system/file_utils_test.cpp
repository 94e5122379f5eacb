#include "system/file_utils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "test_files.h"

namespace pax {
namespace {

TEST(FileUtils, TempFilePathFromTmpdirElseTmp) {
    std::optional<std::string> saved;
    if (const char* value = std::getenv("TMPDIR")) saved = value;
    setenv("TMPDIR", "/var/x/", 1);
    EXPECT_EQ(TempFilePath("DEBUG.TMP"), "/var/x/DEBUG.TMP");
    setenv("TMPDIR", "/var/x", 1);
    EXPECT_EQ(TempFilePath("DEBUG.TMP"), "/var/x/DEBUG.TMP");
    unsetenv("TMPDIR");
    EXPECT_EQ(TempFilePath("DEBUG.TMP"), "/tmp/DEBUG.TMP");
    if (saved) setenv("TMPDIR", saved->c_str(), 1);
}

TEST(FileUtils, ListFilesMatchesTheMaskIgnoringCaseAndLeavesOutDirectories) {
    testing::ScopedTempDir dir;
    for (const char* name : {"b.LSY", "a.lsy", "c.txt"}) std::ofstream(dir.File(name)) << "x";
    std::filesystem::create_directory(dir.File("d.LSY"));
    std::vector<std::string> files{"kept"};
    ListFiles(dir.Path(), "*.LSY", files);
    EXPECT_EQ(files, (std::vector<std::string>{"kept", dir.File("a.lsy"), dir.File("b.LSY")}));
    EXPECT_TRUE(FileExists(dir.File("c.txt")));
    EXPECT_FALSE(FileExists(dir.File("d.LSY")));
}

TEST(FileUtils, RestoreStartDirectoryReturnsThere) {
    RememberStartDirectory();
    std::string start = StartDirectory();
    testing::ScopedTempDir dir;
    std::filesystem::current_path(dir.Path());
    RestoreStartDirectory();
    EXPECT_EQ(std::filesystem::current_path().string(), start);
}

}  // namespace
}  // namespace pax
