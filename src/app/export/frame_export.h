#pragma once
// Picture sequences: the figure's basic animation as the desktop shows it, one picture every
// 1 / fps seconds of animation time (the picture clock is driven by hand, so the steps are
// those of a steady rate however long a picture takes to draw), or its growth: the figure at
// depth 0, 1, ... up to its depth, with pictures between in which the segments the next
// generation adds grow from nothing to full length. Pictures go to DIR/frame_0000.png ...,
// each written atomically.
//
// The desktop's "Export Frames ..." item calls ExportFrames with the current figure as shown;
// the command line passes an observer that guards each picture with its time limit.

#include <string>

#include "foundation/extended.h"

namespace pax {

class Studio;

enum class FrameKind { Animation, Growth };

struct FramesRequest {
    std::string directory;
    int count = 100;
    double fps = 25;
    FrameKind kind = FrameKind::Animation;
};

// Told around every picture; AfterPicture returning false ends the sequence there.
class FrameObserver {
public:
    virtual ~FrameObserver() = default;
    virtual void BeforePicture(int index) { (void)index; }
    virtual bool AfterPicture(int index, int total) {
        (void)index;
        (void)total;
        return true;
    }
};

struct FramesResult {
    bool ok = false;
    std::string error;
    int written = 0;
    bool ended = false;   // the observer ended the sequence early
};

// "frame_0000.png": at least four digits.
std::string FrameFileName(int index);

// Growth picture index of count for a figure of depth: depth 0 first, the figure's own depth
// last, the levels between evenly spread. fraction 1 is the figure of that depth itself.
struct GrowthStep {
    int depth = 0;
    Extended fraction = 1;
};
GrowthStep GrowthStepOf(int index, int count, int depth);

// Picture 0 is the current picture drawn again; the animation runs on from where it is. The
// directory is created when missing. The process-wide clock, pause switch and delay are put
// back afterwards.
FramesResult ExportFrames(Studio& studio, const FramesRequest& request, FrameObserver* observer = nullptr);

}  // namespace pax
