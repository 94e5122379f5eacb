#include "app/export/frame_export.h"

#include <cstdio>
#include <filesystem>

#include "app/picture_loop.h"
#include "app/steady_animation.h"
#include "app/studio.h"
#include "lsystem/interpreter.h"
#include "render/files/picture_io.h"

namespace pax {

namespace {

// After a sequence the figure is drawn whole again, whatever growth step it ended on.
struct GrowthCleared {
    Studio& studio;
    ~GrowthCleared() { studio.Interpreter().ClearGrowth(); }
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
    SteadyAnimation animation(studio, request.fps);
    const GrowthCleared growthCleared{studio};
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
            animation.AdvanceTo(i);
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
