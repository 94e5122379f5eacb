#include "cli/counting_window.h"

#include "render/windows/object_window.h"
#include "render/windows/stage.h"

namespace pax {

CountingWindow::CountingWindow(Stage& stage)
    : Proj3dWindow("counting", stage.Surfaces(), stage.Sprites(), stage.Eye(), stage.Light()) {
    ObjectWindow& view = stage.View();
    SelectBitmap(&stage.DrawingSurface());
    SetSize(view.X1(), view.Y1(), view.X2(), view.Y2());
    Open();
    Reset();
    // The view stays the window the application draws into.
    view.Select();
}

void CountingWindow::DoLine(ProjData&) { ++m_lines; }

}  // namespace pax
