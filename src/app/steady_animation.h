#pragma once
// The running animation on a clock driven by hand: picture n comes n / fps seconds of
// animation time after the first, however long each picture takes to draw, so that a sequence
// of pictures (an export, a benchmark) is the same on any machine. The loop runs unpaused and
// undelayed meanwhile; the process-wide clock, the pause switch, the delay and the animation
// time are put back at the end.

#include <cstdint>

#include "system/picture_clock.h"

namespace pax {

class Studio;

class SteadyAnimation {
public:
    SteadyAnimation(Studio& studio, double fps);
    ~SteadyAnimation();
    SteadyAnimation(const SteadyAnimation&) = delete;
    SteadyAnimation& operator=(const SteadyAnimation&) = delete;

    // The clock and the animation time of picture index.
    void AdvanceTo(int index);

private:
    Studio& m_studio;
    double m_fps;
    bool m_paused;
    int32_t m_delay;
    int32_t m_animationTime;
    PictureClockState m_clock;
    uint32_t m_start;
};

}  // namespace pax
