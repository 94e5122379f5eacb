#include "gui/key_table.h"

#include <array>
#include <utility>

namespace pax {

namespace {

// Keys whose code does not follow from their character.
constexpr std::array<std::pair<int, int>, 17> NamedKeys{{
    {Qt::Key_Backspace, VirtualKey::Backspace}, {Qt::Key_Tab, VirtualKey::Tab},
    {Qt::Key_Clear, VirtualKey::Clear},         {Qt::Key_Return, VirtualKey::Enter},
    {Qt::Key_Enter, VirtualKey::Enter},         {Qt::Key_Shift, VirtualKey::Shift},
    {Qt::Key_Control, VirtualKey::Control},     {Qt::Key_Alt, VirtualKey::Alt},
    {Qt::Key_Pause, VirtualKey::Pause},         {Qt::Key_Escape, VirtualKey::Escape},
    {Qt::Key_PageUp, VirtualKey::PageUp},       {Qt::Key_PageDown, VirtualKey::PageDown},
    {Qt::Key_End, VirtualKey::End},             {Qt::Key_Home, VirtualKey::Home},
    {Qt::Key_Insert, VirtualKey::Insert},       {Qt::Key_Delete, VirtualKey::Delete},
    {Qt::Key_Space, VirtualKey::Space},
}};

// The pad's operators; only with the keypad modifier, since the main block's "*" or "+"
// have other codes.
constexpr std::array<std::pair<int, int>, 5> PadOperators{{
    {Qt::Key_Asterisk, VirtualKey::Multiply},
    {Qt::Key_Plus, VirtualKey::Add},
    {Qt::Key_Minus, VirtualKey::Subtract},
    {Qt::Key_Period, VirtualKey::Decimal},
    {Qt::Key_Slash, VirtualKey::Divide},
}};

int Lookup(const auto& table, int qtKey) {
    for (const auto& [from, to] : table)
        if (from == qtKey) return to;
    return 0;
}

}  // namespace

int VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool pad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_Left && qtKey <= Qt::Key_Down) return VirtualKey::Left + (qtKey - Qt::Key_Left);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return VirtualKey::F1 + (qtKey - Qt::Key_F1);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return pad ? VirtualKey::Numpad0 + (qtKey - Qt::Key_0) : qtKey;
    // Qt's letters are the upper-case characters, as are the codes.
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
    if (pad)
        if (const int code = Lookup(PadOperators, qtKey)) return code;
    return Lookup(NamedKeys, qtKey);
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers) {
    TShiftState shift;
    if (modifiers.testFlag(Qt::ShiftModifier)) shift = shift | ShiftFlag::Shift;
    if (modifiers.testFlag(Qt::AltModifier)) shift = shift | ShiftFlag::Alt;
    if (modifiers.testFlag(Qt::ControlModifier)) shift = shift | ShiftFlag::Ctrl;
    return shift;
}

}  // namespace pax
