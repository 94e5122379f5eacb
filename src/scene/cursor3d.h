#pragma once
// TCursor3d: a position with a right-handed orthonormal frame (Right, Heading, Up in the roles
// of x, y, z) that is moved and turned in steps, and whose whole state can be pushed and
// popped. Angles are degrees unless the name ends in Rad; distances are world units.
//
// Extension points for derived cursors (the drawing turtle, the eye):
// - The state of a derived class is trCursor3d plus its own fields. Override CloneObject to
//   return a copy of the whole object (its copy constructor: the pushed states are never
//   copied by it) and AssignTo to copy the own fields after calling the base version, when
//   dest is of the derived type. NewObject, OldObject and Peek work through these two, so a
//   derived class gets its whole state pushed and popped without further code.
// - NewObject, OldObject, CheckStack, Reset and Restart are virtual so that a derived class
//   can replace the failure handling (PushState, PopState and ClearStack below do the work
//   without any checks or messages).
// - Moves and turns are plain member functions without allocation: they run for every step of
//   a turtle.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/vector3d.h"
#include "system/object_stack.h"

namespace pax {

// The cursor's state, copied as a whole by push, pop, peek and AssignTo.
struct trCursor3d {
    tVector3d Position;
    tVector3d Right{1, 0, 0};
    tVector3d Heading{0, 1, 0};
    tVector3d Up{0, 0, 1};
    tVector3d SavedPosition;
    // Which remembered frame of a turn memo Right, Heading and Up hold, bit for bit, or 0 for
    // none known: whatever else sets the frame clears it, and a copy of the state keeps it.
    uint64_t FrameTag = 0;
    bool Changed = false;            // set by every move and turn; cleared by the eye's user
    std::string Name = "?cursor3d?";  // at most NameCapacity characters
    int32_t Depth = 0;               // states pushed by NewObject
};

class TCursor3d {
public:
    static constexpr size_t NameCapacity = 11;
    // NewObject refuses to push when Depth exceeds this, so at most MaxDepth + 1 states.
    static constexpr int32_t MaxDepth = 100;

    // Create: default state, the name cut to NameCapacity characters, an empty stack.
    explicit TCursor3d(std::string_view name = "?cursor3d?");
    // A copy of the state (Depth included) with an empty stack of its own.
    TCursor3d(const TCursor3d& source);
    TCursor3d& operator=(const TCursor3d&) = delete;
    virtual ~TCursor3d();

    // A new cursor of the same type with the whole state and its own copy of the pushed states,
    // so that popping the clone never disturbs this cursor.
    std::unique_ptr<TCursor3d> Clone() const;

    // --- state ------------------------------------------------------------------------------
    const trCursor3d& State() const { return m_cursor; }
    const tVector3d& Position() const { return m_cursor.Position; }
    const tVector3d& Right() const { return m_cursor.Right; }
    const tVector3d& Heading() const { return m_cursor.Heading; }
    const tVector3d& Up() const { return m_cursor.Up; }
    const tVector3d& SavedPosition() const { return m_cursor.SavedPosition; }
    bool Changed() const { return m_cursor.Changed; }
    void SetChanged(bool changed) { m_cursor.Changed = changed; }
    const std::string& Name() const { return m_cursor.Name; }
    int32_t Depth() const { return m_cursor.Depth; }
    // States on the stack; equals Depth unless a derived class manipulates Depth itself.
    int StackCount() const { return m_stack.Count(); }

    // --- life cycle and stack ---------------------------------------------------------------
    // Position, frame and SavedPosition to their defaults; Name, Depth and stack untouched.
    virtual void Reset();
    // Reset, and the pushed states discarded (Depth 0).
    virtual void Restart();
    // Push the whole state. ERangeError when Depth > MaxDepth (nothing pushed).
    virtual void NewObject();
    // Pop the whole state (Depth becomes that before the push). An empty stack gives a warning
    // and leaves the state alone.
    virtual void OldObject();
    // The top state without removing it; Depth again counts the pushed states. An empty stack
    // gives a warning and leaves the state alone.
    void Peek();
    // Copies the whole state into dest; dest keeps its own stack.
    virtual void AssignTo(TCursor3d& dest) const;
    // Position, frame and SavedPosition of source, the frame repaired by NormCross.
    void AssignFrame(const TCursor3d& source);
    void CopyOrientation(const TCursor3d& source);
    // Reports states left on the stack (an error box) and discards them.
    virtual void CheckStack();

