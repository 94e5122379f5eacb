#pragma once
// What the options dialog's font slider needs of the stroke fonts: a font's name by number
// and the selection of a font. StageFonts is the one the program uses: the Stage's stroke
// font, whose change stores the number as the "Font" setting.

#include <string>

namespace pax {

class tFont3d;

class FontSelection {
public:
    virtual ~FontSelection() = default;
    // "LITT" .. "GOTH" for 0 .. 10, "????" for any other number.
    virtual std::string FontName(int n) const;
    // Makes font n the current font; the default selects nothing.
    virtual void SelectFont(int n) { (void)n; }
};

class StageFonts : public FontSelection {
public:
    explicit StageFonts(tFont3d& font) : m_font(font) {}
    // SetFont with its wrap rules: 11 and above select font 0.
    void SelectFont(int n) override;

private:
    tFont3d& m_font;
};

}  // namespace pax
