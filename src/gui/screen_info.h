#pragma once
// The screen and printer facts that the engine keeps toolkit-free (DisplayInfo, the default
// printer), filled in from Qt at start-up.

class QScreen;

namespace pax {

struct tDisplayInfo;

// Resolution, physical size in millimetres, refresh rate and colour depth of the screen.
// Values a screen does not report keep what info had.
void FillDisplayInfo(tDisplayInfo& info, const QScreen& screen);

// DisplayInfo() from the primary screen and the default printer from the print system;
// nothing changes without a screen.
void ReadScreenInfo();

}  // namespace pax
