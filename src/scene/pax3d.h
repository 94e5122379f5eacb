#pragma once
// Pax3d: the drawing turtle. A TCursor3d with a pen (ProjData) that reports every position it
// reaches to its projection window; the window projects the point and draws the line, or adds
// the point to the polygon being recorded. The turtle never touches pixels.
//
// Without a window (SetWindow(nullptr), the default) every drawing call only moves the turtle.
//
// The moves run millions of times per second under the L-system interpreter: they are inline,
// allocate nothing and make one virtual call (DoProjection). Branches (NewObject/OldObject)
// copy the whole state (cursor record and pen) into a vector of reused slots instead of the
// cursor's heap clones: a push allocates only when the nesting first gets that deep, and a
// push and pop take about a fifth less time than with clones. The cursor's own stack stays
// empty, so Peek and StackCount are replaced here: call them on the turtle's type.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "foundation/color32.h"
#include "foundation/vector3d.h"
#include "scene/cursor3d.h"
#include "scene/proj_data.h"
#include "scene/turtle_window.h"

namespace pax {

class Pax3d : public TCursor3d {
public:
    static constexpr size_t PenNameCapacity = 9;

    // Create: the cursor, the pen from its defaults, PenName the first 9 characters of name.
    explicit Pax3d(std::string_view name = "Pax");
    // The whole state and a copy of the pushed states; the window is shared.
    Pax3d(const Pax3d& source) = default;

    // The window the turtle draws through; not owned, nullptr for none.
    void SetWindow(TurtleWindow* window) {
        ProjectWaitingJump();
        m_window = window;
    }
    TurtleWindow* Window() const { return m_window; }

    // The pen record. The window writes its projection fields through DoProjection. A jump
    // still waiting to be projected (DeferJumps) is projected first.
    const ProjData& Pen() const {
        ProjectWaitingJump();
        return m_pen;
    }
    ProjData& Pen() {
        ProjectWaitingJump();
        return m_pen;
    }

    // While on, a move without drawing is projected only when the pen or the window is next
    // used, and not at all when another such move or a pop comes first: a chain of jumps (98,000
    // a picture in Phyllotaxis-100) is projected once, at its end. What the window draws is the
    // same, as each drawing projection follows the projection of the point before it. Only for
    // a walk whose eye stays put, since the waiting projection takes the eye of its time. Off
    // projects what waits.
    void DeferJumps(bool on) {
        if (!on) ProjectWaitingJump();
        m_deferJumps = on;
    }

    // --- life cycle and stack ---------------------------------------------------------------
    // Cursor restart (stack emptied), pen defaults, then Reset.
    void Restart() override;
    // Cursor reset, pen defaults, the start point projected without drawing, pen down.
    void Reset() override;
    // Push the whole turtle. Beyond MaxDepth an error in the message line; nothing pushed.
    void NewObject() override;
    // Pop the whole turtle and re-project its position without drawing. At depth 0 an error
    // in the message line; nothing popped.
    void OldObject() override;
    // The top pushed state without removing it (re-projected like OldObject); Depth + 1.
    void Peek();
    // Reports states left on the stack (an error box) and discards them.
    void CheckStack() override;
    // Reports unbalanced pushes in the message line and pops back to the outermost state.
    void ErrorRecovery();
    int StackCount() const { return static_cast<int>(m_used); }

    // The whole state (pen included when dest is a turtle); dest keeps its stack and window.
    void AssignTo(TCursor3d& dest) const override;
    // Position, frame and SavedPosition of source, then the position projected (no drawing).
    void AssignFrame(const TCursor3d& source);
    // Position, frame, SavedPosition and the pen except its name; sets Changed.
    void AssignState(const Pax3d& source);

    // --- pen and colours --------------------------------------------------------------------
    void PenDown() { m_pen.PenIsDown = true; }
    void PenUp() { m_pen.PenIsDown = false; }
    bool PenIsDown() const { return m_pen.PenIsDown; }
    void SetColor(TColor32 c);
    void SetLineColor(TColor32 c);
    void SetFillColor(TColor32 c);
    // 0 opaque .. 255 invisible.
    void SetLineTransparency(uint8_t t);
    void SetFillTransparency(uint8_t t);
    // The mode is stored for the window; the turtle does not interpret it.
    void SetTransparencies(uint8_t lineT, uint8_t fillT, uint8_t mode);
    void SetTransparency(uint8_t t) { SetTransparencies(t, t, t); }
    // The window's current drawing colour.
    void SetWindowColor(TColor32 c);