    // --- moves (d may be negative) -----------------------------------------------------------
    void MoveForward(Extended d) { MoveByVector(d * m_cursor.Heading); }
    void MoveBack(Extended d) { MoveByVector(-d * m_cursor.Heading); }
    void MoveRight(Extended d) { MoveByVector(d * m_cursor.Right); }
    void MoveLeft(Extended d) { MoveByVector(-d * m_cursor.Right); }
    void MoveUp(Extended d) { MoveByVector(d * m_cursor.Up); }
    void MoveDown(Extended d) { MoveByVector(-d * m_cursor.Up); }
    // dx along Right, dy along Heading, dz along Up.
    void MoveRel(Extended dx, Extended dy, Extended dz) {
        MoveByVector(dx * m_cursor.Right + dy * m_cursor.Heading + dz * m_cursor.Up);
    }
    // In world axes.
    void MoveBy(Extended dx, Extended dy, Extended dz) { MoveByVector({dx, dy, dz}); }
    void MoveByVector(const tVector3d& v) {
        m_cursor.Position += v;
        m_cursor.Changed = true;
    }
    void SetPosition(const tVector3d& p) {
        m_cursor.Position = p;
        m_cursor.Changed = true;
    }
    void SavePosition() { m_cursor.SavedPosition = m_cursor.Position; }
    void RestorePosition() { SetPosition(m_cursor.SavedPosition); }

    // --- turns (degrees; a positive angle turns the way the name says) ------------------------
    void TurnRight(Extended a);   // heading swings towards Right; nothing at all for a = 0
    void TurnLeft(Extended a);    // nothing at all for a = 0
    void PitchUp(Extended a);     // nose rises towards Up
    void PitchDown(Extended a);
    void RollRight(Extended a);   // Up tilts towards Right
    void RollLeft(Extended a);

    // The same turns by the angle whose sine and cosine are given, in the sense of TurnRight,
    // PitchDown and RollLeft (the negated angle's pair turns the other way). No trigonometry
    // and no angle test: for the L-system interpreter, which keeps the pair of its current
    // angle. Inline, so that the frame stays in registers from one vector to the next.
    void TurnRightBySinCos(const tSinCos& t) {
        // Heading rotated about Up: H x Up is Right.
        m_cursor.Heading = TurnedTowards(m_cursor.Heading, m_cursor.Right, t);
        m_cursor.Right = Cross(m_cursor.Heading, m_cursor.Up);
        m_cursor.FrameTag = 0;
        m_cursor.Changed = true;
    }
    void PitchDownBySinCos(const tSinCos& t) {
        // Heading rotated about Right: H x Right is -Up.
        m_cursor.Heading = TurnedTowards(m_cursor.Heading, -m_cursor.Up, t);
        m_cursor.Up = Cross(m_cursor.Right, m_cursor.Heading);
        m_cursor.FrameTag = 0;
        m_cursor.Changed = true;
    }
    void RollLeftBySinCos(const tSinCos& t) {
        // Up rotated about Heading: Up x H is -Right.
        m_cursor.Up = TurnedTowards(m_cursor.Up, -m_cursor.Right, t);
        m_cursor.Right = Cross(m_cursor.Heading, m_cursor.Up);
        m_cursor.FrameTag = 0;
        m_cursor.Changed = true;
    }

    // Right, Heading and Up as given, bit for bit, without the checks of the frame setters:
    // for a caller that remembers the frames that this cursor's turns led to, and tags them.
    void SetFrameBits(const tVector3d& right, const tVector3d& heading, const tVector3d& up, uint64_t tag) {
        CopyVector(m_cursor.Right, right);
        CopyVector(m_cursor.Heading, heading);
        CopyVector(m_cursor.Up, up);
        m_cursor.FrameTag = tag;
        m_cursor.Changed = true;
    }
    uint64_t FrameTag() const { return m_cursor.FrameTag; }
    void SetFrameTag(uint64_t tag) { m_cursor.FrameTag = tag; }

    // Exact quarter and half turns: vector swaps, no trigonometry, no rounding.
    void TurnRight90();
    void TurnLeft90();
    void TurnAround();
    void PitchUp90();
    void PitchDown90();
    void PitchAround();
    void RollRight90();
    void RollLeft90();
    void RollAround();

