#include "foundation/tree.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "system/exceptions.h"

namespace pax {
namespace {

using Names = std::vector<std::string>;

Names NamesInOrder(const tTree& tree) {
    Names names;
    for (const tTreeNode& node : tree.Nodes()) names.push_back(node.Obj()->Name());
    return names;
}

// "a" with children "b" (with child "c") and "d"; then "e" beside "a".
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

TEST(Tree, InsertionFollowsChildModeUpAndCurrent) {
    tTree tree("t");
    BuildSample(tree);
    EXPECT_EQ(tree.NodeCount(), 5);
    tTreeNode* a = tree.Root();
    tTreeNode* b = a->FirstChild();
    EXPECT_EQ(a->Obj()->TypeId(), TypeIds::Text);
    EXPECT_EQ(b->Parent(), a);
    EXPECT_EQ(b->Level(), 1);
    EXPECT_EQ(b->FirstChild()->Level(), 2);
    EXPECT_EQ(b->Next()->Prev(), b);
    EXPECT_EQ(a->Next()->Level(), 0);
    EXPECT_EQ(tree.Current(), a->Next());
    EXPECT_EQ(tree.Last(), a->Next());
    EXPECT_FALSE(tree.ChildMode());

    tree.SetCurrent(a);  // a sibling goes after the last sibling, a child after the last child
    tree.AddText("f");
    tree.SetCurrent(a);
    tree.SetChildMode();
    tree.AddText("g");
    EXPECT_EQ(NamesInOrder(tree), (Names{"a", "b", "c", "d", "g", "e", "f"}));
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
    tree.SetCurrent(tree.Root()->FirstChild()->FirstChild());  // inside the deleted subtree
    tree.Delete(tree.Root());
    EXPECT_EQ(tree.Root(), e);
    EXPECT_EQ(e->Prev(), nullptr);
    EXPECT_EQ(tree.Current(), e);
    EXPECT_EQ(tree.Last(), e);
    EXPECT_EQ(tree.NodeCount(), 1);
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
    tree.Delete(tree.AddText("c"));
    EXPECT_EQ(tree.Current(), b);
    EXPECT_EQ(tree.Last(), b);
    EXPECT_EQ(b->Next(), nullptr);
    tree.Delete(b);
    EXPECT_EQ(tree.Current(), a);
    EXPECT_EQ(tree.Last(), a);
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
    tTree tree("t");
    tree.AddRef(&referenced);
    tree.SetChildMode();
    tree.AddObject(std::make_unique<Counted>("one", alive));
    tree.AddText("comment");
    tree.AddObject(std::make_unique<Counted>("two", alive));
    EXPECT_FALSE(tree.Root()->Owned());
    Names typed;
    for (tTreeNode& child : tree.Root()->Children())
        if (auto* payload = child.As<Counted>()) typed.push_back(payload->Name());
    EXPECT_EQ(typed, (Names{"one", "two"}));
    tree.Delete(tree.Root()->FirstChild());
    EXPECT_EQ(alive, 2);
    tree.Done();
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(tree.NodeCount(), 0);
    EXPECT_EQ(tree.Root(), nullptr);
}

TEST(Tree, PrintIndentsChildrenByTwo) {
    tTree tree("t");
    tree.AddText("a");
    tree.SetChildMode();
    tree.AddText("b");
    std::ostringstream out;
    tree.Print(out, 1);
    const tTreeNode& a = *tree.Root();
    EXPECT_EQ(out.str(), " " + a.Obj()->GetText() + "\n   " + a.FirstChild()->Obj()->GetText() + "\n");
}

TEST(Tree, RefusesNilObjectsAndForeignKinds) {
    class Corrupted : public tTree {
    public:
        Corrupted() : tTree("broken") { SetTypeId(TypeIds::OArray); }
    };
    tTree tree("t");
    try {
        tree.AddRef(nullptr);
        FAIL() << "no exception";
    } catch (const EInvalidPointer& e) {
        EXPECT_NE(std::string(e.what()).find("tTree.AddRef"), std::string::npos);
    }
    Corrupted broken;
    try {
        broken.AddText("x");
        FAIL() << "no exception";
    } catch (const EInvalidPointer& e) {
        EXPECT_NE(std::string(e.what()).find("\"broken\" is not initialized"), std::string::npos);
    }
}

TEST(Tree, LongAndDeepTreesAreFreedWithoutRecursionAndCountsAreBounded) {
    tTree tree("t");
    for (int i = 0; i < 30000; ++i) {
        tree.AddText("deep");
        tree.SetChildMode();
    }
    for (int i = 30000; i < tTree::MaxNodes; ++i) tree.AddText("long");
    EXPECT_THROW(tree.AddText("one too many"), EInvalidPointer);  // "tTree.CreateNode"
    EXPECT_EQ(tree.NodeCount(), tTree::MaxNodes);
    tree.Delete(tree.Root());
    EXPECT_EQ(tree.NodeCount(), 0);
}

}  // namespace
}  // namespace pax
