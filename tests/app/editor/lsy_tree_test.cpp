#include "app/editor/lsy_tree.h"

#include <gtest/gtest.h>

#include <fstream>

#include "lsystem/ls_def.h"
#include "support/scripted_presenter.h"
#include "system/test_files.h"

namespace pax {
namespace {

using testing::ScopedPresenter;
using testing::ScopedTempDir;

void Write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

const char* OneSystem = "#VRML V1.0 ascii\nLSystem { name One axiom F rules [ \"F=F+F\" ] }\n";

TEST(LsyTree, LibraryEntriesWithoutNameOrAxiomAreReportedAndZerosReplaced) {
    ScopedPresenter boxes;
    LsyTree tree;
    int file = tree.AddFile("x.LSY", {"# one"});
    tLSDef nameless;
    nameless.axiom = "F";
    tLSDef noAxiom;
    noAxiom.name = "n";
    tLSDef zeros;
    zeros.name = "z";
    zeros.axiom = "F";
    zeros.angle = 0;
    zeros.deep = 0;
    EXPECT_FALSE(tree.AddLSObject(file, nameless));
    EXPECT_FALSE(tree.AddLSObject(file, noAxiom));
    EXPECT_TRUE(tree.AddLSObject(file, zeros));
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text, "wrong LSystem name");
    EXPECT_EQ(boxes.Shown()[1].text, "wrong LSystem axiom");
    EXPECT_EQ(boxes.Shown()[1].caption, LsyTree::AddSource);
    const tVLSystem* node = tree.System({file, 1});
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->angle, 90);
    EXPECT_EQ(node->step, 100);
    EXPECT_EQ(node->factor, 1);
    EXPECT_EQ(node->thickness, 1);
    EXPECT_EQ(node->deep, 1);
}

TEST(LsyTree, LoadingTwiceReplacesTheNodeAndSavedFilesReadBackEqual) {
    ScopedPresenter boxes;
    ScopedTempDir dir;
    const std::string path = dir.File("a.LSY");
    Write(path, OneSystem);
    LsyTree tree;
    tree.AddFile("first.LSY", {});
    ASSERT_EQ(tree.Load(path), 1);
    Write(path, "LSystem { name Two axiom F rules [ \"F=FF\" ] }\nLSystem { name Three axiom F rules [ F ] }\n");
    ASSERT_EQ(tree.Load(dir.Path() + "/./a.LSY"), 1);
    EXPECT_EQ(tree.FileCount(), 2);
    EXPECT_EQ(tree.Text({1, 0}), "Two");
    EXPECT_EQ(tree.Text({1, -1}), "a.LSY");

    ASSERT_TRUE(tree.Save(1, dir.File("b.LSY")));
    EXPECT_EQ(boxes.Last().text, "Lindenmayer System File \"" + dir.File("b.LSY") + "\" saved");
    ASSERT_EQ(tree.Load(dir.File("b.LSY")), 2);
    EXPECT_EQ(tree.Files()[2].content.Nodes().size(), 2u);
    EXPECT_EQ(*tree.Files()[2].content.Nodes()[1], *tree.Files()[1].content.Nodes()[1]);
    EXPECT_TRUE(tree.Files()[2].content.Items()[0].Line().starts_with("#VRML V1.0 ascii   "));
}

TEST(LsyTree, MissingAndDamagedFilesKeepTheTree) {
    ScopedPresenter boxes;
    ScopedTempDir dir;
    LsyTree tree;
    const std::string path = dir.File("a.LSY");
    Write(path, OneSystem);
    ASSERT_EQ(tree.Load(path), 0);
    EXPECT_EQ(tree.Load(dir.File("missing.LSY")), std::nullopt);
    EXPECT_EQ(boxes.Last().caption, "File Error");
    // The node read before the damage stays; the summary box tells of the error.
    Write(path, "LSystem { name Good axiom F rules [ F ] }\nLSystem { name Bad step x axiom F rules [ F ] }\n");
    boxes.Clear();
    ASSERT_EQ(tree.Load(path), 0);
    EXPECT_EQ(tree.Text({0, 0}), "Good");
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "VadaVARA.OParser");
    EXPECT_EQ(tree.FileCount(), 1);
}

TEST(LsyTree, NeighboursSkipCommentsAndSearchGoesRound) {
    LsyTree tree;
    int a = tree.AddFile("A.LSY", {"# c"});
    for (const char* name : {"Koch", "Plant", "koch2"}) {
        tLSDef def;
        def.name = name;
        def.axiom = "F";
        tree.AddLSObject(a, def);
    }
    EXPECT_EQ(tree.NeighbourSystem({0, -1}, +1), (TreeNode{0, 1}));
    EXPECT_EQ(tree.NeighbourSystem({0, 1}, -1), std::nullopt);
    EXPECT_EQ(tree.NeighbourSystem({0, 3}, +1), std::nullopt);
    EXPECT_EQ(tree.Search("KOCH", {0, 1}), (TreeNode{0, 3}));
    EXPECT_EQ(tree.Search("koch", {0, 3}), (TreeNode{0, 1}));
    EXPECT_EQ(tree.Search(".lsy", {0, 3}), (TreeNode{0, -1}));
    EXPECT_EQ(tree.Search("tree", {}), std::nullopt);
    EXPECT_EQ(tree.Search("  ", {}), std::nullopt);
}

}  // namespace
}  // namespace pax
