#include "scene/cursor3d.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "foundation/math2.h"
#include "foundation/short_text.h"
#include "system/error_reporting.h"
#include "system/exceptions.h"

namespace pax {

namespace {

// A heading is treated as vertical when both horizontal components are below this.
constexpr Extended VerticalTolerance = 1e-9L;
// Dot products below this count as a right angle.
constexpr Extended RightAngleTolerance = 1e-6L;

// Right from the new heading and a reference Up, then Up perpendicular to both.
bool FrameFromUp(const tVector3d& heading, const tVector3d& upRef, tVector3d& right, tVector3d& up) {
    if (NormCross(right, heading, upRef) <= LengthTolerance) return false;
    up = Cross(right, heading);
    return true;
}

// Up from a reference Right and the new heading, then Right perpendicular to both.
bool FrameFromRight(const tVector3d& heading, const tVector3d& rightRef, tVector3d& right, tVector3d& up) {
    if (NormCross(up, rightRef, heading) <= LengthTolerance) return false;
    right = Cross(heading, up);
    return true;
}

}  // namespace

TCursor3d::TCursor3d(std::string_view name) { m_cursor.Name = CutText(name, NameCapacity); }

TCursor3d::TCursor3d(const TCursor3d& source) : m_cursor(source.m_cursor) {}

TCursor3d::~TCursor3d() = default;

std::unique_ptr<TCursor3d> TCursor3d::Clone() const {
    std::unique_ptr<TCursor3d> copy = CloneObject();
    const int count = m_stack.Count();
    std::vector<std::unique_ptr<TCursor3d>> popped;
    std::vector<const TCursor3d*> bottomUp;
    popped.reserve(count);
    bottomUp.reserve(count);
    while (auto top = m_stack.Pop()) popped.push_back(std::move(top));
    // Pushing back cannot allocate: the stack keeps its capacity when popped.
    for (auto it = popped.rbegin(); it != popped.rend(); ++it) {
        bottomUp.push_back(it->get());
        m_stack.Push(std::move(*it));
    }
    for (const TCursor3d* state : bottomUp) copy->m_stack.Push(state->CloneObject());
    return copy;
}

std::unique_ptr<TCursor3d> TCursor3d::CloneObject() const { return std::make_unique<TCursor3d>(*this); }

// --- life cycle and stack ---------------------------------------------------------------------

void TCursor3d::Reset() {
    const trCursor3d defaults;
    m_cursor.Position = defaults.Position;
    m_cursor.Right = defaults.Right;
    m_cursor.Heading = defaults.Heading;
    m_cursor.Up = defaults.Up;
    m_cursor.FrameTag = 0;
    m_cursor.SavedPosition = defaults.SavedPosition;
    m_cursor.Changed = true;
}

void TCursor3d::Restart() {
    // Deliberately this class's Reset: a derived Restart runs its own Reset afterwards.
    TCursor3d::Reset();
    ClearStack();
    m_cursor.Depth = 0;
}

void TCursor3d::PushState() {
    m_stack.Push(CloneObject());
    ++m_cursor.Depth;
}

bool TCursor3d::PopState() {
    std::unique_ptr<TCursor3d> top = m_stack.Pop();
    if (!top) return false;
    top->AssignTo(*this);
    return true;
}

void TCursor3d::NewObject() {
    if (m_cursor.Depth > MaxDepth) {
        char text[80];
        std::snprintf(text, sizeof text, "TCursor3d.NewObject: the valid range of %d .. %d", 0, MaxDepth);
        throw ERangeError(text);
    }
    PushState();
}

void TCursor3d::OldObject() {
    if (PopState()) return;
    ShowWarning("Cursor3d: TCursor3d.Pop", "unexpected call of '" + m_cursor.Name + "'.OldObject, stack is empty");
}

void TCursor3d::Peek() {
    const TCursor3d* top = m_stack.Peek();
    if (!top) {
        ShowWarning("Cursor3d: TCursor3d.Peek", "unexpected call of '" + m_cursor.Name + "'.Peek, stack is empty");
        return;
    }
    top->AssignTo(*this);
    ++m_cursor.Depth;
}

void TCursor3d::AssignTo(TCursor3d& dest) const { dest.m_cursor = m_cursor; }

void TCursor3d::AssignFrame(const TCursor3d& source) {
    const trCursor3d& s = source.m_cursor;
    m_cursor.Position = s.Position;
    m_cursor.SavedPosition = s.SavedPosition;
    SetFrame(s.Right, s.Heading, s.Up);
    NormCross();
}

void TCursor3d::CopyOrientation(const TCursor3d& source) {
    SetFrame(source.m_cursor.Right, source.m_cursor.Heading, source.m_cursor.Up);
}

void TCursor3d::CheckStack() {
    if (m_cursor.Depth == 0) return;
    ShowError("Cursor3d: tCursor3d",
              "missing " + std::to_string(m_cursor.Depth) + " call(s) of " + m_cursor.Name + ".OldObject",
              Buttons::AbortRetryIgnoreDefault2);
    ClearStack();
    m_cursor.Depth = 0;
}

// --- turns ------------------------------------------------------------------------------------
// One vector is rotated, the second rebuilt by a cross product; the third is the axis.

void TCursor3d::TurnRight(Extended a) {
    if (a == 0) return;
    TurnRightBySinCos(SinCosOf(a * DegToRad));
}

void TCursor3d::TurnLeft(Extended a) { if (a != 0) TurnRight(-a); }

void TCursor3d::PitchUp(Extended a) { PitchDown(-a); }

void TCursor3d::PitchDown(Extended a) { PitchDownBySinCos(SinCosOf(a * DegToRad)); }

void TCursor3d::RollRight(Extended a) { RollLeft(-a); }

void TCursor3d::RollLeft(Extended a) { RollLeftBySinCos(SinCosOf(a * DegToRad)); }

void TCursor3d::TurnRight90() { SetFrame(-m_cursor.Heading, m_cursor.Right, m_cursor.Up); }

void TCursor3d::TurnLeft90() { SetFrame(m_cursor.Heading, -m_cursor.Right, m_cursor.Up); }

void TCursor3d::TurnAround() { SetFrame(-m_cursor.Right, -m_cursor.Heading, m_cursor.Up); }

void TCursor3d::PitchUp90() { SetFrame(m_cursor.Right, m_cursor.Up, -m_cursor.Heading); }

void TCursor3d::PitchDown90() { SetFrame(m_cursor.Right, -m_cursor.Up, m_cursor.Heading); }

void TCursor3d::PitchAround() { SetFrame(m_cursor.Right, -m_cursor.Heading, -m_cursor.Up); }

void TCursor3d::RollRight90() { SetFrame(-m_cursor.Up, m_cursor.Heading, m_cursor.Right); }

void TCursor3d::RollLeft90() { SetFrame(m_cursor.Up, m_cursor.Heading, -m_cursor.Right); }

void TCursor3d::RollAround() { SetFrame(-m_cursor.Right, m_cursor.Heading, -m_cursor.Up); }

void TCursor3d::OrbitRight(Extended d, Extended a) {
    MoveForward(d);
    TurnLeft(a);
    MoveBack(d);
}

void TCursor3d::OrbitLeft(Extended d, Extended a) {
    MoveForward(d);
    TurnRight(a);
    MoveBack(d);
}

void TCursor3d::OrbitUp(Extended d, Extended a) {
    MoveForward(d);
    PitchDown(a);
    MoveBack(d);
}

void TCursor3d::OrbitDown(Extended d, Extended a) {
    MoveForward(d);
    PitchUp(a);
    MoveBack(d);
}

// --- frame setting ----------------------------------------------------------------------------

void TCursor3d::SetFrame(tVector3d right, tVector3d heading, tVector3d up) {
    m_cursor.Right = right;
    m_cursor.Heading = heading;
    m_cursor.Up = up;
    m_cursor.FrameTag = 0;
    m_cursor.Changed = true;
}

void TCursor3d::RollToHorizontal() {
    tVector3d right;
    if (pax::NormCross(right, m_cursor.Heading, ZVector) <= LengthTolerance) return;
    SetFrame(right, m_cursor.Heading, Cross(right, m_cursor.Heading));
}

void TCursor3d::SetAngleRad(Extended alpha, Extended beta) {
    tVector3d heading = DirFromAngles(alpha, beta);
    tVector3d right = DirFromAngles(alpha - Pi / 2, 0);
    tVector3d up;
    pax::NormCross(up, right, heading);
    if (std::fabs(CosAngle(right, up)) > 1e-8L) MathError("TCursor3d.SetAngleRad: Winkelabweichung zu groß");
    SetFrame(right, heading, up);
}

void TCursor3d::SetAngle(Extended alpha, Extended beta) { SetAngleRad(alpha * DegToRad, beta * DegToRad); }

void TCursor3d::SetElevation(Extended beta) { SetAngle(GetAlpha(), beta); }

void TCursor3d::SetDirection(const tVector3d& v) {
    Extended len;
    tVector3d heading = NormalizeLen(v, len);
    if (len <= LengthTolerance) {
        ShowError("Cursor3d:  TCursor3d.SetAngle", "direction is undefined", Buttons::AbortRetryIgnoreDefault2);
        return;
    }
    FrameAroundHeading(heading);
}

void TCursor3d::NormCrossDir() { FrameAroundHeading(m_cursor.Heading); }

void TCursor3d::FrameAroundHeading(const tVector3d& newHeading) {
    tVector3d heading = Normalize(newHeading);
    tVector3d right, up;
    Extended len = pax::NormCross(right, heading, m_cursor.Up);
    if (std::fabs(len) <= LengthTolerance) MathError("TCursor3d.NormCrossDir: orientation is undefined");
    if (len > 0.8L) {
        // Well away from Up: keep the horizon.
        pax::NormCross(up, right, heading);
    } else {
        // Within about 53 degrees of Up the old Right is the better reference.
        pax::NormCross(up, m_cursor.Right, heading);
        pax::NormCross(right, heading, up);
    }
    if (std::fabs(CosAngle(right, up)) > RightAngleTolerance)
        MathError("TCursor3d.NormCrossDir: Winkelabweichung zu groß");
    SetFrame(right, heading, up);
}

void TCursor3d::SetHeading(const tVector3d& v) {
    Extended len;
    tVector3d heading = NormalizeLen(v, len);
    if (len <= LengthTolerance) return;
    // Keep Up when the new heading leaves it; otherwise build on Right. When the chosen
    // reference is parallel to the heading the other one is used, so the frame never collapses.
    const bool fromUp = std::fabs(Dot(heading, m_cursor.Up)) > RightAngleTolerance;
    tVector3d right, up;
    bool built = fromUp ? FrameFromUp(heading, m_cursor.Up, right, up)
                        : FrameFromRight(heading, m_cursor.Right, right, up);
    if (!built) built = fromUp ? FrameFromRight(heading, m_cursor.Right, right, up)
                               : FrameFromUp(heading, m_cursor.Up, right, up);
    if (built) SetFrame(right, heading, up);
}

void TCursor3d::SetUp(const tVector3d& v) {
    Extended len;
    tVector3d newUp = NormalizeLen(v, len);
    if (len <= LengthTolerance) return;
    const tVector3d& heading = m_cursor.Heading;
    tVector3d right, up, head;
    // Keep the heading and tilt Up towards newUp ...
    auto keepHeading = [&] {
        if (!FrameFromUp(heading, newUp, right, up)) return false;
        head = heading;
        return true;
    };
    // ... or take newUp exactly and build the heading from the old Right.
    auto keepUp = [&] {
        if (pax::NormCross(head, newUp, m_cursor.Right) <= LengthTolerance) return false;
        up = newUp;
        right = Cross(head, up);
        return true;
    };
    const bool tilt = std::fabs(Dot(newUp, heading)) > RightAngleTolerance;
    bool built = tilt ? keepHeading() : keepUp();
    if (!built) built = tilt ? keepUp() : keepHeading();
    if (built) SetFrame(right, head, up);
}

void TCursor3d::HeadToOrigin() { SetHeading(-m_cursor.Position); }

void TCursor3d::NormCross() {
    pax::NormCross(m_cursor.Right, m_cursor.Heading, m_cursor.Up);
    pax::NormCross(m_cursor.Up, m_cursor.Right, m_cursor.Heading);
    pax::NormCross(m_cursor.Heading, m_cursor.Up, m_cursor.Right);
    m_cursor.FrameTag = 0;
}

// --- queries ----------------------------------------------------------------------------------

tVector3d TCursor3d::ToLocal(const tVector3d& v) const {
    return {Dot(v, m_cursor.Right), Dot(v, m_cursor.Heading), Dot(v, m_cursor.Up)};
}

Extended TCursor3d::GetAlpha() const {
    const tVector3d& h = m_cursor.Heading;
    const tVector3d& u = m_cursor.Up;
    Extended d;
    if (std::fabs(h.x) < VerticalTolerance && std::fabs(h.y) < VerticalTolerance) {
        // Looking up, the top of the cursor points backwards: the compass direction is -Up.
        d = std::atan2(u.y, u.x) * RadToDeg;
        if (h.z >= 0) d += 180;
    } else {
        d = std::atan2(h.y, h.x) * RadToDeg;
        if (h.y <= 0) d += 360;
    }
    if (d < 0) return d + 360;
    if (d >= 360) return d - 360;
    return d;
}

void TCursor3d::GetAnglesRad(Extended& alpha, Extended& beta) const {
    const tVector3d& h = m_cursor.Heading;
    alpha = GetAlpha() * DegToRad;
    beta = std::atan2(h.z, std::sqrt(h.x * h.x + h.y * h.y));
}

void TCursor3d::GetAngles(Extended& alpha, Extended& beta) const {
    GetAnglesRad(alpha, beta);
    alpha *= RadToDeg;
    beta *= RadToDeg;
}

std::string TCursor3d::PositionText() const {
    const tVector3d& p = m_cursor.Position;
    char text[128];
    std::snprintf(text, sizeof text, "x=%5.0Lf  y=%5.0Lf  z=%5.0Lf  ", p.x, p.y, p.z);
    return text;
}

std::string TCursor3d::AnglesText() const {
    Extended alpha, beta;
    GetAngles(alpha, beta);
    char text[128];
    std::snprintf(text, sizeof text, "alpha=%4.0Lf°  beta=%4.0Lf°  ", alpha, beta);
    return text;
}

}  // namespace pax
