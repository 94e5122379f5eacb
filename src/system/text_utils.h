#pragma once
// Text and number conversions shared by every layer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pax {

// text cut to at most maxChars characters (UTF-8 code points), never inside a character.
std::string CutText(std::string_view text, size_t maxChars);

// Decimal text right-aligned in width, at most 80 characters. A negative width means the
// absolute width filled with "0" (after the sign); the value -2147483647 gives width blanks.
std::string IntToText(int32_t value, int width);

// Fixed notation with width and decimals; when both are 0 the shortest general form. The
// decimal separator is always "." (the settings file and the info line depend on it).
std::string FloatToText(int decimals, int width, long double value);

// Every character other than a digit, "." and "," is dropped (so the result is never
// negative); the first "." or "," is the decimal separator and a later one ends the
// number. An empty text gives 0.
long double TextToFloat(std::string_view text);

// Upper-case hexadecimal digits, high part first: 2, 4 and 8 of them.
std::string ByteToHex(uint8_t value);
std::string WordToHex(uint16_t value);
std::string LongToHex(uint32_t value);

// Today as "%2d-%2.2d-%4.4d" of month, day and year (" 3-07-2024").
std::string DateText();
std::string DateText(int month, int day, int year);

std::string RemoveBlanks(std::string_view text);

// The part before the first separator; the whole text when there is none.
std::string TextBefore(std::string_view text, std::string_view separator);

// The part after the last occurrence of c; empty when there is none.
std::string TextAfterLast(std::string_view text, char c);

}  // namespace pax
