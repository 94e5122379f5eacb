#include "app/animation_report.h"

#include "app/main_state.h"
#include "render/windows/object_window.h"
#include "system/picture_clock.h"
#include "system/system_info.h"
#include "system/text_utils.h"

namespace pax {

std::string GroupDigits(int64_t value) {
    // Through the unsigned magnitude, so that the smallest int64 has a positive counterpart.
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    const std::string digits = std::to_string(magnitude);
    std::string text = value < 0 ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += '.';
        text += digits[i];
    }
    return text;
}

AnimationReport MakeAnimationReport(const MainState& state, const ObjectWindow& view) {
    RefreshMemoryStatus();
    AnimationReport r;
    r.FigureName = state.FigureTitle;
    r.DemoGroup = std::to_string(state.CurrentDemo);
    r.DemoFigure = std::to_string(state.CurrentFigure);
    r.PictureNumber = GroupDigits(view.PictureCount());
    r.RefreshCounter = std::to_string(state.TickCount);
    r.RefreshFrequency = PicturesPerSecondText();
    r.RefreshTime = FloatToText(2, 0, SecondsPerPicture() * 1000);
    r.SceneParts = std::to_string(view.PartCount());
    r.Time = std::to_string(ElapsedMilliseconds());
    r.FreeMemory = std::to_string(MemoryStatus().AvailPhys / 1024);
    r.SyncMode = state.SyncText();
    r.PictureCounter = GroupDigits(PictureClock().Counter);
    return r;
}

}  // namespace pax
