#pragma once
// The L-system palette: the 256 colours that the colour commands step through. Entries 0..15
// are the language's own; 16..255 follow the program's current palette, one step less opaque
// (alpha 254), and are taken again whenever a library category starts.

#include <array>
#include <cstdint>

#include "foundation/color32.h"

namespace pax {

class tPalette;

class tLSPalette {
public:
    static constexpr int Size = 256;
    // Drawing starts with this entry (brown).
    static constexpr uint8_t StartIndex = 1;
    static constexpr std::array<TColor32, 16> OwnEntries = {
        0xFFFFD700, 0xFF774422, 0xFF228B22, 0xFF32CD32, 0xFFCD853F, 0xFFFFA500, 0xFFFF0000, 0xFFEE82EE,
        0xFF9A32CD, 0xFF0000FF, 0xFF8A2BE2, 0xFFBEBEBE, 0xFFCD6090, 0xFFFFC0CB, 0xFFEEEE00, 0xFFFFFFFF,
    };

    // Built from the program's current palette.
    tLSPalette();

    void Rebuild(const tPalette& program);
    // From the program's current palette.
    void Rebuild();

    TColor32 operator[](uint8_t index) const { return m_colors[index]; }
    const std::array<TColor32, Size>& Colors() const { return m_colors; }

private:
    std::array<TColor32, Size> m_colors{};
};

}  // namespace pax
