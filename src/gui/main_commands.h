#pragma once
// MainCommands: what the main window's keys and mouse on the picture do, in the engine's own
// terms (virtual-key codes, the modifier set, picture pixels), so that it runs without a
// display. The widgets translate Qt's events and forward them here; the commands go to the
// Studio's player, picture loop and state.

#include <cstdint>
#include <functional>
#include <string>

#include "scene/eye_motion.h"

namespace pax {

class Studio;

class MainCommands {
public:
    static constexpr const char* MoveHint = "Eye Mode = Move";
    static constexpr const char* WheelHint = "mouse wheel up/down: figure selection";

    // closeWindow is what Esc and F11 do.
    MainCommands(Studio& studio, std::function<void()> closeWindow);

    // The key recorded for the next picture, then the key commands, then those of the
    // characters for a key the first did not take; any other key is left to the next
    // picture's eye motion. With Alt the eye moves at once as well.
    void KeyDown(int key, TShiftState shift);
    void KeyUp(int key, TShiftState shift);

    // button: MouseButton::Left, Right or Middle; x, y in picture pixels.
    void MouseDown(uint8_t button, int x, int y, TShiftState shift);
    void MouseMove(int x, int y, TShiftState shift);
    void MouseUp(TShiftState shift);
    // sign: +1 a turn away from the user, -1 towards.
    void Wheel(int sign, TShiftState shift);
    void DoubleClick(TShiftState shift);

    // The dragon, the ghost, the eye and both turtles reset; the ghost prepared for the
    // basic animation; with Shift the top view, with Alt the right view; a fresh picture.
    void EditReset(TShiftState shift);

    // The first status panel: the modifiers held, else the demo and figure shown ("3/12").
    std::string StateText(TShiftState shift) const;

private:
    bool KeyCommand(int key, TShiftState shift);
    bool CharacterCommand(int key, TShiftState shift);
    void ShowEyeData();

    Studio& m_studio;
    std::function<void()> m_closeWindow;
};

}  // namespace pax
