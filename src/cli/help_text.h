#pragma once
// The help texts of the command line, wrapped so that nothing is cut and no line runs past
// HelpWidth columns on a terminal.

#include <cstddef>
#include <ostream>
#include <string_view>

namespace pax {

inline constexpr size_t HelpWidth = 80;

// Writes text's lines at column indent, each wrapped at blanks before HelpWidth; a line of an
// option table ("--count N            pictures (100)") continues under its description. When
// the caller has already written the first line's start up to indent, continued is true and
// the first line gets no blanks in front.
void WriteHelpText(std::ostream& out, std::string_view text, size_t indent, bool continued = false);

}  // namespace pax
