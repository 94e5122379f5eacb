#pragma once
// A stack of booleans for saving a switch around a nested operation (the pause state while
// the print dialog is open). It grows in steps up to a fixed limit, so a missing pop shows
// up as a warning rather than as unbounded memory.

#include <vector>

namespace pax {

class tBooleanStack {
public:
    static constexpr int InitialCapacity = 128;
    static constexpr int Growth = 64;
    static constexpr int MaxCapacity = 1024;

    tBooleanStack() : m_items(InitialCapacity, false) {}

    // On a full stack: the warning "SysUtil2: PushBoolean", nothing pushed, false returned.
    bool Push(bool value);
    // The top entry; on an empty stack the bottom entry, which stays in place.
    bool Pop();

    int Count() const { return m_count; }
    int Capacity() const { return static_cast<int>(m_items.size()); }

private:
    std::vector<bool> m_items;  // size is the capacity; entries at m_count and above are stale
    int m_count = 0;
};

void PushBoolean(bool value);
bool PopBoolean();

// The process-wide stack; ResetBooleanStack gives it its initial capacity and no entries.
tBooleanStack& BooleanStack();
void ResetBooleanStack();

}  // namespace pax
