#pragma once
// Text on surfaces: FreeType glyphs of a font file that fontconfig chooses for the font's face
// name (the picture font "MS Sans Serif" and other sans faces of the original platform map to
// DejaVu Sans). Sizes are points at 96 dots per inch, so size 8 is about 11 pixels.
//
// Faces and rendered glyphs are cached for the whole process (a few overlay texts are drawn
// per picture, many pictures per second); the caches are bounded. Without any usable font,
// drawing does nothing and the measures are estimates.

#include <string_view>

#include "render/surface/bitmap32.h"

namespace pax {

// Glyphs blended into surface by their coverage in font.Color, the line box's top-left corner
// at (x, y). Ink is cut to the clip rectangle and to the box of TextBoxWidth x TextBoxHeight.
void DrawText(TBitmap32& surface, int x, int y, std::string_view text, const TFont32& font);

// Width in pixels of the line box of text (UTF-8): the advances, widened to the ink of the
// last glyph when it reaches further.
int TextBoxWidth(std::string_view text, const TFont32& font);
// Height of a line box: ascent plus descent of the font, in pixels.
int TextBoxHeight(const TFont32& font);

// Whether a font file was found for font (the measures are estimates otherwise).
bool HasFontFile(const TFont32& font);

}  // namespace pax
