#include "lsystem/ls_palette.h"

#include "render/colour/palette.h"

namespace pax {

tLSPalette::tLSPalette() { Rebuild(); }

void tLSPalette::Rebuild() { Rebuild(CurrentPalette()); }

void tLSPalette::Rebuild(const tPalette& program) {
    for (size_t i = 0; i < OwnEntries.size(); ++i) m_colors[i] = OwnEntries[i];
    constexpr TColor32 OneAlphaStep = 0x01000000;
    for (int i = static_cast<int>(OwnEntries.size()); i < Size; ++i)
        m_colors[i] = program.PaletteColor32(static_cast<uint8_t>(i)) - OneAlphaStep;
}

}  // namespace pax
