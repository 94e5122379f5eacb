#include "system/settings.h"

namespace pax {
namespace {
SwitchReaction& Reaction() {
    static SwitchReaction reaction;
    return reaction;
}
}  // namespace

tSwitches DefaultSwitches() {
    tSwitches s{};
    s[Switch::Realtime] = true;
    s[Switch::RefreshBackground] = true;
    s[Switch::BackgroundPicture] = true;
    s[Switch::TilesBackground] = true;
    s[Switch::AntiAliasedLine] = true;
    s[Switch::AntiAliasedPolygon] = true;
    s[Switch::PolygonFilling] = true;
    s[Switch::PolygonBorder] = true;
    s[Switch::LightIsOn] = true;
    s[Switch::Highlights] = true;
    return s;
}

tConfigValues& ConfigValues() {
    static tConfigValues values;
    return values;
}

tSwitches& Switches() {
    static tSwitches switches = DefaultSwitches();
    return switches;
}

void SetSwitch(int index, bool value) {
    if (index < 0 || index >= Switch::Count) return;
    Switches()[index] = value;
    if (Reaction()) Reaction()(index, value);
}

void InstallSwitchReaction(SwitchReaction reaction) { Reaction() = std::move(reaction); }

}  // namespace pax
