#include "app/basic_animations.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "app/main_state.h"
#include "render/windows/object_window.h"
#include "scene/pax3d.h"
#include "system/exceptions.h"
#include "system/picture_clock.h"
#include "system/settings.h"

namespace pax {

namespace {

constexpr std::array<std::string_view, Animation::Count> AnimationNames{
    "off", "rotate", "wobble", "swing", "oscillate", "spin", "orbitZ", "orbitY", "orbitX"};

constexpr Extended TwoPi = 6.283185307179586476925286766559L;
constexpr Extended MinWavePeriod = 0.01L;   // seconds
constexpr Extended SpinDegreesPerPicture = 100;

bool IsAnimation(int n) { return n > Animation::Off && n < Animation::Count; }

}  // namespace

std::string_view AnimationName(int n) {
    return IsAnimation(n) ? AnimationNames[static_cast<size_t>(n)] : AnimationNames[0];
}

BasicAnimations::BasicAnimations(Pax3d& ghost, ObjectWindow& view, MainState& state)
    : m_ghost(ghost), m_view(view), m_state(state) {}

AnimProc BasicAnimations::StepOf(int n) {
    switch (n) {
    case Animation::Rotate: return [this] { RotateStep(); };
    case Animation::Wobble: return [this] { WobbleStep(); };
    case Animation::Swing: return [this] { SwingStep(); };
    case Animation::Oscillate: return [this] { OscillateStep(); };
    case Animation::Spin: return [this] { SpinStep(); };
    case Animation::OrbitZ:
    case Animation::OrbitY:
    case Animation::OrbitX: return [this] { OrbitStep(); };
    default: return {};
    }
}

void BasicAnimations::SelectBasicAnimation(int n) {
    const int previous = ConfigValues().BasicAnimation;
    if (IsAnimation(n)) {
        m_slots[0] = StepOf(n);
        m_count = 1;
    } else {
        m_slots.fill({});
        m_count = 0;
        n = Animation::Off;
    }
    ConfigValues().BasicAnimation = n;
    m_state.Callbacks().ShowStatus2(" animation = " + std::string(AnimationName(n)), MainState::StatusTextColor);
    if (n != previous) PrepareGhost(n);
    m_state.Callbacks().RefreshOptions();
}

void BasicAnimations::SetAnimProc(AnimProc proc) {
    if (!proc) {
        m_count = 0;
        throw EInvalidPointer("TAnimForm.SetAnimProc: animProc = nil");
    }
    m_slots[0] = std::move(proc);
    m_count = 1;
}

void BasicAnimations::GhostAnimation() {
    const int depth = ConfigValues().CallingDeep;
    for (int i = 0; i < m_count && i < depth; ++i)
        if (m_slots[static_cast<size_t>(i)]) m_slots[static_cast<size_t>(i)]();
}

void BasicAnimations::ResetAnimationValues() {
    m_slots.fill({});
    m_count = 0;
    ConfigValues().BasicAnimation = Animation::Off;
}

void BasicAnimations::DefaultStart() {
    m_ghost.Reset();
    ResetAnimationValues();
}

void BasicAnimations::PrepareGhost(int n) {
    m_view.Reset();
    const Extended distance = ConfigValues().Distance.x;
    switch (n) {
    case Animation::Rotate: m_ghost.RestorePosition(); break;
    case Animation::Wobble:
    case Animation::Swing:
    case Animation::Spin: break;
    case Animation::OrbitZ:
        m_ghost.Restart();
        m_ghost.MoveBack(distance);
        m_ghost.TurnLeft(90 - m_orbitAngle);
        break;
    case Animation::OrbitY:
        m_ghost.Restart();
        m_ghost.MoveDown(distance);
        m_ghost.PitchUp90();
        m_ghost.TurnLeft(90 - m_orbitAngle);
        break;
    case Animation::OrbitX:
        m_ghost.Restart();
        m_ghost.MoveBack(distance);
        m_ghost.RollRight90();
        m_ghost.TurnLeft(90 - m_orbitAngle);
        break;
    default: m_ghost.Restart(); break;
    }
}

void BasicAnimations::SetRotateAnimation(Extended x, Extended y, Extended z) {
    ConfigValues().Rotate = {x, y, z};
    SelectBasicAnimation(Animation::Rotate);
}

void BasicAnimations::SetWobbleAnimation(Extended a, Extended b, Extended d) {
    tConfigValues& v = ConfigValues();
    v.Times.z = std::clamp<Extended>(a, 0, 10);
    v.Times.y = std::clamp<Extended>(b, 0, 10);
    v.Distance.x = std::clamp<Extended>(d, 1, 200);
    m_orbitAngle = 0;
    m_previousWave1 = 0;
    m_previousWave2 = 0;
    SelectBasicAnimation(Animation::Wobble);
}

Extended BasicAnimations::Wave(Extended period, Extended amplitude) const {
    // The negated comparison also turns a NaN period into 0.
    if (!m_state.Running() || !(period >= MinWavePeriod)) return 0;
    const Extended seconds = m_state.AnimationTime / 1000.0L;
    return amplitude * std::sin(TwoPi * seconds / period);
}

Extended BasicAnimations::OrbitDegreesPerSecond() const {
    return m_orbitAngle != 0 ? m_orbitAngle : DefaultOrbitSpeed;
}

// --- the steps ---------------------------------------------------------------------------------

void BasicAnimations::RotateStep() {
    // "Rotate" is in degrees per tenth of a second.
    const Extended f = 10 * SecondsPerPicture();
    const tConfigVector& r = ConfigValues().Rotate;
    m_ghost.PitchUp(r.x * f);
    m_ghost.RollRight(r.y * f);
    m_ghost.TurnRight(r.z * f);
}

void BasicAnimations::WobbleStep() {
    // Only the change since the last picture is applied, so the ghost swings about where it is.
    const tConfigVector& times = ConfigValues().Times;
    const Extended w1 = Wave(times.y, 15);
    m_ghost.RollLeft(w1 - m_previousWave1);
    const Extended w2 = Wave(times.z, 30);
    m_ghost.TurnRight(m_previousWave2 - w2);
    m_previousWave1 = w1;
    m_previousWave2 = w2;
}

void BasicAnimations::SwingStep() {
    const tConfigValues& v = ConfigValues();
    m_ghost.Reset();
    m_ghost.PitchUp(Wave(v.Times.x, v.Oscillate.x));
    m_ghost.RollRight(Wave(v.Times.y, v.Oscillate.y));
    m_ghost.TurnRight(Wave(v.Times.z, v.Oscillate.z));
}

void BasicAnimations::OscillateStep() {
    const tConfigValues& v = ConfigValues();
    m_ghost.Reset();
    m_ghost.MoveRight(Wave(v.Times.x, v.Oscillate.x));
    m_ghost.MoveForward(Wave(v.Times.y, v.Oscillate.y));
    m_ghost.MoveUp(Wave(v.Times.z, v.Oscillate.z));
}

void BasicAnimations::SpinStep() {
    const Extended a = m_view.PictureCount() * SpinDegreesPerPicture * DegToRad;
    m_ghost.SetUp({std::sin(a), std::cos(a), 100});
}

void BasicAnimations::OrbitStep() {
    // A rigid turn about the axis through the origin along Up: the frame turns right, and the
    // position keeps its coordinates in the turned frame.
    const tVector3d local = m_ghost.ToLocal(m_ghost.Position());
    m_ghost.TurnRight(OrbitDegreesPerSecond() * SecondsPerPicture());
    m_ghost.NormCross();
    m_ghost.SetPosition(local.x * m_ghost.Right() + local.y * m_ghost.Heading() + local.z * m_ghost.Up());
}

}  // namespace pax
