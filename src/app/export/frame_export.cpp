#include "app/export/frame_export.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "app/main_state.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "lsystem/interpreter.h"
#include "render/files/picture_io.h"
#include "system/picture_clock.h"
#include "system/settings.h"

namespace pax {

namespace {

// Puts back what a sequence changes: the clock by hand, the pause, the delay, the growth.
class SequenceState {
public:
    explicit SequenceState(Studio& studio)
        : m_studio(studio), m_paused(Switches()[Switch::Paused]), m_delay(studio.State().Delay),
          m_animationTime(studio.State().AnimationTime), m_clock(PictureClock()), m_start(NowMilliseconds()) {
        Switches()[Switch::Paused] = false;
        studio.State().Delay = 0;
        SetManualClock(true, m_start);
        ResetPictureClock();
    }
    ~SequenceState() {
        m_studio.Interpreter().ClearGrowth();
        SetManualClock(false);
        PictureClock() = m_clock;
        Switches()[Switch::Paused] = m_paused;
        m_studio.State().Delay = m_delay;
        m_studio.State().AnimationTime = m_animationTime;
    }
    SequenceState(const SequenceState&) = delete;
    SequenceState& operator=(const SequenceState&) = delete;

    // The clock and the animation time at picture index of a steady rate.
    void AdvanceTo(int index, double fps) {
        const double ms = std::round(index * 1000.0 / fps);
        SetManualClock(true, m_start + static_cast<uint32_t>(ms));
        m_studio.State().AnimationTime = m_animationTime + static_cast<int32_t>(ms);
    }

private:
    Studio& m_studio;
    bool m_paused;
    int32_t m_delay;
    int32_t m_animationTime;
    PictureClockState m_clock;
    uint32_t m_start;
};

}  // namespace

std::string FrameFileName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%04d.png", index);
    return name;
}

GrowthStep GrowthStepOf(int index, int count, int depth) {
    if (depth <= 0) return {0, 1};
    if (count <= 1 || index >= count - 1) return {depth, 1};
    if (index <= 0) return {0, 1};
    // Position index * depth / (count - 1) on the depth scale, in whole numbers: the level is
    // its ceiling, the fraction what it has grown into that level.
    const int64_t span = count - 1;
    const int64_t scaled = int64_t(index) * depth;
    const int64_t level = (scaled + span - 1) / span;
    const Extended fraction = Extended(scaled - (level - 1) * span) / Extended(span);
    return {static_cast<int>(level), fraction};
}

FramesResult ExportFrames(Studio& studio, const FramesRequest& request, FrameObserver* observer) {
    FramesResult result;
    std::error_code error;
    std::filesystem::create_directories(request.directory, error);
    if (!std::filesystem::is_directory(request.directory, error)) {
        result.error = "cannot create directory " + request.directory;
        return result;
    }
    SequenceState state(studio);
    tTarnsInterpreter& interpreter = studio.Interpreter();
    const int depth = interpreter.System().deep;
    for (int i = 0; i < request.count; ++i) {
        if (observer) observer->BeforePicture(i);
        if (request.kind == FrameKind::Growth) {
            const GrowthStep step = GrowthStepOf(i, request.count, depth);
            interpreter.SetGrowth(step.depth, step.fraction);
            studio.Pictures().ShowActualPicture();
        } else if (i == 0) {
            studio.Pictures().ShowActualPicture();
        } else {
            state.AdvanceTo(i, request.fps);
            studio.Pictures().ShowNextPicture();
        }
        const std::string file = (std::filesystem::path(request.directory) / FrameFileName(i)).string();
        if (!SavePicture(studio.Picture(), file)) {
            result.error = "cannot write " + file;
            return result;
        }
        ++result.written;
        if (observer && !observer->AfterPicture(i, request.count)) {
            result.ended = true;
            return result;
        }
    }
    result.ok = true;
    return result;
}

}  // namespace pax
