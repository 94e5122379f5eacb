#include "system/picture_clock.h"

#include <chrono>

#include "system/text_utils.h"

namespace pax {
namespace {
bool g_manual = false;
uint32_t g_manualNow = 0;
}  // namespace

PictureClockState& PictureClock() {
    static PictureClockState clock;
    return clock;
}

uint32_t NowMilliseconds() {
    if (g_manual) return g_manualNow;
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SetManualClock(bool manual, uint32_t milliseconds) {
    g_manual = manual;
    g_manualNow = milliseconds;
}

void ResetPictureClock() {
    PictureClockState& c = PictureClock();
    c.Counter = 0;
    c.PreviousStart = c.Start;
    c.Start = NowMilliseconds();
}

void CountPicture() { ++PictureClock().Counter; }

uint32_t ElapsedMilliseconds() {
    uint32_t elapsed = NowMilliseconds() - PictureClock().Start;
    return elapsed < 1 ? 1 : elapsed;
}

long double SecondsPerPicture() {
    const PictureClockState& c = PictureClock();
    if (c.Counter == 0) return 0.02L;
    return static_cast<long double>(ElapsedMilliseconds()) / (c.Counter * 1000.0L);
}

std::string PicturesPerSecondText() {
    long double rate = PictureClock().Counter * 1000.0L / ElapsedMilliseconds();
    // Not printf: the desktop's locale might turn the point into a comma.
    return FloatToText(1, 0, rate);
}

}  // namespace pax
