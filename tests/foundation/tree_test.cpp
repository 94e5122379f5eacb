#include "foundation/tree.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "system/exceptions.h"

namespace pax {
namespace {

using ::testing::ThrowsMessage;
using Names = std::vector<std::string>;

// The tree as "a(b(c) d) e", walked by FirstChild and Next; a node whose Prev, Parent or
// Level disagrees with the walk is marked "!".
std::string Shape(const tTreeNode* node, const tTreeNode* parent = nullptr, int level = 0) {
    std::string text;
    for (const tTreeNode* prev = nullptr; node; prev = node, node = node->Next()) {
        if (!text.empty()) text += ' ';
        text += node->Obj()->Name();
        if (node->Prev() != prev || node->Parent() != parent || node->Level() != level) text += '!';
        if (!node->FirstChild()) continue;
        text += '(';
        text += Shape(node->FirstChild(), node, level + 1);
        text += ')';
    }
    return text;
}

// Root, Current and Last by name ("-" for none), and the node count.
std::string Marks(const tTree& tree) {
    auto name = [](const tTreeNode* node) { return node ? node->Obj()->Name() : std::string("-"); };
    return name(tree.Root()) + " " + name(tree.Current()) + " " + name(tree.Last()) + " " +
           std::to_string(tree.NodeCount());
}

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

struct Counted : tTinyObject {
    Counted(std::string_view name, int& alive) : tTinyObject(name), alive(alive) { ++alive; }
    ~Counted() override { --alive; }
    int& alive;
};

TEST(Tree, InsertionFollowsChildModeUpAndCurrentAndNextWalksDepthFirst) {
    tTree tree("t");
    BuildSample(tree);
    EXPECT_EQ(Shape(tree.Root()), "a(b(c) d) e");
    EXPECT_EQ(Marks(tree), "a e e 5");
    EXPECT_EQ(tree.Root()->Obj()->TypeId(), TypeIds::Text);
    EXPECT_FALSE(tree.ChildMode());
    EXPECT_EQ(NamesInOrder(tree), (Names{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(tree.Next(nullptr), tree.Root());
    tTreeNode* c = tree.Root()->FirstChild()->FirstChild();
    EXPECT_EQ(tree.Next(c)->Obj()->Name(), "d");  // the sibling of the nearest ancestor
    EXPECT_EQ(tree.Next(tree.Last()), nullptr);

    tree.SetCurrent(tree.Root());  // a sibling goes after the last sibling, a child after the last child
    tree.AddText("f");
    tree.SetCurrent(tree.Root());
    tree.SetChildMode();
    tree.AddText("g");
    EXPECT_EQ(Shape(tree.Root()), "a(b(c) d g) e f");
    EXPECT_EQ(NamesInOrder(tree), (Names{"a", "b", "c", "d", "g", "e", "f"}));
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

TEST(Tree, DeleteRelinksAndMovesRootCurrentAndLastOutOfTheSubtree) {
    tTree tree("t");
    BuildSample(tree);
    tree.SetCurrent(tree.Root()->FirstChild()->FirstChild());  // inside the deleted subtree
    tree.Delete(tree.Root());
    EXPECT_EQ(Shape(tree.Root()), "e");
    EXPECT_EQ(Marks(tree), "e e e 1");

    tTreeNode* b = tree.AddText("b");
    tree.AddText("c");
    tree.SetCurrent(b);
    tree.Delete(b);
    EXPECT_EQ(Shape(tree.Root()), "e c");
    EXPECT_EQ(Marks(tree), "e c c 2");  // Last was not in the deleted subtree

    tree.SetChildMode();
    b = tree.AddText("b");
    tree.Delete(tree.AddText("x"));
    EXPECT_EQ(Shape(tree.Root()), "e c(b)");
    EXPECT_EQ(Marks(tree), "e b b 3");
    tree.Delete(b);
    EXPECT_EQ(Marks(tree), "e c c 2");
    tree.Delete(tree.Root()->Next());
    tree.Delete(tree.Root());
    EXPECT_EQ(Marks(tree), "- - - 0");
    tree.AddText("again");
    EXPECT_EQ(Marks(tree), "again again again 1");
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
    EXPECT_EQ(Marks(tree), "- - - 0");
}

TEST(Tree, ObjectsAreNamedUpToThirtyAndShowTheirAddressAndPrintIndentsChildrenByTwo) {
    EXPECT_EQ(tTinyObject(std::string(40, 'a')).Name(), std::string(30, 'a'));
    tTinyObject cube("cube", TypeIds::Text);
    std::string address = AddressText(&cube);
    EXPECT_GE(address.size(), 8u);
    EXPECT_EQ(address.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(cube.GetText(), address + " tTinyObject: name=cube");
    std::ostringstream out;
    cube.Print(out, 3);
    EXPECT_EQ(out.str(), "   " + cube.GetText() + "\n");
    tTree tree("t");
    tree.AddText("a");
    tree.SetChildMode();
    tree.AddRef(&cube);
    out.str("");
    tree.Print(out, 1);
    EXPECT_EQ(out.str(), std::string(1, ' ') + tree.Root()->Obj()->GetText() + "\n   " + cube.GetText() + "\n");
}

TEST(Tree, RefusesNilObjectsForeignKindsAndMoreNodesThanItCountsAndFreesDeepTreesWithoutRecursion) {
    auto raises = [](const char* part) { return ThrowsMessage<EInvalidPointer>(::testing::HasSubstr(part)); };
    class Corrupted : public tTree {
    public:
        Corrupted() : tTree("broken") { SetTypeId(TypeIds::OArray); }
    };
    tTree tree("t");
    EXPECT_THAT([&] { tree.AddRef(nullptr); }, raises("tTree.AddRef"));
    Corrupted broken;
    EXPECT_THAT([&] { broken.AddText("x"); }, raises("\"broken\" is not initialized"));

    for (int i = 0; i < 30000; ++i) {
        tree.AddText("deep");
        tree.SetChildMode();
    }
    for (int i = 30000; i < tTree::MaxNodes; ++i) tree.AddText("long");
    EXPECT_THAT([&] { tree.AddText("one too many"); }, raises("tTree.CreateNode"));
    EXPECT_EQ(tree.NodeCount(), tTree::MaxNodes);
    tree.Delete(tree.Root());
    EXPECT_EQ(tree.NodeCount(), 0);
}

}  // namespace
}  // namespace pax
