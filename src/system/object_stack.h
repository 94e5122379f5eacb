#pragma once
// TObjectStack: a stack of owned objects (the pushed states of cursors, turtles, eyes and
// plane recorders, the open objects of a window).

#include <memory>
#include <vector>

#include "system/error_reporting.h"

namespace pax {

template <class T>
class TObjectStack {
public:
    // A missing object is refused with RaiseNilObject("TObjectStack.Push").
    void Push(std::unique_ptr<T> object) {
        if (!object) RaiseNilObject("TObjectStack.Push");
        m_items.push_back(std::move(object));
    }
    // The top object, removed; nullptr when the stack is empty.
    std::unique_ptr<T> Pop() {
        if (m_items.empty()) return nullptr;
        std::unique_ptr<T> top = std::move(m_items.back());
        m_items.pop_back();
        return top;
    }
    T* Peek() const { return m_items.empty() ? nullptr : m_items.back().get(); }
    int Count() const { return static_cast<int>(m_items.size()); }
    void Clear() { m_items.clear(); }

private:
    std::vector<std::unique_ptr<T>> m_items;
};

}  // namespace pax
