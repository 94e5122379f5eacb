#include "app/tool_windows/anim_form.h"

#include "app/studio.h"
#include "render/windows/stage.h"

namespace pax {

const std::array<AnimationField, AnimForm::FieldCount>& AnimForm::Fields() {
    using R = AnimationReport;
    static const std::array<AnimationField, FieldCount> fields{{
        {"demo group", &R::DemoGroup},
        {"demo figure", &R::DemoFigure},
        {"picture number", &R::PictureNumber},
        {"refresh counter", &R::RefreshCounter},
        {"refresh frequency", &R::RefreshFrequency},
        {"refresh time [ms]", &R::RefreshTime},
        {"scene parts", &R::SceneParts},
        {"time", &R::Time},
        {"free memory [kB]", &R::FreeMemory},
        {"sync mode", &R::SyncMode},
        {"picture counter", &R::PictureCounter},
    }};
    return fields;
}

AnimationReport AnimForm::Report() const { return MakeAnimationReport(m_studio.State(), m_studio.GetStage().View()); }

}  // namespace pax
