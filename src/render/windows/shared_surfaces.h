#pragma once
// The surfaces that every graphics window shares: the drawing surface (the picture), its
// backup, the default surface of twice the screen size in each direction (where a window
// draws until it is given its own), and the line z-buffer. One set per Stage; the windows
// borrow them and never own them.

#include "render/surface/bitmap32.h"
#include "render/windows/zbuffer.h"

namespace pax {

class oWindow;

struct SharedSurfaces {
    // The default surface twice the size of the screen that DisplayInfo describes.
    SharedSurfaces();
    // A default surface of the given size (tests keep it small).
    SharedSurfaces(int defaultWidth, int defaultHeight);
    SharedSurfaces(const SharedSurfaces&) = delete;
    SharedSurfaces& operator=(const SharedSurfaces&) = delete;

    // A copy of from, unless from is empty.
    void RefreshBackup(const TBitmap32& from);

    TBitmap32 Drawing;
    TBitmap32 Backup;
    TBitmap32 Default;
    TZBuffer32 ZBuffer;

    // The surface selected last and the window created or selected last; not owned.
    TBitmap32* CurrentSurface = nullptr;
    oWindow* CurrentWindow = nullptr;
};

}  // namespace pax
