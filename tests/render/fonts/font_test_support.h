#pragma once
// Stroke-font files for the font tests: the generated files' bytes, and small files made
// here in the checked layout.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/fonts/stroke_font_file.h"

namespace pax::testing {

inline std::vector<uint8_t> FontFileBytes(const std::string& name) {
    std::ifstream in(tBGIFont::FontFilePath(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A font of count characters from first, each a dot at (width, 0) of that width.
inline std::vector<uint8_t> MadeFont(uint8_t first, int count) {
    std::vector<uint8_t> f(0x90 + 3 * size_t(count), 0);
    f[0] = 'P', f[1] = 'K', f[2] = 8, f[3] = 8;
    f[0x5C] = 'T', f[0x5D] = 'E', f[0x5E] = 'S', f[0x5F] = 'T';
    f[0x81] = uint8_t(count), f[0x82] = uint8_t(count >> 8);
    f[0x84] = first;
    const int strokeOffset = 0x10 + 3 * count;
    f[0x85] = uint8_t(strokeOffset), f[0x86] = uint8_t(strokeOffset >> 8);
    for (int i = 0; i < count; ++i) {
        const size_t at = 4 * size_t(i);
        f[0x90 + 2 * i] = uint8_t(at), f[0x91 + 2 * i] = uint8_t(at >> 8);
        f[0x90 + 2 * count + i] = uint8_t(i % 100);
        for (uint8_t b : {uint8_t(1), uint8_t(i % 100), uint8_t(0), uint8_t(0)}) f.push_back(b);
    }
    return f;
}

}  // namespace pax::testing
