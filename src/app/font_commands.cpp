#include "app/font_commands.h"

#include <string>

#include "app/main_state.h"
#include "render/fonts/font3d.h"

namespace pax {

void ChangeFont(tFont3d& font, MainState& state, int d) {
    font.SetFont(font.FontNumber + d);
    state.FlashInfo("font = " + font.FontName, MainState::InfoColor);
}

}  // namespace pax
