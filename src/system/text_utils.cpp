#include "system/text_utils.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>

namespace pax {
namespace {

constexpr size_t MaxIntTextLength = 80;
// Enough digits for any fixed long double (about 4933 before the point) plus decimals.
constexpr int MaxDecimals = 30;
constexpr size_t FixedBufferSize = 5000 + MaxDecimals;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string PadLeft(std::string text, size_t width, char fill) {
    if (text.size() < width) text.insert(0, width - text.size(), fill);
    return text;
}

}  // namespace

std::string CutText(std::string_view text, size_t maxChars) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsContinuationByte(text[i])) continue;
        if (chars == maxChars) return std::string(text.substr(0, i));
        ++chars;
    }
    return std::string(text);
}

std::string IntToText(int32_t value, int width) {
    size_t absWidth = std::min<size_t>(width < 0 ? -static_cast<int64_t>(width) : width,
                                       MaxIntTextLength);
    if (value == -2147483647) return std::string(absWidth, ' ');
    if (width >= 0) return PadLeft(std::to_string(value), absWidth, ' ');
    int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : value;
    std::string sign = value < 0 ? "-" : "";
    size_t digitsWidth = absWidth > sign.size() ? absWidth - sign.size() : 0;
    return sign + PadLeft(std::to_string(magnitude), digitsWidth, '0');
}

std::string FloatToText(int decimals, int width, long double value) {
    std::string buffer(FixedBufferSize, '\0');
    std::to_chars_result result;
    if (decimals == 0 && width == 0) {
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                               std::chars_format::general, 15);
    } else {
        int precision = std::clamp(decimals, 0, MaxDecimals);
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                               std::chars_format::fixed, precision);
    }
    if (result.ec != std::errc()) return "?";
    buffer.resize(result.ptr - buffer.data());
    size_t absWidth = std::min<size_t>(width < 0 ? 0 : width, MaxIntTextLength);
    return PadLeft(std::move(buffer), absWidth, ' ');
}

long double TextToFloat(std::string_view text) {
    std::string number;
    bool separatorSeen = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            number += c;
        } else if (c == '.' || c == ',') {
            if (separatorSeen) break;
            separatorSeen = true;
            number += '.';
        }
    }
    if (number.empty() || number == ".") return 0;
    if (number.front() == '.') number.insert(number.begin(), '0');
    long double value = 0;
    auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    // Only a value beyond the range of long double can fail here.
    if (result.ec != std::errc()) return 0;
    return value;
}

std::string ByteToHex(uint8_t value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

std::string WordToHex(uint16_t value) {
    char text[5];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

std::string LongToHex(uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

std::string DateText(int month, int day, int year) {
    char text[40];
    std::snprintf(text, sizeof text, "%2d-%2.2d-%4.4d", month, day, year);
    return text;
}

std::string DateText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateText(local.tm_mon + 1, local.tm_mday, local.tm_year + 1900);
}

std::string RemoveBlanks(std::string_view text) {
    std::string result;
    for (char c : text)
        if (c != ' ') result += c;
    return result;
}

std::string TextBefore(std::string_view text, std::string_view separator) {
    size_t at = separator.empty() ? std::string_view::npos : text.find(separator);
    return std::string(text.substr(0, at));
}

std::string TextAfterLast(std::string_view text, char c) {
    size_t at = text.rfind(c);
    if (at == std::string_view::npos) return "";
    return std::string(text.substr(at + 1));
}

}  // namespace pax
