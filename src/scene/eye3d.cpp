#include "scene/eye3d.h"

#include <cstdio>
#include <new>

#include "system/error_reporting.h"
#include "system/status_line.h"

namespace pax {

namespace {
constexpr tVector3d DefaultEyePosition{0, -1000, 0};
}  // namespace

Eye3d::Eye3d(std::string_view name) : TCursor3d(name) { Eye3d::Reset(); }

std::unique_ptr<TCursor3d> Eye3d::CloneObject() const { return std::make_unique<Eye3d>(*this); }

void Eye3d::Reset() {
    TCursor3d::Reset();
    m_cursor.Position = DefaultEyePosition;
    m_cursor.SavedPosition = DefaultEyePosition;
    m_visualAngle = DefaultVisualAngle * DegToRad;
}

void Eye3d::SetVisualAngle(Extended degrees) {
    // Written so that NaN counts as out of range.
    if (!(degrees >= MinVisualAngle && degrees <= MaxVisualAngle)) {
        ShowStatusWarning("Eye3d.SetVisualAngle: wrong angle: 0.1 <= angle <= 160.0");
        degrees = degrees > MaxVisualAngle ? MaxVisualAngle : MinVisualAngle;
    }
    m_visualAngle = degrees * DegToRad;
    m_cursor.Changed = true;
}

Extended Eye3d::GetVisualAngle() const { return m_visualAngle * RadToDeg; }

void Eye3d::NewObject() {
    try {
        PushState();
    } catch (const std::bad_alloc&) {
        ShowError("PaxEye:  Eye3d.NewObject", " no heap free", Buttons::AbortRetryIgnoreDefault2);
    }
}

void Eye3d::OldObject() {
    if (m_cursor.Depth <= 0) {
        ShowPaxError("PaxEye: Eye3d.OldObject", "missing previous call of " + m_cursor.Name + ".NewObject");
        return;
    }
    // A depth taken over by AssignTo has no states of this eye behind it: it only counts down.
    if (!PopState()) --m_cursor.Depth;
    m_cursor.Changed = true;
}

void Eye3d::CheckStack() {
    if (m_cursor.Depth == 0) return;
    // Known quirk, kept: the message counts one call fewer than the pops that follow.
    ShowPaxError("PaxEye: Eyed.NewObject", "missing " + std::to_string(m_cursor.Depth - 1) + " call(s) of " +
                                               m_cursor.Name + ".OldObject");
    while (m_cursor.Depth >= 1) OldObject();
}

void Eye3d::AssignTo(TCursor3d& dest) const {
    TCursor3d::AssignTo(dest);
    if (auto* eye = dynamic_cast<Eye3d*>(&dest)) eye->m_visualAngle = m_visualAngle;
}

void Eye3d::ResetView(int view) {
    const Extended d1 = DistanceFromOrigin();
    Reset();
    // Back along the line of sight to the old distance: the origin is again d1 ahead.
    MoveForward(DistanceFromOrigin() - d1);
    switch (view) {
    case 1: OrbitRight(d1, 180); break;
    case 2: OrbitLeft(d1, 90); break;
    case 3: OrbitRight(d1, 90); break;
    case 4: OrbitUp(d1, 90); break;
    case 5: OrbitDown(d1, 90); break;
    default: break;   // 0 and unknown views: the front view
    }
}

std::string Eye3d::StatusText(int mode) const {
    Extended alpha, beta;
    GetAngles(alpha, beta);
    char text[128];
    if (mode == 2)
        std::snprintf(text, sizeof text, "alpha=%4.0Lf°  beta=%4.0Lf°  ", alpha, beta);
    else
        std::snprintf(text, sizeof text, "alpha=%4.0Lf°  beta=%4.0Lf°  view=%4.1Lf°  ", alpha, beta, GetVisualAngle());
    return text;
}

}  // namespace pax
