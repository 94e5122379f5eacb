#pragma once
// The main window's font key: F6 the next stroke font, Shift+F6 the previous one.

namespace pax {

class tFont3d;
class MainState;

// SetFont (font number + d), which wraps at both ends; flashes "font = " and the name of the
// font then current (the previous one when the new font's file could not be loaded).
void ChangeFont(tFont3d& font, MainState& state, int d);

}  // namespace pax
