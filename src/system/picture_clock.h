#pragma once
// The picture clock: pictures shown since the last reset and the milliseconds they took,
// from which the animation derives its picture rate and its real-time steps.

#include <cstdint>
#include <string>

namespace pax {

struct PictureClockState {
    uint32_t Counter = 0;        // pictures since the last reset
    uint32_t Start = 0;          // milliseconds of the monotonic clock at the last reset
    uint32_t PreviousStart = 0;
};

PictureClockState& PictureClock();

// Milliseconds of a monotonic clock.
uint32_t NowMilliseconds();

void ResetPictureClock();
void CountPicture();                 // the animation loop's "picture counter + 1"
uint32_t ElapsedMilliseconds();      // now - start, at least 1
long double SecondsPerPicture();     // 0.02 before the first picture
std::string PicturesPerSecondText(); // "12.5"

// Tests and the command line drive the clock by hand: while set, NowMilliseconds returns it.
void SetManualClock(bool manual, uint32_t milliseconds = 0);

}  // namespace pax
