#include "app/config/config_key_table.h"

namespace pax {
namespace {

using V = tConfigValues;

constexpr SwitchTarget Sw(int index) { return SwitchTarget{index}; }

// The limits are those of the controls that edit each value (options dialog, navigation
// window, the engine's own range where it accepts more than the dialog offers).
constexpr std::array<ConfigKey, ConfigKeyCount> Table{{
    // 0: "--- Main Window ---"
    {"DemoGroup", "r", 'i', &V::DemoGroup, "0", 0, 9999},
    {"Figure", "r", 'i', &V::Figure, "0", 0, 9999},
    {"Sync Mode", "", 'i', &V::SyncMode, "0", 0, 3},
    {"Show Info", "", 'i', &V::ShowInfo, "0", 0, 3},
    {"Paused", "", 'b', Sw(Switch::Paused), "False"},
    {"Realtime", "", 'b', Sw(Switch::Realtime), "True"},
    {"FullScreen", "", 'b', Sw(Switch::FullScreen), "False"},
    {"Statusbar", "", 'b', Sw(Switch::StatusBar), "False"},
    // 1: "--- Background ---"
    {"Show Picture", "", 'b', Sw(Switch::ShowPicture), "False"},
    {"Refresh Background", "", 'b', Sw(Switch::RefreshBackground), "True"},
    {"ZBuffer", "s", 'b', Sw(Switch::ZBuffer), "False"},
    {"Background Picture", "", 'b', Sw(Switch::BackgroundPicture), "True"},
    {"Tiles Background", "", 'b', Sw(Switch::TilesBackground), "True"},
    {"Scroll Background", "s", 'b', Sw(Switch::ScrollBackground), "False"},
    {"Filter Background", "s", 'b', Sw(Switch::FilterBackground), "False"},
    {"Background Color", "", 'h', &V::BackgroundColor, "$FF000000"},
    {"Tile Number", "", 'i', &V::TileNumber, "0", 0, 10},
    {"Convolution Filter", "", 'i', &V::ConvolutionFilter, "9", 0, 32},
    {"Used Picture", "", 's', &V::UsedPicture, ""},
    // 2: "--- Draw Options ---"
    {"Convex Object", "", 'b', Sw(Switch::ConvexObject), "False"},
    {"Show Axis", "", 'b', Sw(Switch::ShowAxis), "False"},
    {"Show Normals", "", 'b', Sw(Switch::ShowNormals), "False"},
    {"Normal Length", "", 'i', &V::NormalLength, "20", 10, 30},
    {"Vertex Numbers", "", 'b', Sw(Switch::VertexNumbers), "False"},
    {"Anti Aliased Line", "", 'b', Sw(Switch::AntiAliasedLine), "True"},
    {"Anti Aliased Polygon", "", 'b', Sw(Switch::AntiAliasedPolygon), "True"},
    {"Polygon Filling", "", 'b', Sw(Switch::PolygonFilling), "True"},
    {"Polygon Border", "", 'b', Sw(Switch::PolygonBorder), "True"},
    {"Rainbow Colors", "", 'b', Sw(Switch::RainbowColors), "False"},
    {"Color Cycling", "", 'b', Sw(Switch::ColorCycling), "False"},
    {"Cycling Speed", "", 'i', &V::CyclingSpeed, "0", 0, 20},
    // The stroke-font number itself (0..10); 11, the options slider's last position, is taken
    // as font 0 at start-up. Storing the number + 1 would move the font on at every start.
    {"Font", "", 'i', &V::Font, "5", 0, 11},
    {"Sprite Id", "", 'i', &V::SpriteId, "4", 0, 40},
    {"Detail Level", "", 'i', &V::DetailLevel, "3", 1, 5},
    {"Line Thickness", "", 'i', &V::LineThickness, "1", 1, 9},
    {"Line Transparency", "", 'i', &V::LineTransparency, "0", 0, 255},
    {"Fill Transparency", "", 'i', &V::FillTransparency, "0", 0, 255},
    {"Sprite Transparency", "", 'i', &V::SpriteTransparency, "0", 0, 255},
    // 3: "--- Light Options ---"
    {"Light Color", "", 'h', &V::LightColor, "$00FFFF80"},
    {"Show Light", "s", 'b', Sw(Switch::ShowLight), "False"},
    {"LightIsOn", "s", 'b', Sw(Switch::LightIsOn), "True"},
    {"DoubleSidedPlanes", "", 'b', Sw(Switch::DoubleSidedPlanes), "False"},
    {"Light Model", "", 'i', &V::LightModel, "3", 0, 6},
    {"Ambient Light", "", 'i', &V::AmbientLight, "30", 0, 100},
    {"Diffuse Light", "", 'i', &V::DiffuseLight, "70", 0, 100},
    {"Specular Light", "", 'i', &V::SpecularLight, "50", 0, 100},
    {"Highlights", "", 'b', Sw(Switch::Highlights), "True"},
    // Tenths of the light's exponent, which is at least 1.0.
    {"Reflection Coeff", "", 'i', &V::ReflectionCoeff, "30", 10, 100},
    // 4: "--- Basic Values ---"
    {"Step", "", 'i', &V::Step, "50", 1, 100},
    {"Segments", "", 'i', &V::Segments, "20", 2, 38},
    {"Layers", "", 'i', &V::Layers, "20", 2, 38},
    {"Radius", "", 'i', &V::Radius, "100", 1, 400},
    {"Width", "", 'i', &V::Width, "100", 1, 200},
    {"Length", "", 'i', &V::Length, "100", 1, 200},
    {"Height", "", 'i', &V::Height, "100", 1, 200},
    {"Deep", "", 'i', &V::Deep, "100", 0, 200},
    {"Objects", "", 'i', &V::Objects, "20", 0, 40},
    // 5: "--- Animation Values ---"
    {"Rotate", "", 'v', &V::Rotate, "---", -18, 18},
    {"Distance", "", 'v', &V::Distance, "---", 0, 200},
    {"Oscillate", "", 'v', &V::Oscillate, "---", 0, 180},
    {"Times", "", 'v', &V::Times, "---", 0, 10},
    {"Play Sound", "", 'b', Sw(Switch::PlaySound), "false"},
    {"Sound Volume", "", 'i', &V::SoundVolume, "100", 0, 100},
    {"Basic Animation", "", 'i', &V::BasicAnimation, "3", 0, 8},
    {"Calling Deep", "", 'i', &V::CallingDeep, "1", 0, 5},
    {"Next Demo [sec]", "", 'i', &V::NextDemoSeconds, "0", 0, 120},
}};

constexpr std::array<ConfigGroup, ConfigGroupCount> Groups{{
    {"--- Main Window ---", 0, 8},
    {"--- Background ---", 8, 11},
    {"--- Draw Options ---", 19, 19},
    {"--- Light Options ---", 38, 10},
    {"--- Basic Values ---", 48, 9},
    {"--- Animation Values ---", 57, 9},
}};

constexpr size_t TargetIndexOf(char type) {
    constexpr std::string_view Types = "bihsvf";
    return Types.find(type);
}

constexpr bool TableIsConsistent() {
    for (const ConfigKey& k : Table) {
        if (k.Key.empty() || k.Key.size() > 20 || k.Flags.size() > 2 || k.Default.size() > 35) return false;
        if (TargetIndexOf(k.Type) != k.Target.index()) return false;
        if (k.Min > k.Max) return false;
        if (const SwitchTarget* s = std::get_if<SwitchTarget>(&k.Target))
            if (s->Index < 0 || s->Index >= Switch::Count) return false;
    }
    return true;
}

constexpr bool GroupsCoverTable() {
    int next = 0;
    for (const ConfigGroup& g : Groups) {
        if (g.First != next) return false;
        next += g.Count;
    }
    return next == ConfigKeyCount;
}

static_assert(TableIsConsistent(), "each entry's type must match its target, names fit their sizes");
static_assert(GroupsCoverTable(), "the groups are contiguous runs that cover the table");

}  // namespace

const std::array<ConfigKey, ConfigKeyCount>& ConfigKeyTable() { return Table; }

const std::array<ConfigGroup, ConfigGroupCount>& ConfigGroups() { return Groups; }

int ConfigGroupOf(int entry) {
    for (int g = 0; g < ConfigGroupCount; ++g)
        if (entry >= Groups[g].First && entry < Groups[g].First + Groups[g].Count) return g;
    return -1;
}

}  // namespace pax
