#include "lsystem/ls_system.h"

#include <cmath>
#include <string>

#include "lsystem/vl_system.h"
#include "system/exceptions.h"
#include "system/text_utils.h"

namespace pax {

namespace {

// The code point of the UTF-8 sequence at text[i] and its length; length 0 when the bytes
// there are not a complete, shortest-form sequence.
char32_t DecodeAt(std::string_view text, size_t i, size_t& length) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    length = 0;
    size_t count = 0;
    char32_t code = 0;
    if (lead < 0x80) {
        length = 1;
        return lead;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        count = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        count = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        count = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + count > text.size()) return 0;
    for (size_t k = 1; k < count; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    const char32_t smallest = count == 3 ? 0x800 : count == 4 ? 0x10000 : 0x80;
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    length = count;
    return code;
}

std::string CutBytes(std::string text, size_t capacity) {
    if (text.size() > capacity) text.resize(capacity);
    return text;
}

[[noreturn]] void RangeError(const tLSDef& def, const std::string& what) {
    throw ERangeError("L-system \"" + def.name + "\": " + what);
}

}  // namespace

bool Turns3d(std::string_view text) { return text.find_first_of("^&\\/") != std::string_view::npos; }

std::string ToCharacterBytes(std::string_view utf8) {
    std::string bytes;
    bytes.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        size_t length = 0;
        const char32_t code = DecodeAt(utf8, i, length);
        if (length == 0) {
            bytes += utf8[i++];
            continue;
        }
        bytes += code <= 0xFF ? static_cast<char>(code) : LSForeignCharacter;
        i += length;
    }
    return bytes;
}

std::string FromCharacterBytes(std::string_view bytes) {
    std::string utf8;
    utf8.reserve(bytes.size());
    for (char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            utf8 += c;
            continue;
        }
        utf8 += static_cast<char>(0xC0 | (code >> 6));
        utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
    return utf8;
}

tLSystem ToLSystem(const tLSDef& def, ZeroDefaults zeros) {
    if (def.deep < 0 || def.deep > LSMaxDeep)
        RangeError(def, "deep " + std::to_string(def.deep) + " is outside the valid range of 0 .. 65535");
    if (def.rules.size() > LSRuleSlots)
        RangeError(def, std::to_string(def.rules.size()) + " rules, but at most 41 can be used");

    tLSystem system;
    system.is3d = false;
    system.name = CutText(def.name, LSNameCapacity);
    system.info = CutText(def.info, LSTextCapacity);
    system.link = CutText(def.link, LSTextCapacity);
    system.angle = def.angle;
    const bool replace = zeros == ZeroDefaults::Replace;
    system.step = replace && def.step == 0 ? 100 : def.step;
    system.factor = replace && def.factor == 0 ? 1 : def.factor;
    system.thickness = std::nearbyint(def.thickness);
    system.deep = static_cast<uint16_t>(def.deep);
    system.axiom = CutBytes(ToCharacterBytes(def.axiom), LSTextCapacity);
    for (size_t i = 0; i < def.rules.size(); ++i) {
        const std::string text = ToCharacterBytes(def.rules[i]);
        if (text.empty()) continue;
        tGenerator& slot = system.rules[i];
        slot.symbol = text[0];
        // The second character separates (":" or "="); it has no meaning of its own.
        slot.successor = text.size() > 2 ? CutBytes(text.substr(2), LSSuccessorCapacity) : std::string();
        if (Turns3d(slot.successor)) system.is3d = true;
    }
    return system;
}

tLSystem ToLSystem(const tVLSystem& node) { return ToLSystem(ToLSDef(node), ZeroDefaults::Keep); }

tVLSystem ToVLSystem(const tLSystem& system) {
    tVLSystem node;
    node.name = system.name;
    node.info = system.info;
    node.link = system.link;
    node.angle = system.angle;
    node.step = system.step;
    node.factor = system.factor;
    node.thickness = system.thickness;
    node.deep = system.deep;
    node.axiom = FromCharacterBytes(system.axiom);
    for (const tGenerator& rule : system.rules) {
        if (rule.symbol == 0) continue;
        node.rules.push_back(FromCharacterBytes(std::string(1, rule.symbol) + "=" + rule.successor));
    }
    return node;
}

}  // namespace pax
