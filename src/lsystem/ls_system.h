#pragma once
// tLSystem: an L-system in the form the derivation walk draws from; tLSState: the drawing
// state that travels down the derivation; the conversions from a library definition and from
// a file node, and back to a node.
//
// Character codes. The walk indexes its tables by character code 0..255, so the axiom, the
// rule symbols and the successors of a tLSystem are held as one byte per character (Latin-1).
// The texts of definitions and nodes are UTF-8; the conversion turns every UTF-8 character
// U+0080..U+00FF into its Latin-1 byte, so "§" is code 167 (traced) and "´" code 180 (colour
// decrement); a character above U+00FF becomes LSForeignCharacter, which means nothing to the
// interpreter. Bytes that are not valid UTF-8 are taken as Latin-1 bytes as they are. The way
// back (ToVLSystem) writes UTF-8 again. Name, info and link stay UTF-8: only people read them.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/extended.h"
#include "lsystem/ls_def.h"

namespace pax {

struct tVLSystem;

inline constexpr size_t LSNameCapacity = 30;        // characters
inline constexpr size_t LSTextCapacity = 76;        // info, link and axiom
inline constexpr size_t LSSuccessorCapacity = 255;
inline constexpr size_t LSRuleSlots = 41;
inline constexpr int32_t LSMaxDeep = 65535;
// What a character above U+00FF becomes in a prepared text: the ASCII substitute, no command.
inline constexpr char LSForeignCharacter = '\x1A';

// One rule: symbol 0 marks an unused slot.
struct tGenerator {
    char symbol = 0;
    std::string successor;   // at most LSSuccessorCapacity bytes

    bool operator==(const tGenerator&) const = default;
};

struct tLSystem {
    bool is3d = false;        // a successor turns out of the plane ("^", "&", "\", "/")
    std::string name;         // at most 30 characters
    std::string info;         // at most 76
    std::string link;         // at most 76
    Extended angle = 90;      // degrees
    Extended step = 100;      // unscaled segment length
    Extended factor = 1;      // scale per generation
    Extended thickness = 1;   // always a whole number
    uint16_t deep = 1;        // generations
    std::string axiom;        // at most 76 bytes
    std::array<tGenerator, LSRuleSlots> rules;

    bool operator==(const tLSystem&) const = default;
};

// The drawing state of one derivation level; every level works on its own copy.
struct tLSState {
    Extended angle = 0;       // degrees
    Extended step = 0;
    Extended thickness = 0;
    uint16_t depth = 0;       // generations still to apply
    uint8_t colour = 1;       // index into the L-system palette
};

// Whether step 0 and factor 0 stand for 100 and 1 (library definitions) or are taken as they
// are (file nodes).
enum class ZeroDefaults { Replace, Keep };

// Texts cut to their capacities, thickness rounded (halves to even), rule i into slot i.
// Throws ERangeError for deep outside 0..65535 and for more than 41 rules.
tLSystem ToLSystem(const tLSDef& def, ZeroDefaults zeros = ZeroDefaults::Replace);
// The node's first 41 rules; step and factor as they are.
tLSystem ToLSystem(const tVLSystem& node);
// The fields into a node, every used slot as symbol + "=" + successor.
tVLSystem ToVLSystem(const tLSystem& system);

// True when text holds one of the characters that turn out of the plane: ^ & \ /.
bool Turns3d(std::string_view text);

// UTF-8 to one byte per character and back (see the file comment).
std::string ToCharacterBytes(std::string_view utf8);
std::string FromCharacterBytes(std::string_view bytes);

}  // namespace pax
