#include "app/steady_animation.h"

#include <cmath>

#include "app/main_state.h"
#include "app/studio.h"
#include "system/settings.h"

namespace pax {

SteadyAnimation::SteadyAnimation(Studio& studio, double fps)
    : m_studio(studio), m_fps(fps), m_paused(Switches()[Switch::Paused]), m_delay(studio.State().Delay),
      m_animationTime(studio.State().AnimationTime), m_clock(PictureClock()), m_start(NowMilliseconds()) {
    Switches()[Switch::Paused] = false;
    studio.State().Delay = 0;
    SetManualClock(true, m_start);
    ResetPictureClock();
}

SteadyAnimation::~SteadyAnimation() {
    SetManualClock(false);
    PictureClock() = m_clock;
    Switches()[Switch::Paused] = m_paused;
    m_studio.State().Delay = m_delay;
    m_studio.State().AnimationTime = m_animationTime;
}

void SteadyAnimation::AdvanceTo(int index) {
    const double ms = std::round(index * 1000.0 / m_fps);
    SetManualClock(true, m_start + static_cast<uint32_t>(ms));
    m_studio.State().AnimationTime = m_animationTime + static_cast<int32_t>(ms);
}

}  // namespace pax
