#pragma once
// The texts of the editor's help pages: the command characters of the drawing language
// ("rules"), the grammar of an LSystem node with an annotated example ("syntax"), and the
// program's information ("about").

#include <string>
#include <vector>

namespace pax {

struct HelpList {
    std::string Title;
    std::vector<std::string> Lines;
};

// "Basic Commands", "Shape Commands", and "Increment/Decrement" with the "Extented Commands"
// after it.
const std::vector<HelpList>& CommandHelpLists();
const std::string& SyntaxHelpText();
const std::string& AboutText();

}  // namespace pax
