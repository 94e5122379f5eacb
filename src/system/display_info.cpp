#include "system/display_info.h"

namespace pax {

tDisplayInfo& DisplayInfo() {
    static tDisplayInfo info;
    return info;
}

namespace {
int g_displayMode = 0;
}  // namespace

int CurrentDisplayMode() { return g_displayMode; }
void SetCurrentDisplayMode(int index) { g_displayMode = index < 0 ? -1 : index; }

uint16_t ColorDepthClassOf(uint16_t bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1: return 1;
        case 4: return 2;
        case 8: return 3;
        case 15: return 4;
        case 16: return 5;
        case 24: return 6;
        case 32: return 7;
        default: return 0;
    }
}

}  // namespace pax
