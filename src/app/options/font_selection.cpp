#include "app/options/font_selection.h"

#include "render/fonts/font3d.h"
#include "render/fonts/font_names.h"

namespace pax {

std::string FontSelection::FontName(int n) const { return std::string(StrokeFontName(n)); }

void StageFonts::SelectFont(int n) { m_font.SetFont(n); }

}  // namespace pax
