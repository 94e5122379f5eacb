#pragma once
// tTree: a tree of tTinyObject payloads, linked first-child/next-sibling. The keyword table of
// the parser and the file tree of the L-system editor are trees.
//
//   tTree tree("files");
//   tree.AddText("work.LSY");
//   tree.SetChildMode();                          // the next node goes below "work.LSY"
//   tree.AddObject(std::make_unique<MyNode>(...));
//   for (tTreeNode& file : tree.TopLevel())
//       for (tTreeNode& child : file.Children())
//           if (auto* node = child.As<MyNode>()) ...

#include <cstdint>
#include <iterator>
#include <memory>
#include <string_view>

#include "foundation/tiny_object.h"

namespace pax {

class tTreeNode;

// Forward iteration over a node and its following siblings.
class SiblingRange {
public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = tTreeNode;
        using difference_type = std::ptrdiff_t;
        using pointer = tTreeNode*;
        using reference = tTreeNode&;

        Iterator() = default;
        explicit Iterator(tTreeNode* node) : m_node(node) {}
        tTreeNode& operator*() const { return *m_node; }
        tTreeNode* operator->() const { return m_node; }
        Iterator& operator++();
        Iterator operator++(int) { Iterator old = *this; ++*this; return old; }
        bool operator==(const Iterator&) const = default;

    private:
        tTreeNode* m_node = nullptr;
    };

    explicit SiblingRange(tTreeNode* first) : m_first(first) {}
    Iterator begin() const { return Iterator(m_first); }
    Iterator end() const { return Iterator(); }
    bool empty() const { return m_first == nullptr; }

private:
    tTreeNode* m_first;
};

class tTreeNode {
public:
    tTreeNode(const tTreeNode&) = delete;
    tTreeNode& operator=(const tTreeNode&) = delete;

    tTreeNode* Prev() const { return m_prev; }
    tTreeNode* Next() const { return m_next.get(); }
    tTreeNode* Parent() const { return m_parent; }
    tTreeNode* FirstChild() const { return m_firstChild.get(); }
    // Top-level nodes have level 0; a child is one deeper than its parent.
    int32_t Level() const { return m_level; }
    // An owned payload is destroyed with its node.
    bool Owned() const { return m_ownedObj != nullptr; }
    tTinyObject* Obj() const { return m_obj; }

    // The payload as a T, or nullptr when it is something else.
    template <class T>
    T* As() const { return dynamic_cast<T*>(m_obj); }

    SiblingRange Children() const { return SiblingRange(FirstChild()); }

    // Only a tree makes nodes.
    class Key {
        friend class tTree;
        Key() = default;
    };
    explicit tTreeNode(Key) {}

private:
    friend class tTree;

    tTreeNode* m_prev = nullptr;
    tTreeNode* m_parent = nullptr;
    std::unique_ptr<tTreeNode> m_next;        // siblings own their successor
    std::unique_ptr<tTreeNode> m_firstChild;  // parents own their first child
    int32_t m_level = 0;
    tTinyObject* m_obj = nullptr;
    std::unique_ptr<tTinyObject> m_ownedObj;
};

inline SiblingRange::Iterator& SiblingRange::Iterator::operator++() {
    m_node = m_node->Next();
    return *this;
}

class tTree;

// Every node of a tree in depth-first order (the order of tTree::Next).
class DepthFirstRange {
public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = tTreeNode;
        using difference_type = std::ptrdiff_t;
        using pointer = tTreeNode*;
        using reference = tTreeNode&;

        Iterator() = default;
        Iterator(const tTree* tree, tTreeNode* node) : m_tree(tree), m_node(node) {}
        tTreeNode& operator*() const { return *m_node; }
        tTreeNode* operator->() const { return m_node; }
        Iterator& operator++();
        Iterator operator++(int) { Iterator old = *this; ++*this; return old; }
        bool operator==(const Iterator& other) const { return m_node == other.m_node; }

    private:
        const tTree* m_tree = nullptr;
        tTreeNode* m_node = nullptr;
    };

    DepthFirstRange(const tTree* tree, tTreeNode* first) : m_tree(tree), m_first(first) {}
    Iterator begin() const { return Iterator(m_tree, m_first); }
    Iterator end() const { return Iterator(); }

private:
    const tTree* m_tree;
    tTreeNode* m_first;
};

class tTree : public tTinyObject {
public:
    // More nodes are refused as out of memory: NodeCount is 16 bits wide.
    static constexpr int MaxNodes = 65535;

    explicit tTree(std::string_view name = {});
    ~tTree() override;
    tTree(const tTree&) = delete;
    tTree& operator=(const tTree&) = delete;

    // Frees every node and the owned payloads; the tree is empty and usable again.
    void Done() override;

    // Insertion: with child mode set and a current node, the new node becomes the last child
    // of Current and child mode ends; otherwise it follows the last sibling of Current. The
    // first node becomes Root; every new node becomes Current and Last.
    tTreeNode* AddRef(tTinyObject* obj);                        // not owned
    tTreeNode* AddObject(std::unique_ptr<tTinyObject> obj);     // owned
    tTreeNode* AddText(std::string_view text);                  // owned text node, kind 4
    void SetChildMode() { m_childMode = true; }
    // Current moves to its parent, when it has one.
    void Up();
    // Makes node (a node of this tree, or nullptr) the insertion point.
    void SetCurrent(tTreeNode* node) { m_current = node; }

    // Depth-first successor: the first child, else the next sibling, else the next sibling of
    // the nearest ancestor that has one. Next(nullptr) is Root.
    tTreeNode* Next(const tTreeNode* node) const;

    // The first node at or after node (Root for nullptr), in depth-first order, whose payload
    // name contains pattern, both in upper case. The pattern ends at its first "*"; an empty
    // pattern finds nothing.
    tTreeNode* FindNode(std::string_view pattern, tTreeNode* node) const;
    tTreeNode* FindObject(std::string_view pattern) const { return FindNode(pattern, nullptr); }

    // Unlinks node and frees it with its subtree. Root, Current and Last that pointed into the
    // subtree move: Root to the next sibling; Current to the next sibling, else the previous
    // one, else the parent; Last to the previous sibling, else the parent.
    void Delete(tTreeNode* node);

    // Every node's GetText on its own line, children indented two more characters.
    void Print(std::ostream& out, int indent) const override;

    int NodeCount() const { return m_nodeCount; }
    bool ChildMode() const { return m_childMode; }
    tTreeNode* Root() const { return m_root.get(); }
    tTreeNode* Current() const { return m_current; }
    tTreeNode* Last() const { return m_last; }

    SiblingRange TopLevel() const { return SiblingRange(Root()); }
    DepthFirstRange Nodes() const { return DepthFirstRange(this, Root()); }

private:
    // Frees first with its children and following siblings; returns how many nodes that was.
    static int FreeChain(std::unique_ptr<tTreeNode> first);
    void CheckInitialized() const;
    tTreeNode* Insert(tTinyObject* obj, std::unique_ptr<tTinyObject> owned);
    std::unique_ptr<tTreeNode>& OwningSlot(tTreeNode* node);
    bool Contains(const tTreeNode* node) const;

    std::unique_ptr<tTreeNode> m_root;  // owns the top-level siblings
    tTreeNode* m_current = nullptr;
    tTreeNode* m_last = nullptr;
    uint16_t m_nodeCount = 0;
    bool m_childMode = false;
};

inline DepthFirstRange::Iterator& DepthFirstRange::Iterator::operator++() {
    m_node = m_tree->Next(m_node);
    return *this;
}

}  // namespace pax
