#pragma once
// Screen metrics. Without a display (command line, tests) a fixed screen of 1920 x 1080
// pixels at 96 dots per inch, 32 bits per pixel and 60 Hz, so that headless pictures are
// reproducible; the desktop program fills in its real screen.

#include <cstdint>

namespace pax {

struct tDisplayInfo {
    uint64_t DeviceContext = 0;
    uint16_t HorzRes = 1920;        // pixels
    uint16_t VertRes = 1080;
    uint16_t BitsPerPixel = 32;
    uint16_t ColorDepthClass = 7;   // 0 unknown, 1: 1 bit, 2: 4, 3: 8, 4: 15, 5: 16, 6: 24, 7: 32
    uint16_t Planes = 1;
    uint16_t HorzSize = 508;        // millimetres: 1920 pixels at 96 per inch
    uint16_t VertSize = 286;        // 1080 pixels at 96 per inch, rounded
    uint16_t AspectX = 36;
    uint16_t AspectY = 36;
    uint16_t ColorRes = 24;
    uint16_t DriverVersion = 0;
    uint16_t RefreshRate = 60;      // Hz
    uint16_t DesktopHorzRes = 1920;
    uint16_t DesktopVertRes = 1080;
};

tDisplayInfo& DisplayInfo();

// The index of the current display mode among the system's modes; -1 when none matches.
// The fixed headless screen has one mode, 0; the desktop program sets the real index.
int CurrentDisplayMode();
void SetCurrentDisplayMode(int index);

// The colour-depth class of a bit count (0 for an unknown count).
uint16_t ColorDepthClassOf(uint16_t bitsPerPixel);

}  // namespace pax
