#include "cli/help_text.h"

#include <algorithm>
#include <string>

namespace pax {
namespace {

constexpr size_t OptionWidth = 21;
constexpr size_t MinWrapWidth = 30;

// Where the text of a line continues when it wraps: under the description of an option line
// ("--count N            pictures", the option's column OptionWidth wide) or under the first
// word of an indented line; at the line's start otherwise.
size_t HangingIndent(std::string_view line) {
    if (line.starts_with("--")) {
        const size_t gap = line.find("  ");
        if (gap != std::string_view::npos) return line.find_first_not_of(' ', gap);
        if (line.size() > OptionWidth && line[OptionWidth - 1] == ' ') return OptionWidth;
        return 0;
    }
    const size_t text = line.find_first_not_of(' ');
    return text == std::string_view::npos ? 0 : text;
}

void WriteLine(std::ostream& out, std::string_view line, size_t indent, bool continued) {
    const size_t hang = HangingIndent(line);
    std::string text(continued ? 0 : indent, ' ');
    text += line.substr(0, hang);
    size_t column = indent + hang;
    // In a narrow column a description continues a little in from the line's start instead.
    const size_t under = indent + hang + MinWrapWidth <= HelpWidth ? hang : std::min<size_t>(hang, 4);
    bool wordOnLine = false;
    size_t pos = hang;
    while (pos < line.size()) {
        const size_t start = line.find_first_not_of(' ', pos);
        if (start == std::string_view::npos) break;
        size_t end = line.find(' ', start);
        if (end == std::string_view::npos) end = line.size();
        const std::string_view word = line.substr(start, end - start);
        if (wordOnLine && column + 1 + word.size() > HelpWidth) {
            text += '\n';
            text.append(indent + under, ' ');
            column = indent + under;
            wordOnLine = false;
        }
        if (wordOnLine) {
            text += ' ';
            ++column;
        }
        text += word;
        column += word.size();
        wordOnLine = true;
        pos = end;
    }
    out << text << '\n';
}

}  // namespace

void WriteHelpText(std::ostream& out, std::string_view text, size_t indent, bool continued) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        WriteLine(out, text.substr(start, end - start), indent, continued);
        continued = false;
        start = end + 1;
    }
}

}  // namespace pax
