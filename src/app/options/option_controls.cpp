#include "app/options/option_controls.h"

#include <array>
#include <cassert>

#include "system/error_reporting.h"
#include "system/presenter.h"
#include "system/settings.h"

namespace pax {

namespace {

using T = OptionTab;
using K = ControlKind;
using I = OptionId;

constexpr OptionControl Check(I id, T tab, std::string_view caption, int sw, std::string_view hint) {
    return {id, tab, K::Check, caption, 0, 1, 0, sw, 0, {}, hint};
}

constexpr OptionControl Slider(I id, T tab, std::string_view caption, int32_t min, int32_t max, int32_t design,
                               std::string_view hint, int tag = 0, std::string_view box = {}) {
    return {id, tab, K::Slider, caption, min, max, design, -1, tag, box, hint};
}

// In the order of the ids.
constexpr std::array<OptionControl, OptionIdCount> Controls{{
    Check(I::Refresh, T::Background, "R&efresh", Switch::RefreshBackground, "Refresh Background: clear the picture before each new one"),
    Check(I::ZBuffer, T::Background, "Z&Buffer", Switch::ZBuffer, "ZBuffer: hide lines behind nearer ones"),
    Check(I::Picture, T::Background, "&Picture", Switch::BackgroundPicture, "Background Picture: draw over the background picture"),
    Check(I::Tiles, T::Background, "&Tiles", Switch::TilesBackground, "Tiles Background: tile the picture over the background"),
    Check(I::Scroll, T::Background, "&Scroll", Switch::ScrollBackground, "Scroll Background: move the background by the scroll speeds"),
    Check(I::Filter, T::Background, "&Filter", Switch::FilterBackground, "Filter Background: apply the convolution filter"),
    Slider(I::FilterSlider, T::Background, "filter", 0, 30, 1, "Convolution Filter"),
    Slider(I::ScrollSpeedX, T::Background, "scroll speed X", -20, 20, 5, "scroll step across, pixels per 100 ms; click: 0"),
    Slider(I::ScrollSpeedY, T::Background, "scroll speed Y", -20, 20, 5, "scroll step down, pixels per 100 ms; click: 0"),

    Check(I::CullFace, T::Drawing, "&Cull Face", Switch::ConvexObject, "Convex Object: leave out the back faces of convex objects"),
    Check(I::ShowAxis, T::Drawing, "Show &Axis", Switch::ShowAxis, "Show Axis: draw the coordinate axes"),
    Check(I::ShowNormals, T::Drawing, "Show &Normals", Switch::ShowNormals, "Show Normals: draw each face's normal"),
    Check(I::VertexNumbers, T::Drawing, "Vertex Numbers", Switch::VertexNumbers, "Vertex Numbers: number the corners of each face"),
    Check(I::RainbowColors, T::Drawing, "&Rainbow Colors", Switch::RainbowColors, "Rainbow Colors: colour surfaces by hue"),
    Check(I::RainbowDirection, T::Drawing, "direction X", Switch::HueAcrossRows, "the rainbow runs across the rows"),
    Check(I::AntiAliasedLine, T::Drawing, "AntiAliased &Line", Switch::AntiAliasedLine, "Anti Aliased Line: smooth lines"),
    Check(I::AntiAliasedPolygon, T::Drawing, "AntiAliased &Polygon", Switch::AntiAliasedPolygon, "Anti Aliased Polygon: smooth polygon edges"),
    Check(I::PolygonFilling, T::Drawing, "Polygon &Filling", Switch::PolygonFilling, "Polygon Filling: fill the faces"),
    Check(I::PolygonBorder, T::Drawing, "Polygon &Border", Switch::PolygonBorder, "Polygon Border: outline the faces"),
    Slider(I::NormalLength, T::Drawing, "normal length", 10, 30, 20, "Normal Length"),
    Slider(I::CyclingSpeed, T::Drawing, "color cycling", 0, 20, 5, "Cycling Speed: hue change per picture"),
    Slider(I::Font, T::Drawing, "font", 1, 12, 1, "Font: the stroke font"),
    Slider(I::DetailLevel, T::Drawing, "detail level", 1, 5, 1, "Detail Level"),
    Slider(I::SpriteId, T::Drawing, "sprite Id", 0, 22, 4, "Sprite Id: the picture drawn as sprite"),
    Slider(I::LineThickness, T::Drawing, "line thickness", 1, 9, 1, "Line Thickness"),
    Slider(I::LineTransparency, T::Drawing, "line transparency", 0, 255, 127, "Line Transparency: 0 opaque"),
    Slider(I::FillTransparency, T::Drawing, "fill transparency", 0, 255, 127, "Fill Transparency: 0 opaque"),
    Slider(I::SpriteTransparency, T::Drawing, "sprite transparency", 0, 255, 127, "Sprite Transparency: 0 opaque"),

    Check(I::ShowLight, T::Light, "Show", Switch::ShowLight, "Show Light: draw the light's symbol"),
    Check(I::LightIsOn, T::Light, "Light", Switch::LightIsOn, "LightIsOn: shade the faces by the light"),
    Check(I::DoubleSidedPlanes, T::Light, "double sided planes", Switch::DoubleSidedPlanes, "DoubleSidedPlanes: light both sides of a face"),
    Check(I::Highlights, T::Light, "Highlights", Switch::Highlights, "Highlights: specular reflections"),
    Slider(I::LightModel, T::Light, "model", 1, 6, 3, "Light Model"),
    Slider(I::Ambient, T::Light, "ambient", 0, 100, 50, "Ambient Light in percent"),
    Slider(I::Diffuse, T::Light, "diffuse", 0, 100, 50, "Diffuse Light in percent"),
    Slider(I::Specular, T::Light, "specular", 0, 100, 50, "Specular Light in percent"),
    Slider(I::Exponent, T::Light, "exponent", 10, 100, 30, "Reflection Coeff: the highlight's exponent times 10"),

    Slider(I::Segments, T::BasicValues, "segments", 2, 38, 20, "Segments of the figures", 40),
    Slider(I::Layers, T::BasicValues, "layers", 2, 38, 20, "Layers of the figures", 41),
    Slider(I::Radius, T::BasicValues, "radius", 1, 400, 200, "Radius of the figures", 42),
    Slider(I::Width, T::BasicValues, "width", 1, 200, 100, "Width of the figures", 43),
    Slider(I::Length, T::BasicValues, "length", 1, 200, 100, "Length of the figures", 44),
    Slider(I::Height, T::BasicValues, "height", 1, 200, 100, "Height of the figures", 45),
    Slider(I::Deep, T::BasicValues, "deep", 0, 200, 100, "Deep of the figures", 46),
    Slider(I::Objects, T::BasicValues, "objects", 0, 40, 20, "number of Objects", 47),

    Slider(I::RotateX, T::Animation, "X", -180, 180, 11, "Rotate x: degrees per second", 0, "rotate"),
    Slider(I::RotateY, T::Animation, "Y", -180, 180, 12, "Rotate y: degrees per second", 0, "rotate"),
    Slider(I::RotateZ, T::Animation, "Z", -180, 180, 15, "Rotate z: degrees per second", 0, "rotate"),
    Slider(I::DistanceX, T::Animation, "X", 0, 200, 100, "Distance x: the orbit's radius", 0, "distance"),
    Slider(I::DistanceY, T::Animation, "Y", 0, 200, 100, "Distance y", 0, "distance"),
    Slider(I::DistanceZ, T::Animation, "Z", 0, 200, 100, "Distance z", 0, "distance"),
    Slider(I::OscillateX, T::Animation, "X", 0, 180, 30, "Oscillate x: amplitude", 0, "oscillation"),
    Slider(I::OscillateY, T::Animation, "Y", 0, 180, 30, "Oscillate y: amplitude", 0, "oscillation"),
    Slider(I::OscillateZ, T::Animation, "Z", 0, 180, 30, "Oscillate z: amplitude", 0, "oscillation"),
    Slider(I::TimeX, T::Animation, "X", 0, 100, 50, "Times x: period in seconds", 0, "time"),
    Slider(I::TimeY, T::Animation, "Y", 0, 100, 50, "Times y: period in seconds", 0, "time"),
    Slider(I::TimeZ, T::Animation, "Z", 0, 100, 50, "Times z: period in seconds", 0, "time"),
    Slider(I::BasicAnimation, T::Animation, "basic animation", 0, 6, 1, "Basic Animation: the ghost's motion"),
    Slider(I::CallingDeep, T::Animation, "calling deep", 0, 5, 1, "Calling Deep: 0 stops the animation"),
    Slider(I::NextDemo, T::Animation, "next fig.[sec]", 0, 120, 0, "Next Demo [sec]: 0 waits 600 seconds"),
    Check(I::PlaySound, T::Animation, "sound", Switch::PlaySound, "Play Sound"),
    Slider(I::SoundVolume, T::Animation, "sound volume", 0, 100, 80, "Sound Volume in percent"),
}};

constexpr bool InIdOrder() {
    for (size_t i = 0; i < Controls.size(); ++i)
        if (static_cast<size_t>(Controls[i].Id) != i) return false;
    return true;
}
static_assert(InIdOrder(), "the control table follows the order of OptionId");

constexpr std::array<GroupButton, 15> TabButtons{{
    {T::Background, GroupAction::Reset, " &Reset"},
    {T::Background, GroupAction::Random, "Ra&ndom"},
    {T::Drawing, GroupAction::Reset, " Reset"},
    {T::Drawing, GroupAction::Random, "Ra&ndom"},
    {T::Drawing, GroupAction::Fast, "&Fast"},
    {T::Light, GroupAction::Reset, "&Reset"},
    {T::Light, GroupAction::Random, "Ra&ndom"},
    {T::BasicValues, GroupAction::Reset, "&Reset"},
    {T::BasicValues, GroupAction::Random, "Ra&ndom"},
    {T::BasicValues, GroupAction::Maximum, "M&aximum"},
    {T::FigureValues, GroupAction::Reset, " &Reset"},
    {T::FigureValues, GroupAction::Random, "Ra&ndom"},
    {T::FigureValues, GroupAction::Copy, "&Copy"},
    {T::Animation, GroupAction::Random, "Ra&ndom"},
    {T::Animation, GroupAction::Reset, " &Reset"},
}};

constexpr std::array<LightPreset, 5> Presets{{
    {" standard", 3, 20, 80, 50, 55, false},
    {" metalic", 3, 40, 20, 90, 20, false},
    {" full color", 1, 100, 0, 50, 55, true},
    {" mathematica", 5, 20, 80, 50, 55, false},
    {" rainbow", 6, 20, 80, 50, 55, false},
}};

}  // namespace

std::string_view OptionTabName(OptionTab tab) {
    static constexpr std::array<std::string_view, OptionTabCount> Names{
        "background", "drawing", "light", "basic values", "figure values", "animation"};
    return Names[static_cast<size_t>(tab)];
}

int OptionTabGroup(OptionTab tab) {
    static constexpr std::array<int, OptionTabCount> Groups{1, 2, 3, 4, -1, 5};
    return Groups[static_cast<size_t>(tab)];
}

std::span<const OptionControl> OptionControls() { return Controls; }

const OptionControl& ControlOf(OptionId id) {
    assert(id < OptionId::Count);
    return Controls[static_cast<size_t>(id)];
}

const OptionControl* ControlOfTag(int tag) {
    for (const OptionControl& c : Controls)
        if (c.Tag != 0 && c.Tag == tag) return &c;
    ShowError("PaxOption: OptionForm.GetGaugeBar", "gauge bar has wrong tag number", Buttons::AbortRetryIgnoreDefault2);
    return nullptr;
}

std::span<const GroupButton> GroupButtons() { return TabButtons; }

std::span<const LightPreset> LightPresets() { return Presets; }

}  // namespace pax
