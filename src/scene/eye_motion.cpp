#include "scene/eye_motion.h"

#include <cmath>
#include <cstdio>

#include "scene/eye3d.h"
#include "system/exceptions.h"

namespace pax {

namespace {

// The pad's centre key without Num Lock.
constexpr int ClearKey = 12;
// Drags beyond this many pixels in one event are not a user's motion.
constexpr int MaxMouseMotion = 1000;

bool IsArrow(int key) { return key == '2' || key == '4' || key == '6' || key == '8'; }

Extended KeyStep(Extended speed, TShiftState shift) {
    if (shift.Has(ShiftFlag::Shift)) return speed * 0.2L;
    if (shift.Has(ShiftFlag::Ctrl)) return speed * 2;
    return speed * 0.5L;
}

// The keys that work in every mode; false for the others.
bool CommonKeyMotion(Eye3d& eye, int key, Extended s) {
    switch (key) {
    case '9': eye.MoveForward(5 * s); return true;
    case '3': eye.MoveBack(5 * s); return true;
    case '1': eye.ChangeVisualAngle(0.2L * s); return true;
    case '7': eye.ChangeVisualAngle(-0.2L * s); return true;
    case '5': eye.Reset(); return true;
    case 'a': eye.RollLeft(s); return true;
    case 'b': eye.RollToHorizontal(); return true;
    case 'c': eye.RollRight(s); return true;
    default: return false;
    }
}

void OrbitKeyMotion(Eye3d& eye, int key, Extended s) {
    const Extended d = eye.DistanceFromOrigin();
    switch (key) {
    case '2': eye.OrbitDown(d, s); break;
    case '4': eye.OrbitLeft(d, s); break;
    case '6': eye.OrbitRight(d, s); break;
    case '8': eye.OrbitUp(d, s); break;
    default: break;
    }
}

// Turn mode with step s; Walk turns the other way at half the step.
void TurnKeyMotion(Eye3d& eye, int key, Extended s) {
    switch (key) {
    case '2': eye.PitchDown(s); break;
    case '4': eye.TurnLeft(s); break;
    case '6': eye.TurnRight(s); break;
    case '8': eye.PitchUp(s); break;
    default: break;
    }
}

// Move mode, and with Alt in every mode: the eye slides without turning.
void MoveKeyMotion(Eye3d& eye, int key, Extended s) {
    switch (key) {
    case '2': eye.MoveUp(s); break;
    case '4': eye.MoveLeft(s); break;
    case '6': eye.MoveRight(s); break;
    case '8': eye.MoveDown(s); break;
    default: break;
    }
}

void ArrowKeyMotion(Eye3d& eye, uint8_t mode, int key, Extended s) {
    switch (mode) {
    case EyeEncircle:
        eye.RollToHorizontal();
        OrbitKeyMotion(eye, key, s);
        break;
    case EyeTurn: TurnKeyMotion(eye, key, s); break;
    case EyeMove: MoveKeyMotion(eye, key, s); break;
    case EyeWalk: TurnKeyMotion(eye, key, -0.5L * s); break;
    default: OrbitKeyMotion(eye, key, s); break;
    }
}

std::string_view ArrowName(uint8_t mode, int key) {
    const int index = key == '2' ? 0 : key == '4' ? 1 : key == '6' ? 2 : 3;
    static constexpr std::string_view Orbit[] = {" Eye.OrbitDown", " Eye.OrbitLeft", " Eye.OrbitRight", " Eye.OrbitUp"};
    static constexpr std::string_view Turn[] = {" Eye.TurnDown", " Eye.TurnLeft", " Eye.TurnRight", " Eye.TurnUp"};
    // The vertical names are opposite to KeyMotion's moves ("2" moves the eye up): the
    // navigation window's hints have always read so.
    static constexpr std::string_view Move[] = {" Eye.MoveDown", " Eye.MoveLeft", " Eye.MoveRight", " Eye.MoveUp"};
    switch (mode) {
    case EyeTurn:
    case EyeWalk: return Turn[index];
    case EyeMove: return Move[index];
    default: return Orbit[index];
    }
}

}  // namespace

void SetEyeMode(EyeMotionSettings& settings, int mode) {
    settings.EyeMode = mode >= 0 && mode < EyeModeCount ? static_cast<uint8_t>(mode) : uint8_t{EyeExamine};
}

void SetMotionSpeed(EyeMotionSettings& settings, Extended speed) {
    if (std::isfinite(speed)) settings.MotionSpeed = speed;
}

std::string_view EyeModeName(const EyeMotionSettings& settings) {
    static constexpr std::string_view Names[EyeModeCount] = {"Examine", "Encircle", "Turn", "Move", "Walk"};
    return settings.EyeMode < EyeModeCount ? Names[settings.EyeMode] : Names[EyeExamine];
}

std::string ModifierText(TShiftState shift) {
    std::string text;
    if (shift.Has(ShiftFlag::Ctrl)) text += " ctrl";
    if (shift.Has(ShiftFlag::Shift)) text += " shift";
    if (shift.Has(ShiftFlag::Alt)) text += " alt";
    return text;
}

int TranslateEyeKey(int key, TShiftState shift) {
    switch (key) {
    case 33: return '9';    // Page Up
    case 34: return '3';    // Page Down
    case 35: return '1';    // End
    case 36: return '7';    // Home
    case 37: return '4';    // Left
    case 38: return '8';    // Up
    case 39: return '6';    // Right
    case 40: return '2';    // Down
    case 45: return '0';    // Insert
    case 106: return 'c';   // pad *
    case 107: return '7';   // pad +
    case 109: return '1';   // pad -
    case 111: return 'a';   // pad /
    case ClearKey: return shift == ShiftFlag::Shift ? '5' : key;
    default: return key;
    }
}

std::string_view MotionName(const EyeMotionSettings& settings, int key) {
    key = TranslateEyeKey(key, {});
    switch (key) {
    case '1':
    case '7': return " Eye.Zoom";
    case '3': return " Eye.MoveBack";
    case '5': return " Eye.Reset";
    case '9': return " Eye.MoveForward";
    case 'a': return " Eye.RollLeft";
    case 'b': return " Eye.RollToHorizontal";
    case 'c': return " Eye.RollRight";
    default: break;
    }
    return IsArrow(key) ? ArrowName(settings.EyeMode, key) : std::string_view{};
}

void KeyMotion(Eye3d& eye, const EyeMotionSettings& settings, int key, TShiftState shift) {
    const Extended s = KeyStep(settings.MotionSpeed, shift);
    key = TranslateEyeKey(key, shift);
    if (shift.Has(ShiftFlag::Alt)) {
        MoveKeyMotion(eye, key, s);
        return;
    }
    if (CommonKeyMotion(eye, key, s)) return;
    if (IsArrow(key)) ArrowKeyMotion(eye, settings.EyeMode, key, s);
}

void MouseMotion(Eye3d& eye, const EyeMotionSettings& settings, int dx, int dy, TShiftState shift) {
    if (dx == 0 && dy == 0) return;
    if (dx > MaxMouseMotion || dx < -MaxMouseMotion || dy > MaxMouseMotion || dy < -MaxMouseMotion) {
        char text[64];
        std::snprintf(text, sizeof text, "motion values invalid %d %d", dx, dy);
        throw ERangeError(text);
    }
    Extended a = dx, b = dy;
    if (shift.Has(ShiftFlag::Shift)) {
        a *= 0.2L;
        b *= 0.2L;
    } else if (shift.Has(ShiftFlag::Ctrl)) {
        a *= 5;
        b *= 5;
    }
    if (shift.Has(ShiftFlag::Alt)) {
        if (dx != 0) eye.MoveLeft(a);
        if (dy != 0) eye.MoveUp(b);
        return;
    }
    const Extended d = eye.DistanceFromOrigin();
    switch (settings.EyeMode) {
    case EyeTurn:
        if (dx != 0) eye.TurnRight(a);
        if (dy != 0) eye.PitchDown(b);
        eye.RollToHorizontal();
        break;
    case EyeMove:
        if (dx != 0) {
            eye.OrbitLeft(d, a);
            eye.MoveRight(a);
        }
        if (dy != 0) eye.MoveDown(b);
        break;
    case EyeWalk:
        if (dx != 0) eye.TurnRight(a);
        if (dy != 0) eye.MoveBack(10 * b);
        break;
    default:   // Examine and Encircle
        if (dx != 0) eye.OrbitLeft(d, a);
        if (dy != 0) eye.OrbitUp(d, b);
        if (settings.EyeMode == EyeEncircle) eye.RollToHorizontal();
        break;
    }
}

void WheelMotion(Eye3d& eye, const EyeMotionSettings& settings, int delta, TShiftState shift) {
    Extended s = delta;
    if (shift.Has(ShiftFlag::Shift))
        s *= 2;
    else if (shift.Has(ShiftFlag::Ctrl))
        s *= 50;
    else
        s *= 10;
    if (shift.Has(ShiftFlag::Alt)) {
        eye.ChangeVisualAngle(s / 10);
        return;
    }
    switch (settings.EyeMode) {
    case EyeTurn: eye.RollLeft(s); break;
    case EyeWalk: break;
    default: eye.MoveForward(s); break;   // Examine, Encircle, Move
    }
}

}  // namespace pax
