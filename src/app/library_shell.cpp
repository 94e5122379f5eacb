#include "app/library_shell.h"

#include "app/basic_animations.h"
#include "app/demo_catalogue.h"
#include "app/main_state.h"
#include "render/windows/stage.h"
#include "scene/eye_motion.h"

namespace pax {

LibraryShell::LibraryShell(DemoCatalogue& catalogue, MainState& state, BasicAnimations& animations, Stage& stage)
    : m_catalogue(catalogue), m_state(state), m_animations(animations), m_stage(stage) {}

void LibraryShell::RegisterAnimation(const std::string& category) {
    DemoProc data;
    if (category == EyeMotionCategory) data = [this] { EyeMotionForPendingKey(); };
    m_catalogue.RegisterAnimation(category, [this] { StartCategory(); }, {}, std::move(data));
}

void LibraryShell::RegisterFigure(const std::string& name) {
    // An L-system's walk makes parts inside its window object and nothing else.
    if (m_catalogue.RegisterFigure(name, [this] { DrawFigure(); })) m_catalogue.MarkLastFigurePartsOnly();
}

void LibraryShell::SetRotationVector(const tVector3d& rotation) {
    if (m_interpreter) m_animations.SetRotateAnimation(rotation.x, rotation.y, rotation.z);
}

void LibraryShell::SetSecondValues(Extended a, Extended b, Extended c) {
    if (m_interpreter) m_animations.SetWobbleAnimation(a, b, c);
}

void LibraryShell::StartCategory() {
    if (m_interpreter) m_interpreter->StartCategory(m_state.FigureTitle);
}

void LibraryShell::DrawFigure() {
    if (m_interpreter) m_interpreter->DrawFigure();
}

void LibraryShell::EyeMotionForPendingKey() {
    const PictureInput& input = m_state.Input;
    if (input.KeyNotHandled) KeyMotion(m_stage.Eye(), m_state.EyeMotion, input.LastKey, input.LastShift);
}

}  // namespace pax
