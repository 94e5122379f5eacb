#include "foundation/tree.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "system/exceptions.h"

namespace pax {
namespace {

std::vector<std::string> NamesInOrder(const tTree& tree) {
    std::vector<std::string> names;
    for (const tTreeNode& node : tree.Nodes()) names.push_back(node.Obj()->Name());
    return names;
}

using Names = std::vector<std::string>;

// root "a" with children "b" (with child "c") and "d"; then top-level "e".
void BuildSample(tTree& tree) {
    tree.AddText("a");
    tree.SetChildMode();
    tree.AddText("b");
    tree.SetChildMode();
    tree.AddText("c");
    tree.Up();
    tree.AddText("d");
    tree.Up();
    tree.AddText("e");
}

class Counted : public tTinyObject {
public:
    Counted(std::string_view name, int& alive) : tTinyObject(name), m_alive(alive) { ++m_alive; }
    ~Counted() override { --m_alive; }

private:
    int& m_alive;
};

class Corrupted : public tTree {
public:
    Corrupted() : tTree("broken") { SetTypeId(TypeIds::OArray); }
};

TEST(Tree, InsertionFollowsChildModeAndUp) {
    tTree tree("t");
    BuildSample(tree);
    EXPECT_EQ(tree.NodeCount(), 5);
    tTreeNode* a = tree.Root();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Obj()->Name(), "a");
    EXPECT_EQ(a->Obj()->TypeId(), TypeIds::Text);
    EXPECT_TRUE(a->Owned());
    tTreeNode* b = a->FirstChild();
    EXPECT_EQ(b->Level(), 1);
    EXPECT_EQ(b->Parent(), a);
    EXPECT_EQ(b->FirstChild()->Obj()->Name(), "c");
    EXPECT_EQ(b->FirstChild()->Level(), 2);
    EXPECT_EQ(b->Next()->Obj()->Name(), "d");
    EXPECT_EQ(b->Next()->Prev(), b);
    EXPECT_EQ(a->Next()->Obj()->Name(), "e");
    EXPECT_EQ(a->Next()->Level(), 0);
    EXPECT_EQ(tree.Current(), a->Next());
    EXPECT_EQ(tree.Last(), a->Next());
    EXPECT_FALSE(tree.ChildMode());
}

TEST(Tree, ChildModeAppendsAfterExistingChildren) {
    tTree tree("t");
    tTreeNode* a = tree.AddText("a");
    tree.SetChildMode();
    tree.AddText("b");
    tree.SetCurrent(a);
    tree.SetChildMode();
    tTreeNode* c = tree.AddText("c");
    EXPECT_EQ(a->FirstChild()->Next(), c);
    EXPECT_EQ(c->Prev(), a->FirstChild());
}

TEST(Tree, SiblingsGoAfterTheLastSiblingOfCurrent) {
    tTree tree("t");
    tTreeNode* a = tree.AddText("a");
    tree.AddText("b");
    tree.SetCurrent(a);
    tree.AddText("c");
    EXPECT_EQ(NamesInOrder(tree), (Names{"a", "b", "c"}));
}

TEST(Tree, NextWalksDepthFirst) {
    tTree tree("t");
    BuildSample(tree);
    EXPECT_EQ(NamesInOrder(tree), (Names{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(tree.Next(nullptr), tree.Root());
    tTreeNode* c = tree.Root()->FirstChild()->FirstChild();
    EXPECT_EQ(tree.Next(c)->Obj()->Name(), "d");  // the sibling of the nearest ancestor
    EXPECT_EQ(tree.Next(tree.Last()), nullptr);
}

TEST(Tree, ChildrenAndTypedPayloads) {
    tTree tree("t");
    int alive = 0;
    tree.AddText("file");
    tree.SetChildMode();
    tree.AddObject(std::make_unique<Counted>("one", alive));
    tree.AddText("comment");
    tree.AddObject(std::make_unique<Counted>("two", alive));
    std::vector<std::string> counted;
    for (tTreeNode& child : tree.Root()->Children())
        if (auto* payload = child.As<Counted>()) counted.push_back(payload->Name());
    EXPECT_EQ(counted, (Names{"one", "two"}));
}

TEST(Tree, FindObjectCutsThePatternAtTheStar) {
    tTree tree("t");
    tree.AddText("Axes");
    tree.SetChildMode();
    tree.AddText("SolidCube");
    tree.AddText("wirecube");
    EXPECT_EQ(tree.FindObject("cube*")->Obj()->Name(), "SolidCube");
    EXPECT_EQ(tree.FindObject("CUBE*x")->Obj()->Name(), "SolidCube");
    EXPECT_EQ(tree.FindObject("*cube"), nullptr);
    EXPECT_EQ(tree.FindObject("sphere"), nullptr);
    tTreeNode* first = tree.FindObject("cube");
    EXPECT_EQ(tree.FindNode("cube", tree.Next(first))->Obj()->Name(), "wirecube");
}

TEST(Tree, DeleteRootMovesRootAndCurrentToTheNextSibling) {
    tTree tree("t");
    BuildSample(tree);
    tTreeNode* e = tree.Root()->Next();
    tree.SetCurrent(tree.Root()->FirstChild()->FirstChild());  // "c", inside the deleted subtree
    tree.Delete(tree.Root());
    EXPECT_EQ(tree.Root(), e);
    EXPECT_EQ(e->Prev(), nullptr);
    EXPECT_EQ(tree.Current(), e);
    EXPECT_EQ(tree.Last(), e);
    EXPECT_EQ(tree.NodeCount(), 1);
    EXPECT_EQ(NamesInOrder(tree), (Names{"e"}));
}

TEST(Tree, DeleteMiddleNodeRelinksItsSiblings) {
    tTree tree("t");
    tree.AddText("a");
    tTreeNode* b = tree.AddText("b");
    tTreeNode* c = tree.AddText("c");
    tree.SetCurrent(b);
    tree.Delete(b);
    EXPECT_EQ(tree.Root()->Next(), c);
    EXPECT_EQ(c->Prev(), tree.Root());
    EXPECT_EQ(tree.Current(), c);
    EXPECT_EQ(tree.Last(), c);  // Last was not in the deleted subtree
    EXPECT_EQ(tree.NodeCount(), 2);
}

TEST(Tree, DeleteLastNodeFallsBackToPreviousSiblingThenParent) {
    tTree tree("t");
    tTreeNode* a = tree.AddText("a");
    tree.SetChildMode();
    tTreeNode* b = tree.AddText("b");
    tTreeNode* c = tree.AddText("c");
    tree.Delete(c);
    EXPECT_EQ(tree.Current(), b);
    EXPECT_EQ(tree.Last(), b);
    EXPECT_EQ(b->Next(), nullptr);
    tree.Delete(b);
    EXPECT_EQ(tree.Current(), a);
    EXPECT_EQ(tree.Last(), a);
    EXPECT_EQ(a->FirstChild(), nullptr);
    tree.Delete(a);
    EXPECT_EQ(tree.Root(), nullptr);
    EXPECT_EQ(tree.Current(), nullptr);
    EXPECT_EQ(tree.Last(), nullptr);
    EXPECT_EQ(tree.NodeCount(), 0);
    tree.AddText("again");
    EXPECT_EQ(tree.Root()->Obj()->Name(), "again");
}

TEST(Tree, OwnedPayloadsDieWithTheirNodesReferencesDoNot) {
    int alive = 0;
    Counted referenced("ref", alive);
    {
        tTree tree("t");
        tree.AddRef(&referenced);
        tree.SetChildMode();
        tree.AddObject(std::make_unique<Counted>("owned1", alive));
        tree.AddObject(std::make_unique<Counted>("owned2", alive));
        EXPECT_FALSE(tree.Root()->Owned());
        EXPECT_EQ(alive, 3);
        tree.Delete(tree.Root()->FirstChild());
        EXPECT_EQ(alive, 2);
    }
    EXPECT_EQ(alive, 1);
}

TEST(Tree, DoneEmptiesTheTree) {
    tTree tree("t");
    BuildSample(tree);
    tree.SetChildMode();
    tree.Done();
    EXPECT_EQ(tree.NodeCount(), 0);
    EXPECT_EQ(tree.Root(), nullptr);
    EXPECT_FALSE(tree.ChildMode());
}

TEST(Tree, PrintIndentsChildrenByTwo) {
    tTree tree("t");
    BuildSample(tree);
    std::ostringstream out;
    tree.Print(out, 1);
    std::string expected;
    for (const tTreeNode& node : tree.Nodes())
        expected += std::string(1 + 2 * node.Level(), ' ') + node.Obj()->GetText() + "\n";
    EXPECT_EQ(out.str(), expected);
    EXPECT_NE(expected.find("\n     "), std::string::npos);  // "c" at level 2
}

TEST(Tree, RefusesNilObjectsAndForeignKinds) {
    tTree tree("t");
    try {
        tree.AddRef(nullptr);
        FAIL() << "no exception";
    } catch (const EInvalidPointer& e) {
        EXPECT_NE(std::string(e.what()).find("tTree.AddRef"), std::string::npos);
    }
    EXPECT_THROW(tree.AddObject(nullptr), EInvalidPointer);
    Corrupted broken;
    try {
        broken.AddText("x");
        FAIL() << "no exception";
    } catch (const EInvalidPointer& e) {
        EXPECT_NE(std::string(e.what()).find("broken"), std::string::npos);
    }
    EXPECT_THROW(broken.FindObject("x"), EInvalidPointer);
}

TEST(Tree, LongAndDeepTreesAreFreedWithoutRecursion) {
    tTree tree("t");
    for (int i = 0; i < 30000; ++i) {
        tree.AddText("d");
        tree.SetChildMode();
    }
    tree.Up();
    for (int i = 0; i < 30000; ++i) tree.AddText("s");
    EXPECT_EQ(tree.NodeCount(), 60000);
    tree.Delete(tree.Root());
    EXPECT_EQ(tree.NodeCount(), 0);
}

TEST(Tree, NodeCountIsBoundedBySixteenBits) {
    tTree tree("t");
    for (int i = 0; i < tTree::MaxNodes; ++i) tree.AddText("n");
    try {
        tree.AddText("one too many");
        FAIL() << "no exception";
    } catch (const EInvalidPointer& e) {
        EXPECT_NE(std::string(e.what()).find("tTree.CreateNode"), std::string::npos);
    }
    EXPECT_EQ(tree.NodeCount(), tTree::MaxNodes);
}

}  // namespace
}  // namespace pax
