#pragma once
// Scopes that every figure opens: a branch of a turtle (NewObject .. OldObject) and a window
// object (BeginObject .. EndObject). Both close on every way out, exceptions included, so a
// figure that fails half-way leaves the turtle and the window as it found them.

#include <string_view>

#include "render/windows/proj3d_window.h"
#include "scene/pax3d.h"

namespace pax {

class TurtleBranch {
public:
    explicit TurtleBranch(Pax3d& turtle) : m_turtle(turtle), m_depth(turtle.Depth()) { turtle.NewObject(); }
    ~TurtleBranch() {
        // A refused push (nesting too deep) must not pop the caller's state.
        if (m_turtle.Depth() > m_depth) m_turtle.OldObject();
    }
    TurtleBranch(const TurtleBranch&) = delete;
    TurtleBranch& operator=(const TurtleBranch&) = delete;

private:
    Pax3d& m_turtle;
    int32_t m_depth;
};

// The name only labels the object in the window's trace; the window itself keeps no names.
class WindowObject {
public:
    WindowObject(Proj3dWindow& window, std::string_view name, ObjectShape shape);
    ~WindowObject();
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

private:
    Proj3dWindow& m_window;
    std::string_view m_name;
    int32_t m_nesting;
};

}  // namespace pax
