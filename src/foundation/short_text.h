#pragma once
// Fixed-capacity texts (names of 30 characters, lines of 76 or 255) are cut, never refused.

#include <cstddef>
#include <string>
#include <string_view>

namespace pax {

inline constexpr size_t NameCapacity = 30;

// The first maxChars characters of text; a character is a UTF-8 sequence and is never split.
inline std::string CutText(std::string_view text, size_t maxChars) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && chars++ == maxChars) return std::string(text.substr(0, i));
    }
    return std::string(text);
}

}  // namespace pax
