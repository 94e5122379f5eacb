#pragma once
// The eleven stroke fonts compiled into the program, one record per font number. The tables
// are written by tools/make_stroke_fonts.py (vector_font_data.cpp), which also documents the
// stroke encoding.

#include <array>
#include <cstddef>
#include <cstdint>

namespace pax {

struct tVectorFontRecord {
    char Name[5];          // 4 characters and a terminating 0
    uint8_t First;         // first character code
    uint8_t Last;          // last character code
    uint8_t Unused;
    int32_t Size;          // capital height minus descender, in font units
    std::array<uint8_t, 4> Reserved;
    int32_t Descender;     // negative, font units below the baseline
    uint8_t Reserved2;
    // One entry per character from First: the offset into Data of its width byte, which the
    // strokes follow. Data[0] is the font height.
    const uint16_t* Offsets;
    const uint8_t* Data;
    size_t DataSize;
};

inline constexpr int VectorFontCount = 11;

extern const std::array<tVectorFontRecord, VectorFontCount> VectorFontRecords;

}  // namespace pax
