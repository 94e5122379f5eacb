#pragma once
// NavigateForm: the navigation window "Eye Navigation" without its widgets. Twelve motion
// buttons laid out like the numeric pad move the eye while they are held, one step and one
// picture per tick of the repeat timer; four mode pictures choose the eye mode; a slider sets
// the motion speed; a status panel says what the mouse points at.

#include <cstdint>
#include <string>
#include <string_view>

#include "scene/eye_motion.h"

namespace pax {

class Studio;

class NavigateForm {
public:
    static constexpr const char* Caption = "Eye Navigation";
    // The buttons' characters, row by row as on the pad (KeyMotion understands them).
    static constexpr std::string_view MotionKeys = "789456123abc";
    // The mode pictures: Examine (Encircle with Shift), Turn, Move, Walk.
    static constexpr std::string_view ModeKeys = "etmw";
    static constexpr char StatusKey = 's';
    static constexpr int MinWidth = 160;
    static constexpr int MinHeight = 220;
    static constexpr int RepeatInterval = 1;   // ms
    static constexpr int SpeedMin = 1, SpeedMax = 100, SpeedDesign = 50;

    explicit NavigateForm(Studio& studio);

    // A motion button went down: its character and the modifiers of the click; the repeat
    // runs until ButtonUp.
    void ButtonDown(char key, TShiftState shift);
    void ButtonUp() { m_repeating = false; }
    bool Repeating() const { return m_repeating; }
    // One tick of the repeat timer: one step of the eye, then one picture.
    void RepeatTick();

    // The mouse over a motion button: the status shows the motion's name.
    void ButtonHover(char key);
    // The mouse over a mode picture: the mode's name ("Encircle Object" with Shift over "e").
    void ModeHover(char mode, TShiftState shift);
    // A click on a mode picture selects the mode; the status shows it.
    void ModeClick(char mode, TShiftState shift);
    // "Eye Mode = " and the mode's name.
    void StatusHover();

    // The speed slider: "Step" := position (limited to 1 .. 100), motion speed position / 10;
    // the status shows "Motion Speed = " and the speed.
    void ChangeSpeed(int32_t position);
    void SpeedHover();
    // A right or middle click, or a click with Alt, on the slider: the middle of its range.
    void CentreSpeed() { ChangeSpeed((SpeedMin + SpeedMax) / 2); }
    int32_t SpeedPosition() const;

    const std::string& Status() const { return m_status; }
    char PressedKey() const { return m_pressedKey; }

private:
    std::string ModeStatus() const;

    Studio& m_studio;
    char m_pressedKey = 0;
    TShiftState m_shift;
    bool m_repeating = false;
    std::string m_status;
};

}  // namespace pax
