#include "lsystem/lsy_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "lsystem/lsystem_test_scene.h"

namespace pax {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testing::ReadAll;

class LsyFileTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return dir.Path(name); }
    size_t FilesInDirectory() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir.Dir()), fs::directory_iterator()));
    }

    testing::ScopedTestDirectory dir;
    testing::ScopedPresenter shown;
};

tVLSystem Node(const std::string& name) {
    tVLSystem node;
    node.name = name;
    node.axiom = "F";
    node.rules = {"F=F+F"};
    return node;
}

// The item texts in file order: comment lines as they are, nodes as "node " + name.
std::vector<std::string> Outline(const tLsyFile& file) {
    std::vector<std::string> outline;
    for (const tLsyFile::Item& item : file.Items()) outline.push_back(item.IsNode() ? "node " + item.Node().name : item.Line());
    return outline;
}

TEST_F(LsyFileTest, FileLevelItemsKeepTheirOrderAroundTheNodes) {
    tLsyFile file;
    tParseResult result = ReadLsyText(
        "#VRML V1.0 ascii\n# plants\nLSystem { name one axiom F rules F }\nstray \"words here\"\n"
        "# between\nLSystem { name two axiom F rules F } # after\n#" + std::string(300, 'x'),
        "plants.LSY", file);
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(file.Name(), "plants.LSY");
    EXPECT_THAT(Outline(file), ElementsAre("#VRML V1.0 ascii", "# plants", "node one", "stray",
                                           "\"words here\"", "# between", "node two", "# after",
                                           "#" + std::string(MaxCommentText - 1, 'x')));
    EXPECT_EQ(file.NodeCount(), 2u);
    EXPECT_EQ(file.Nodes().at(1)->name, "two");
    EXPECT_EQ(shown.Count(), 0u);
    // A file that cannot be opened is a file error and leaves the file as it was.
    EXPECT_FALSE(ReadLsyFile(Path("missing.LSY"), file).opened);
    EXPECT_EQ(std::make_pair(file.Name(), file.NodeCount()), std::make_pair(std::string("plants.LSY"), size_t{2}));
    EXPECT_EQ(shown.Count(), 1u);
}

TEST_F(LsyFileTest, AFileKeepsAtMostItsCapacityOfItemsAndSaysSo) {
    std::string text;
    for (size_t i = 0; i < MaxLsyItems + 10; ++i) text += i % 2 ? "#\n" : "LSystem{name a axiom F rules F}\n";
    tLsyFile file;
    tParseResult result = ReadLsyText(text, "huge.LSY", file, SummaryBox::Suppress);
    EXPECT_EQ(file.Items().size(), MaxLsyItems);
    ASSERT_EQ(result.errorCount, 1u);
    EXPECT_EQ(result.entries[0], "error in line 65536 at position 1: \n#\n^no heap ! '#'");
}

TEST_F(LsyFileTest, ASavedFileReadsBackWithItsNodesAndComments) {
    tLsyFile file("plants.LSY");
    file.AddComment("# my plants");
    tVLSystem bush = Node("bush");
    bush.angle = 22.5L;
    bush.deep = 5;
    bush.Comment(VLField::Deep) = "# slow";
    file.AddNode(bush);
    file.AddComment("# second part");
    file.AddNode(Node("weed"));
    std::string path = Path("plants.LSY");
    ASSERT_TRUE(SaveLsyFile(file, path));
    EXPECT_EQ(shown.Count(), 0u);  // the "saved" message is the caller's

    tLsyFile read;
    EXPECT_TRUE(ReadLsyFile(path, read).Ok());
    EXPECT_EQ(read.Name(), path);
    EXPECT_THAT(Outline(read), ElementsAre(::testing::StartsWith("#VRML V1.0 ascii   "), "# my plants", "node bush",
                                           "# second part", "node weed"));
    EXPECT_EQ(read.Items().at(2).Node(), bush);

    // Saving what was read gives the same text again: the stored header is replaced, not repeated.
    std::string again = Path("again.LSY");
    ASSERT_TRUE(SaveLsyFile(read, again));
    EXPECT_EQ(ReadAll(again), ReadAll(path));

    // A copy owns its nodes.
    tLsyFile copy = read;
    copy.Items()[2].Node().name = "changed";
    EXPECT_NE(copy, read);
    EXPECT_EQ(read.Items()[2].Node(), bush);
    copy = read;
    EXPECT_EQ(copy, read);
}

TEST_F(LsyFileTest, ASaveReplacesTheFileWithItsPermissionsOrIsAFileErrorThatLeavesNoTrace) {
    std::string path = Path("shared.LSY");
    std::ofstream(path) << "old";
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(SaveVLSystem(Node("a"), path));
    struct stat info{};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(FilesInDirectory(), 1u);

    std::string missingDir = Path("no/such.LSY");
    EXPECT_FALSE(SaveVLSystem(Node("a"), missingDir));
    ASSERT_EQ(shown.Count(), 1u);
    EXPECT_EQ(shown.Last().caption, "File Error");
    EXPECT_EQ(shown.Last().text, "error 2 at file \"" + missingDir + "\"\nNo such file or directory");

    // A directory in the way: the rename fails and the temporary file is removed.
    fs::create_directory(Path("taken.LSY"));
    fs::path inside = fs::path(Path("taken.LSY")) / "keep";
    std::ofstream(inside) << "x";
    shown.Clear();
    EXPECT_FALSE(SaveLsyFile(tLsyFile("taken.LSY"), Path("taken.LSY")));
    EXPECT_EQ(shown.Count(), 1u);
    EXPECT_EQ(FilesInDirectory(), 2u);
    EXPECT_EQ(ReadAll(inside.string()), "x");
}

}  // namespace
}  // namespace pax
