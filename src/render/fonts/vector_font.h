#pragma once
// tVectorFont: one of the compiled-in stroke fonts selected by number, with the lookup of a
// character's width and data. Errors are kept in Error, never thrown.

#include <cstdint>
#include <span>

#include "render/fonts/vector_font_data.h"

namespace pax {

class tVectorFont {
public:
    static constexpr int32_t ErrorCharRange = 201;   // character outside First .. Last
    static constexpr int32_t ErrorNoFont = 210;      // no compiled-in font of that number

    int32_t Error = 0;
    const tVectorFontRecord* Font = nullptr;
    int32_t Height = 0;        // the first byte of the font's character data
    int32_t Size = 0;
    uint8_t Char = 0;          // the current character
    // The current character's data: its width byte and its strokes.
    std::span<const uint8_t> CharData;

    // Error 210 unless number names a compiled-in font; then error 0, the font's height and
    // size, its first character current. Returns whether Error is 0.
    bool SelectFont(int number);
    // The width of c; outside the font's characters error 201 and 0.
    int GetCharWidth(uint8_t c);
    // Makes c the current character; outside the font's characters error 201 and the first
    // character is taken instead. Returns whether c was in range.
    bool GetCharData(uint8_t c);

private:
    bool InRange(uint8_t c) const;
    std::span<const uint8_t> DataOf(uint8_t c) const;
};

}  // namespace pax
