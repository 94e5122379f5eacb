#pragma once
// The one place where Qt's keys become the virtual-key codes and the modifier set that the
// engine's key handling speaks.

#include <Qt>

#include "app/virtual_key.h"
#include "scene/eye_motion.h"

namespace pax {

// The virtual-key code of a Qt key; the keypad modifier tells the pad's digits and operators
// from the main block's. 0 for a key without a code.
int VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);

// Shift, Alt and Ctrl of Qt's modifiers; the keypad and meta flags are dropped.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);

}  // namespace pax
