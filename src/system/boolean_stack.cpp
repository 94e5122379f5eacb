#include "system/boolean_stack.h"

#include "system/error_reporting.h"

namespace pax {

bool tBooleanStack::Push(bool value) {
    if (m_count == Capacity()) {
        if (Capacity() >= MaxCapacity) {
            ShowWarning("SysUtil2: PushBoolean", "boolean stack is full: check call of PopBoolean");
            return false;
        }
        m_items.resize(Capacity() + Growth, false);
    }
    m_items[m_count++] = value;
    return true;
}

bool tBooleanStack::Pop() {
    if (m_count == 0) return m_items[0];
    return m_items[--m_count];
}

tBooleanStack& BooleanStack() {
    static tBooleanStack stack;
    return stack;
}

void ResetBooleanStack() { BooleanStack() = tBooleanStack(); }

void PushBoolean(bool value) { BooleanStack().Push(value); }
bool PopBoolean() { return BooleanStack().Pop(); }

}  // namespace pax
