#pragma once
// tVLSystem: the "LSystem" node of .LSY files, its reader on top of the parser framework, its
// writer, and the conversions to and from the library's tLSDef.
//
//   LSystem
//   { name Koch                       # the snowflake
//     angle 60
//     axiom "F++F++F"
//     rules
//     [ "F=F-F++F-F"
//     ]
//   }

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/extended.h"
#include "lsystem/ls_def.h"

namespace pax {

class tParser;

// The fields in the order in which they are offered to the readers and written. Segments is
// read but never written: it turns into angle.
enum class VLField : uint8_t { Name, Info, Link, Angle, Segments, Step, Thickness, Factor, Deep, Colors, Axiom, Rules };
inline constexpr size_t VLFieldCount = 12;

std::string_view VLFieldKeyword(VLField field);
// True for the keywords of the node's fields (an unbracketed rule list ends at one).
bool IsVLFieldKeyword(std::string_view word);

inline constexpr std::string_view VLSystemKeyword = "LSystem";
inline constexpr int32_t DefaultSegments = 12;
inline constexpr int32_t MaxSegments = 1000;
inline constexpr Extended MinStep = 0.5L;
inline constexpr Extended MaxStep = 2000;
// Rule entries beyond this many are kept in the node but not used for drawing.
inline constexpr size_t MaxUsedRules = 41;

struct tVLSystem {
    std::vector<std::string> comments;  // comment lines before or between the fields
    std::string name;
    std::string info;
    std::string link;
    Extended angle = 30;        // degrees
    Extended step = 100;        // 0.5 .. 2000
    Extended thickness = 1;     // rounded when the system is selected
    Extended factor = 1;        // scale per generation
    int32_t deep = 3;           // generations
    std::vector<Extended> colors;  // red, green, blue, red, ...: kept and written, not drawn
    std::string axiom;
    std::vector<std::string> rules;  // "A=successor" or "A:successor"
    // The comment that followed a field's value on its line, by VLField.
    std::array<std::string, VLFieldCount> fieldComments;

    std::string& Comment(VLField field) { return fieldComments[static_cast<size_t>(field)]; }
    const std::string& Comment(VLField field) const { return fieldComments[static_cast<size_t>(field)]; }

    bool operator==(const tVLSystem&) const = default;
};

// Reads one node; the keyword "LSystem" has been consumed. Missing "{", unknown tokens and
// the missing name, axiom or rules are reported through the parser; the node is complete
// with defaults all the same.
tVLSystem ReadVLSystem(tParser& parser);

// Registers "LSystem" with parser; every node read is handed to onNode in file order.
void RegisterVLSystem(tParser& parser, std::function<void(tVLSystem&& node)> onNode);

// The node's text: a line break, "LSystem", the fields that differ from their defaults (or
// carry a comment) indented by indent + 2 blanks, the first of them on the brace's line,
// and "}" at indent blanks.
std::string VLSystemText(const tVLSystem& node, int indent = 0);

// How the writer puts a text: bare when it is letters and "_" only, else between double
// quotes, or apostrophes when it holds a double quote. A text with both quote characters
// cannot be written as it is: its double quotes become apostrophes (the same colour command
// in a rule). Control characters are dropped, tabs become blanks, as the reader would.
std::string QuotedText(std::string_view text);

// name, info, link, angle, step, factor, thickness, deep, axiom and the first 41 rules;
// step 0 and factor 0 stay 0.
tLSDef ToLSDef(const tVLSystem& node);
// The definition's fields with its rules; its step 0 and factor 0 (which stand for 100 and
// 1 in a tLSDef) become 100 and 1.
tVLSystem ToVLSystem(const tLSDef& def);

}  // namespace pax
