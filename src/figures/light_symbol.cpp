#include "figures/light_symbol.h"

#include "figures/figure_scope.h"
#include "figures/solids.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "scene/light3d.h"
#include "scene/pax3d.h"

namespace pax {

void DrawLight(Stage& stage) {
    Pax3d& pax = stage.Pax();
    const Light3d& light = stage.Light();
    ObjectWindow& view = stage.View();
    WindowObject object(view, "Light", ObjectShape::General);
    TurtleBranch branch(pax);
    pax.Reset();
    pax.AssignFrame(light);
    const Extended step = light.DistanceFromOrigin() / LightLinePieces;
    pax.SetColor(light.LightColor);
    if (!light.Enabled) pax.SetFillColor(LightOffFill);
    pax.SetLineTransparency(0);
    pax.SetFillTransparency(63);
    view.DrawCircle(pax.Pen(), LightMarkSize);
    pax.CopyOrientation(light);
    DrawVector(stage, light.Up(), LightStrokeLength);
    DrawVector(stage, light.Right(), LightStrokeLength);
    for (int i = 0; i < LightLinePieces; ++i) pax.DrawForward(step);
}

}  // namespace pax
