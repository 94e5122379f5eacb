// Stroke-font files of arbitrary bytes: no crash, no read outside the data; a file that loads
// has every character's width and strokes inside what it holds, and one that fails holds
// nothing and names a known error.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "render/fonts/stroke_data.h"
#include "render/fonts/stroke_font_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pax::tBGIFont font;
    if (!font.LoadBytes(std::vector<uint8_t>(data, data + size))) {
        if (font.Held() || !font.Data.empty()) std::abort();
        if (font.Error != pax::tBGIFont::ErrorBadFormat && font.Error != pax::tBGIFont::ErrorReadPastEnd) std::abort();
        return 0;
    }
    if (font.Last < font.First || font.Data.size() != size) std::abort();
    long sum = 0;
    for (int c = font.First; c <= font.Last; ++c) {
        if (font.CharWidth(static_cast<uint8_t>(c)) < 0) std::abort();
        const auto strokes = font.CharStrokes(static_cast<uint8_t>(c));
        if (strokes.empty() || strokes.back() != 0) std::abort();
        pax::WalkStrokes(strokes, [&](const std::vector<pax::tStrokePoint>& line) { sum += line.front().x; });
    }
    // Kept from being optimised away by the barrier.
    asm volatile("" : : "r"(sum) : "memory");
    return 0;
}
