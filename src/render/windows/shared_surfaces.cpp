#include "render/windows/shared_surfaces.h"

#include "system/display_info.h"

namespace pax {

SharedSurfaces::SharedSurfaces() : SharedSurfaces(2 * DisplayInfo().HorzRes, 2 * DisplayInfo().VertRes) {}

SharedSurfaces::SharedSurfaces(int defaultWidth, int defaultHeight) {
    Default.SetSize(defaultWidth, defaultHeight);
    CurrentSurface = &Default;
}

void SharedSurfaces::RefreshBackup(const TBitmap32& from) {
    if (from.Empty()) return;
    Backup.Assign(from);
}

}  // namespace pax
