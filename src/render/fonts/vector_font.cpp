#include "render/fonts/vector_font.h"

#include <cassert>

namespace pax {

bool tVectorFont::SelectFont(int number) {
    Error = ErrorNoFont;
    if (number < 0 || number >= VectorFontCount) return false;
    Error = 0;
    Font = &VectorFontRecords[static_cast<size_t>(number)];
    Height = Font->Data[0];
    Size = Font->Size;
    GetCharData(Font->First);
    return true;
}

bool tVectorFont::InRange(uint8_t c) const { return Font && c >= Font->First && c <= Font->Last; }

// From the character's width byte to the next character's (or the end of the data).
std::span<const uint8_t> tVectorFont::DataOf(uint8_t c) const {
    const size_t index = c - Font->First;
    const size_t begin = Font->Offsets[index];
    const size_t end = c == Font->Last ? Font->DataSize : Font->Offsets[index + 1];
    assert(begin < end && end <= Font->DataSize);
    return {Font->Data + begin, end - begin};
}

int tVectorFont::GetCharWidth(uint8_t c) {
    if (!InRange(c)) {
        Error = ErrorCharRange;
        return 0;
    }
    return static_cast<int8_t>(DataOf(c)[0]);
}

bool tVectorFont::GetCharData(uint8_t c) {
    if (!Font) {
        Error = ErrorNoFont;
        return false;
    }
    const bool inRange = InRange(c);
    if (!inRange) {
        Error = ErrorCharRange;
        c = Font->First;
    }
    Char = c;
    CharData = DataOf(c);
    return inRange;
}

}  // namespace pax
