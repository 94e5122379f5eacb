#include "app/tool_windows/navigate_form.h"

#include <algorithm>

#include "app/main_state.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "render/windows/stage.h"
#include "system/settings.h"
#include "system/text_utils.h"

namespace pax {

NavigateForm::NavigateForm(Studio& studio) : m_studio(studio) { m_status = ModeStatus(); }

std::string NavigateForm::ModeStatus() const {
    return "Eye Mode = " + std::string(EyeModeName(m_studio.State().EyeMotion));
}

void NavigateForm::ButtonDown(char key, TShiftState shift) {
    if (MotionKeys.find(key) == std::string_view::npos) return;
    m_pressedKey = key;
    m_shift = shift;
    m_repeating = true;
}

void NavigateForm::RepeatTick() {
    if (!m_repeating) return;
    KeyMotion(m_studio.GetStage().Eye(), m_studio.State().EyeMotion, m_pressedKey, m_shift);
    m_studio.Pictures().ShowNextPicture();
}

void NavigateForm::ButtonHover(char key) {
    const std::string_view name = MotionName(m_studio.State().EyeMotion, key);
    if (!name.empty()) m_status = name;
}

void NavigateForm::ModeHover(char mode, TShiftState shift) {
    m_shift = shift;
    switch (mode) {
    case 'e': m_status = shift.Has(ShiftFlag::Shift) ? "Encircle Object" : "Examine Object"; break;
    case 't': m_status = "Turn Eye"; break;
    case 'm': m_status = "Move Eye"; break;
    case 'w': m_status = "Walk"; break;
    default: break;
    }
}

void NavigateForm::ModeClick(char mode, TShiftState shift) {
    int eyeMode = -1;
    switch (mode) {
    case 'e': eyeMode = shift.Has(ShiftFlag::Shift) ? EyeEncircle : EyeExamine; break;
    case 't': eyeMode = EyeTurn; break;
    case 'm': eyeMode = EyeMove; break;
    case 'w': eyeMode = EyeWalk; break;
    default: return;
    }
    SetEyeMode(m_studio.State().EyeMotion, eyeMode);
    m_status = ModeStatus();
}

void NavigateForm::StatusHover() { m_status = ModeStatus(); }

int32_t NavigateForm::SpeedPosition() const { return std::clamp(ConfigValues().Step, SpeedMin, SpeedMax); }

void NavigateForm::ChangeSpeed(int32_t position) {
    const int32_t p = std::clamp(position, SpeedMin, SpeedMax);
    ConfigValues().Step = p;
    SetMotionSpeed(m_studio.State().EyeMotion, p / 10.0L);
    SpeedHover();
}

void NavigateForm::SpeedHover() {
    m_status = "Motion Speed = " + FloatToText(1, 0, m_studio.State().EyeMotion.MotionSpeed);
}

}  // namespace pax
