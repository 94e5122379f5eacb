#pragma once
// The basic animations: small per-picture steps that move and turn the ghost cursor "Ghost"
// while a figure runs. The figures are drawn from the ghost's frame, so moving the ghost
// moves the figure. Steps follow real time (SecondsPerPicture), not the picture count, except
// "spin", which follows the object window's picture counter.
//
// The orbits (6 "orbitZ", 7 "orbitY", 8 "orbitX") carry the ghost round the origin: each
// picture the ghost, position and frame together, turns about the axis through the origin
// along its own Up by OrbitDegreesPerSecond() x SecondsPerPicture. The preparation put the
// ghost "Distance" x from the origin with Up along z, y or x, so it keeps that distance and
// moves at a steady angle per second whatever the picture rate; its frame keeps the same
// attitude towards the centre.

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "foundation/extended.h"

namespace pax {

class Pax3d;
class ObjectWindow;
class MainState;

namespace Animation {
inline constexpr int Off = 0;
inline constexpr int Rotate = 1;
inline constexpr int Wobble = 2;
inline constexpr int Swing = 3;
inline constexpr int Oscillate = 4;
inline constexpr int Spin = 5;
inline constexpr int OrbitZ = 6;
inline constexpr int OrbitY = 7;
inline constexpr int OrbitX = 8;
inline constexpr int Count = 9;
}  // namespace Animation

using AnimProc = std::function<void()>;

class BasicAnimations {
public:
    static constexpr int Slots = 5;
    static constexpr Extended StartOrbitAngle = 100;
    // The orbits' speed while the orbit angle is 0 (as SetWobbleAnimation leaves it): a turn
    // in 12 seconds.
    static constexpr Extended DefaultOrbitSpeed = 30;   // degrees per second

    // The ghost is moved; the view is reset when the ghost is prepared and gives the picture
    // counter of "spin"; the state gives the animation time and the callbacks.
    BasicAnimations(Pax3d& ghost, ObjectWindow& view, MainState& state);

    // "Basic Animation" := n. 1 .. 8 put that step into slot 0 (count 1); any other n clears
    // the slots and stores 0. The second status panel shows " animation = " and the name; the
    // ghost is prepared when n differs from the previous number; the options are refreshed.
    void SelectBasicAnimation(int n);
    // Slot 0 := proc, count 1. An empty proc sets count 0 and throws EInvalidPointer.
    void SetAnimProc(AnimProc proc);
    // The step of each filled slot i with "Calling Deep" > i.
    void GhostAnimation();
    // Slots cleared, count 0, "Basic Animation" 0.
    void ResetAnimationValues();
    // The start procedure of demos registered without one: the ghost reset, then the
    // animation values reset.
    void DefaultStart();
    // The view reset, then the ghost placed for animation n (see the orbits above).
    void PrepareGhost(int n);

    // "Rotate" := (x, y, z); animation 1.
    void SetRotateAnimation(Extended x, Extended y, Extended z);
    // "Times" z := a and y := b, each limited to 0 .. 10; "Distance" x := d limited to
    // 1 .. 200; the orbit angle and both previous wobble values 0; animation 2.
    void SetWobbleAnimation(Extended a, Extended b, Extended d);

    // 0 while paused or for a period below 0.01 s; otherwise
    // amplitude x sin(2 pi x animation time in seconds / period).
    Extended Wave(Extended period, Extended amplitude) const;

    int ProcCount() const { return m_count; }
    Extended OrbitAngle() const { return m_orbitAngle; }
    void SetOrbitAngle(Extended degrees) { m_orbitAngle = degrees; }
    // The orbit angle taken as degrees per second; DefaultOrbitSpeed while it is 0.
    Extended OrbitDegreesPerSecond() const;

private:
    // The steps, each called once per running picture.
    void RotateStep();
    void WobbleStep();
    void SwingStep();
    void OscillateStep();
    void SpinStep();
    void OrbitStep();
    AnimProc StepOf(int n);

    Pax3d& m_ghost;
    ObjectWindow& m_view;
    MainState& m_state;
    std::array<AnimProc, Slots> m_slots{};
    int m_count = 0;
    Extended m_orbitAngle = StartOrbitAngle;
    Extended m_previousWave1 = StartOrbitAngle;
    Extended m_previousWave2 = StartOrbitAngle;
};

// "off", "rotate", "wobble", "swing", "oscillate", "spin", "orbitZ", "orbitY", "orbitX";
// "off" for any other n.
std::string_view AnimationName(int n);

}  // namespace pax
