#include "foundation/tree.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <ostream>
#include <string>
#include <vector>

#include "system/error_reporting.h"

namespace pax {
namespace {

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

}  // namespace

// Without recursion, so that deep or long trees cannot exhaust the stack.
int tTree::FreeChain(std::unique_ptr<tTreeNode> first) {
    int freed = 0;
    std::vector<std::unique_ptr<tTreeNode>> pending;
    if (first) pending.push_back(std::move(first));
    while (!pending.empty()) {
        std::unique_ptr<tTreeNode> node = std::move(pending.back());
        pending.pop_back();
        if (node->m_firstChild) pending.push_back(std::move(node->m_firstChild));
        if (node->m_next) pending.push_back(std::move(node->m_next));
        ++freed;
    }
    return freed;
}

tTree::tTree(std::string_view name) : tTinyObject(name, TypeIds::Tree) {}

tTree::~tTree() { FreeChain(std::move(m_root)); }

void tTree::Done() {
    FreeChain(std::move(m_root));
    m_current = m_last = nullptr;
    m_nodeCount = 0;
    m_childMode = false;
}

void tTree::CheckInitialized() const {
    if (TypeId() != TypeIds::Tree) RaiseNotInitialized(Name());
}

tTreeNode* tTree::AddRef(tTinyObject* obj) { return Insert(obj, nullptr); }

tTreeNode* tTree::AddObject(std::unique_ptr<tTinyObject> obj) {
    tTinyObject* raw = obj.get();
    return Insert(raw, std::move(obj));
}

tTreeNode* tTree::AddText(std::string_view text) {
    return AddObject(std::make_unique<tTinyObject>(text, TypeIds::Text));
}

tTreeNode* tTree::Insert(tTinyObject* obj, std::unique_ptr<tTinyObject> owned) {
    CheckInitialized();
    if (!obj) RaiseNilObject("tTree.AddRef");
    if (m_nodeCount >= MaxNodes) RaiseNoHeap("tTree.CreateNode");
    std::unique_ptr<tTreeNode> node;
    try {
        node = std::make_unique<tTreeNode>(tTreeNode::Key());
    } catch (const std::bad_alloc&) {
        RaiseNoHeap("tTree.CreateNode");
    }
    node->m_obj = obj;
    node->m_ownedObj = std::move(owned);
    tTreeNode* added = node.get();

    if (!m_current) {
        // Only an empty tree has no current node.
        m_root = std::move(node);
    } else if (m_childMode) {
        node->m_parent = m_current;
        node->m_level = m_current->m_level + 1;
        std::unique_ptr<tTreeNode>* slot = &m_current->m_firstChild;
        while (*slot) {
            node->m_prev = slot->get();
            slot = &(*slot)->m_next;
        }
        *slot = std::move(node);
        m_childMode = false;
    } else {
        tTreeNode* last = m_current;
        while (last->Next()) last = last->Next();
        node->m_parent = last->m_parent;
        node->m_level = last->m_level;
        node->m_prev = last;
        last->m_next = std::move(node);
    }
    ++m_nodeCount;
    m_current = m_last = added;
    return added;
}

void tTree::Up() {
    CheckInitialized();
    if (m_current && m_current->m_parent) m_current = m_current->m_parent;
}

tTreeNode* tTree::Next(const tTreeNode* node) const {
    if (!node) return Root();
    if (node->FirstChild()) return node->FirstChild();
    for (const tTreeNode* up = node; up; up = up->m_parent)
        if (up->Next()) return up->Next();
    return nullptr;
}

tTreeNode* tTree::FindNode(std::string_view pattern, tTreeNode* node) const {
    CheckInitialized();
    std::string wanted = UpperCase(pattern.substr(0, pattern.find('*')));
    if (wanted.empty()) return nullptr;
    for (tTreeNode* n = node ? node : Root(); n; n = Next(n))
        if (UpperCase(n->m_obj->Name()).find(wanted) != std::string::npos) return n;
    return nullptr;
}

std::unique_ptr<tTreeNode>& tTree::OwningSlot(tTreeNode* node) {
    if (node->m_prev) return node->m_prev->m_next;
    if (node->m_parent) return node->m_parent->m_firstChild;
    return m_root;
}

bool tTree::Contains(const tTreeNode* node) const {
    const tTreeNode* top = node;
    while (top->m_parent) top = top->m_parent;
    while (top->m_prev) top = top->m_prev;
    return top == Root();
}

void tTree::Delete(tTreeNode* node) {
    CheckInitialized();
    if (!node || !Contains(node)) return;
    auto inSubtree = [node](const tTreeNode* n) {
        for (; n; n = n->m_parent)
            if (n == node) return true;
        return false;
    };
    tTreeNode* next = node->Next();
    tTreeNode* prev = node->m_prev;
    tTreeNode* parent = node->m_parent;
    if (inSubtree(m_current)) m_current = next ? next : prev ? prev : parent;
    if (inSubtree(m_last)) m_last = prev ? prev : parent;

    std::unique_ptr<tTreeNode>& slot = OwningSlot(node);
    std::unique_ptr<tTreeNode> doomed = std::move(slot);
    slot = std::move(doomed->m_next);
    if (slot) slot->m_prev = prev;
    doomed->m_prev = nullptr;
    m_nodeCount -= static_cast<uint16_t>(FreeChain(std::move(doomed)));
    if (!m_root) m_current = m_last = nullptr;
}

void tTree::Print(std::ostream& out, int indent) const {
    CheckInitialized();
    int base = std::max(indent, 0);
    for (const tTreeNode& node : Nodes())
        out << std::string(base + 2 * node.Level(), ' ') << node.Obj()->GetText() << '\n';
    out.flush();
}

}  // namespace pax