    // Circle the point d ahead by a degrees, keeping it in the line of sight.
    void OrbitRight(Extended d, Extended a);
    void OrbitLeft(Extended d, Extended a);
    void OrbitUp(Extended d, Extended a);     // the cursor rises
    void OrbitDown(Extended d, Extended a);   // the cursor sinks

    // --- frame setting ----------------------------------------------------------------------
    // Right made horizontal around the current heading; nothing for a vertical heading.
    void RollToHorizontal();
    // Heading from compass angle alpha and elevation beta, Right horizontal. MathError when the
    // resulting frame is not orthogonal (the state is then unchanged).
    void SetAngleRad(Extended alpha, Extended beta);
    void SetAngle(Extended alpha, Extended beta);
    void SetElevation(Extended beta);   // keeps the compass direction
    // Heading := v / |v| with the frame rebuilt by NormCrossDir. A vector without direction
    // gives an error box; one parallel to Up a MathError. The state is unchanged on failure.
    void SetDirection(const tVector3d& v);
    // Heading := v / |v|, the frame turned as little as possible; ignores v without direction.
    void SetHeading(const tVector3d& v);
    // Up := v / |v| likewise.
    void SetUp(const tVector3d& v);
    void HeadToOrigin();
    // Repairs accumulated rounding: the frame orthonormal again, as close to the old one as the
    // three cross products give. Does not set Changed (the frame does not move).
    void NormCross();
    // Rebuilds Right and Up around the current Heading. MathError when Heading is parallel to
    // Up or the result is not orthogonal (the frame is then left as it was).
    void NormCrossDir();

    // --- queries ----------------------------------------------------------------------------
    // A world direction in cursor coordinates (along Right, Heading, Up).
    tVector3d ToLocal(const tVector3d& v) const;
    // Compass angle of the heading in degrees, [0, 360); for a vertical heading that of -Up
    // (looking up) or of Up (looking down).
    Extended GetAlpha() const;
    // alpha as GetAlpha, beta the elevation of the heading, +-pi/2 when vertical.
    void GetAnglesRad(Extended& alpha, Extended& beta) const;
    void GetAngles(Extended& alpha, Extended& beta) const;
    Extended DistanceFromOrigin() const { return Extent(m_cursor.Position); }
    std::string PositionText() const;   // "x=%5.0f  y=%5.0f  z=%5.0f  "
    std::string AnglesText() const;     // "alpha=%4.0f°  beta=%4.0f°  "

protected:
    // A copy of the whole object (its copy constructor); what NewObject pushes.
    virtual std::unique_ptr<TCursor3d> CloneObject() const;
    // Push a clone and Depth + 1, without any check.
    void PushState();
    // Pop the top clone into this object through its AssignTo; false on an empty stack.
    bool PopState();
    // The pushed states discarded, Depth untouched.
    void ClearStack() { m_stack.Clear(); }

    trCursor3d m_cursor;

private:
    // v turned by the angle of t about the frame axis n, where w = v x n is the frame axis
    // that v turns towards: within an orthonormal frame the rotation of RotateAbout reduces
    // to cos * v + sin * w (no square root, no matrix). One Newton step towards unit length
    // keeps rounding from compounding through the cross products that rebuild the other axes.
    static tVector3d TurnedTowards(const tVector3d& v, const tVector3d& w, const tSinCos& t) {
        const tVector3d turned{t.c * v.x + t.s * w.x, t.c * v.y + t.s * w.y, t.c * v.z + t.s * w.z};
        const Extended k = (3 - SqrExtent(turned)) / 2;
        return {k * turned.x, k * turned.y, k * turned.z};
    }
    // The pair of angle (radians), from the remembered few.
    static tSinCos SinCosOf(Extended angle) {
        tSinCos t;
        SinCos(angle, t.s, t.c);
        return t;
    }

    // By value: callers pass the old vectors of this very frame.
    void SetFrame(tVector3d right, tVector3d heading, tVector3d up);
    // The NormCrossDir rule for a new heading; commits only a frame that passed its checks.
    void FrameAroundHeading(const tVector3d& heading);

    // mutable only so that Clone can walk the stack by popping it and pushing the states
    // back: TObjectStack offers no iteration.
    mutable TObjectStack<TCursor3d> m_stack;
};

}  // namespace pax
