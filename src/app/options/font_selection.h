#pragma once
// What the options dialog's font slider needs of the stroke fonts: a font's name by number
// and the selection of a font. The default knows the eleven names and selects nothing; the
// stroke-font unit installs one that loads the font.

#include <array>
#include <string>
#include <string_view>

namespace pax {

class FontSelection {
public:
    static constexpr int NoFont = 11;

    virtual ~FontSelection() = default;
    // "LITT" .. "GOTH" for 0 .. 10, "????" for any other number.
    virtual std::string FontName(int n) const {
        static constexpr std::array<std::string_view, NoFont> Names{
            "LITT", "EURO", "BLCK", "BOLD", "LCD1", "LCOM", "SCRI", "SIMP", "TRIP", "TSCR", "GOTH"};
        return std::string(n >= 0 && n < NoFont ? Names[static_cast<size_t>(n)] : "????");
    }
    // Makes font n the current font (the stroke unit's SetFont and its wrap rules).
    virtual void SelectFont(int n) { (void)n; }
};

}  // namespace pax
