// Text output of TBitmap32 with the surface's font.

#include "render/surface/bitmap32.h"
#include "render/surface/text_renderer.h"

namespace pax {

void TBitmap32::TextOut(int x, int y, std::string_view text) { DrawText(*this, x, y, text, Font); }

int TBitmap32::TextWidth(std::string_view text) const { return TextBoxWidth(text, Font); }

int TBitmap32::TextHeight() const { return TextBoxHeight(Font); }

}  // namespace pax