    // --- moves: the draw family draws while the pen is down, the jump family never ----------
    void DrawForward(Extended d) { MoveForward(d); Project(m_pen.PenIsDown); }
    void DrawBack(Extended d) { MoveBack(d); Project(m_pen.PenIsDown); }
    void DrawRight(Extended d) { MoveRight(d); Project(m_pen.PenIsDown); }
    void DrawLeft(Extended d) { MoveLeft(d); Project(m_pen.PenIsDown); }
    void DrawUp(Extended d) { MoveUp(d); Project(m_pen.PenIsDown); }
    void DrawDown(Extended d) { MoveDown(d); Project(m_pen.PenIsDown); }
    void DrawRel(Extended dx, Extended dy, Extended dz) { MoveRel(dx, dy, dz); Project(m_pen.PenIsDown); }
    void DrawBy(Extended dx, Extended dy, Extended dz) { MoveBy(dx, dy, dz); Project(m_pen.PenIsDown); }
    void DrawByVector(const tVector3d& v) { MoveByVector(v); Project(m_pen.PenIsDown); }
    // To the point with coordinates k (along Right, Heading, Up) from SavedPosition.
    void DrawToLocal(const tVector3d& k) { MoveToLocal(k); Project(m_pen.PenIsDown); }
    // To the world point p: for a caller that made it with LocalPoint and visits it again.
    void DrawTo(const tVector3d& p) { SetPosition(p); Project(m_pen.PenIsDown); }

    void JumpForward(Extended d) { MoveForward(d); Project(false); }
    void JumpBack(Extended d) { MoveBack(d); Project(false); }
    void JumpRight(Extended d) { MoveRight(d); Project(false); }
    void JumpLeft(Extended d) { MoveLeft(d); Project(false); }
    void JumpUp(Extended d) { MoveUp(d); Project(false); }
    void JumpDown(Extended d) { MoveDown(d); Project(false); }
    void JumpToLocal(const tVector3d& k) { MoveToLocal(k); Project(false); }
    void JumpTo(const tVector3d& p) { SetPosition(p); Project(false); }
    void JumpHome() { SetPosition(ZeroVector); Project(false); }
    void JumpToSaved() { RestorePosition(); Project(false); }

    // A line from this turtle to other's position (while the pen is down); the turtle's own
    // position is projected again afterwards, so the next line starts here.
    void LineToCursor(const TCursor3d& other);
    // The world point with coordinates k (along Right, Heading, Up) from SavedPosition, where
    // DrawToLocal(k) and JumpToLocal(k) go.
    tVector3d LocalPoint(const tVector3d& k) const {
        return FrameCombine(m_cursor.SavedPosition, m_cursor.Right, m_cursor.Heading, m_cursor.Up, k);
    }

    // --- polygons and planes (the window's one plane recorder) -------------------------------
    // An outline polygon; its first corner is the current point when the pen is down.
    void BeginPolygon();
    void EndPolygon();
    // A filled plane; its first corner is the current point when the pen is down and visible.
    void BeginPlane();
    void AddPlanePoint();
    void EndPlane();
    // Whether draw-family moves add corners to the open plane instead of drawing lines.
    void SetPlaneMode(bool collecting);
    bool PlaneIsOpen() const;

    // --- marks at the pen's screen position ---------------------------------------------------
    // In the window's current colour, and only when the current point is visible.
    void DrawText(std::string_view text);
    void DrawSprite(uint16_t spriteId);

protected:
    std::unique_ptr<TCursor3d> CloneObject() const override;

private:
    // One pushed state: what NewObject saves and OldObject restores.
    struct State {
        trCursor3d cursor;
        ProjData pen;
    };

    void Project(bool draw) {
        if (!m_window) return;
        if (m_deferJumps && !draw) {
            m_jumpWaits = true;
            CopyVector(m_jumpPosition, m_cursor.Position);
            return;
        }
        ProjectWaitingJump();
        m_window->DoProjection(m_pen, m_cursor.Position, draw);
    }
    void ProjectWaitingJump() const {
        if (!m_jumpWaits) return;
        m_jumpWaits = false;
        m_window->DoProjection(m_pen, m_jumpPosition, false);
    }
    void MoveToLocal(const tVector3d& k) { SetPosition(LocalPoint(k)); }
    void ResetPen();
    void RestoreState(const State& state);
    // Global opacities of the window; 255 without one.
    uint8_t LineOpacity() const;
    uint8_t FillOpacity() const;

    // A waiting jump is projected into the pen when the pen is first read, by const readers
    // too: the pen then holds what it would have held all along.
    mutable ProjData m_pen;
    TurtleWindow* m_window = nullptr;
    bool m_deferJumps = false;
    mutable bool m_jumpWaits = false;   // m_jumpPosition is still to be projected into m_pen
    tVector3d m_jumpPosition;
    // Pushed states, bottom first, in m_states[0 .. m_used); the slots above are kept for reuse.
    std::vector<State> m_states;
    size_t m_used = 0;
};

// The dragon demo's turtle: three 16-bit values of its own, which pushes do not save.
class Dragon3d : public Pax3d {
public:
    explicit Dragon3d(std::string_view name = "Dragon");
    Dragon3d(const Dragon3d& source) = default;

    // The turtle's restart; the values 64, 32 and 0.
    void Restart() override;
    // The turtle's reset; the counter 0.
    void Reset() override;
    void AssignTo(TCursor3d& dest) const override;

    uint16_t ValueA = 64;
    uint16_t ValueB = 32;
    uint16_t Counter = 0;

protected:
    std::unique_ptr<TCursor3d> CloneObject() const override;
};

}  // namespace pax
