#pragma once
// tFont3d: the current stroke font of the 3D text, by number and name: its stroke-font file
// held in memory and the matching compiled-in vector font. The Stage owns the one instance.
//
// A font changes only as a whole: when the file of the new font cannot be loaded, the error
// is reported and the previous font (number, name, file, vector font) stays.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "render/fonts/font_names.h"
#include "render/fonts/stroke_font_file.h"
#include "render/fonts/vector_font.h"

namespace pax {

class tFont3d {
public:
    static constexpr long double DefaultCharWidth = 18.0L;
    static constexpr long double DefaultCharHeight = 36.0L;
    static constexpr long double DefaultCharDepth = 0.0L;

    std::string FontName;
    uint8_t FontNumber = NoFont;
    long double CharWidth = DefaultCharWidth;
    long double CharHeight = DefaultCharHeight;
    long double CharDepth = DefaultCharDepth;
    tBGIFont File;

    tFont3d();
    ~tFont3d();
    tFont3d(const tFont3d&) = delete;
    tFont3d& operator=(const tFont3d&) = delete;

    // The selected compiled-in font; nullptr before the first UseFont.
    const tVectorFont* Vector() const { return m_vector.get(); }

    // Takes compiled-in font n: its name and number, the default character values, and n as
    // the "Font" setting. Otherwise a warning " font "NAME" not found" and nothing changes.
    bool UseFont(int n);
    // Loads font n's file; only when that succeeds is the open font closed and the new file
    // taken with number n and the default character values. A failure is reported through
    // the drawing-error routine.
    bool OpenFont(int n);
    // n wrapped (see WrapFontNumber); a different font is opened and used, then the change
    // handler runs (the options dialog shows the new font). Returns whether font n is current.
    bool SetFont(int n);
    // Releases the file and forgets the font (number 11). Without an open font it reports
    // "missing OpenFont".
    void CloseFont();
    // The start-up font: SetFont (n), and when its file cannot be had, the compiled-in font
    // alone, so that the program always has a font.
    void Start(int n);

    // What runs after SetFont changed the font; empty for nothing.
    void SetChangeHandler(std::function<void()> handler) { m_changed = std::move(handler); }

    // 0 .. 10 as given; a byte above 10 that is negative as a signed byte (a step back from
    // 0) is 10; any other value above 10 is 0. n is taken as a byte.
    static uint8_t WrapFontNumber(int n);

private:
    void ResetCharValues();

    std::unique_ptr<tVectorFont> m_vector;
    std::function<void()> m_changed;
};

}  // namespace pax
