#pragma once
// The controls of the options dialog as one table: for each check box and slider its tab, its
// caption, its range and designed position, the switch it writes and its hint. The dialog's
// widgets are built from this table, and OptionForm reads and writes the settings by the
// controls' ids, so that the widgets carry no knowledge of the settings.

#include <cstdint>
#include <span>
#include <string_view>

namespace pax {

enum class OptionTab : uint8_t { Background, Drawing, Light, BasicValues, FigureValues, Animation };
inline constexpr int OptionTabCount = 6;

// "background", "drawing", "light", "basic values", "figure values", "animation".
std::string_view OptionTabName(OptionTab tab);
// The configuration group a tab's buttons reset (1 .. 5); -1 for the figure values.
int OptionTabGroup(OptionTab tab);

enum class OptionId : uint8_t {
    // background
    Refresh, ZBuffer, Picture, Tiles, Scroll, Filter,
    FilterSlider, ScrollSpeedX, ScrollSpeedY,
    // drawing
    CullFace, ShowAxis, ShowNormals, VertexNumbers, RainbowColors, RainbowDirection,
    AntiAliasedLine, AntiAliasedPolygon, PolygonFilling, PolygonBorder,
    NormalLength, CyclingSpeed, Font, DetailLevel, SpriteId,
    LineThickness, LineTransparency, FillTransparency, SpriteTransparency,
    // light
    ShowLight, LightIsOn, DoubleSidedPlanes, Highlights,
    LightModel, Ambient, Diffuse, Specular, Exponent,
    // basic values
    Segments, Layers, Radius, Width, Length, Height, Deep, Objects,
    // animation
    RotateX, RotateY, RotateZ, DistanceX, DistanceY, DistanceZ,
    OscillateX, OscillateY, OscillateZ, TimeX, TimeY, TimeZ,
    BasicAnimation, CallingDeep, NextDemo, PlaySound, SoundVolume,
    Count
};
inline constexpr int OptionIdCount = static_cast<int>(OptionId::Count);

enum class ControlKind : uint8_t { Check, Slider };

struct OptionControl {
    OptionId Id;
    OptionTab Tab;
    ControlKind Kind;
    // A check box's caption with its mnemonic, or the name label beside a slider.
    std::string_view Caption;
    int32_t Min = 0, Max = 1, Design = 0;
    int Switch = -1;            // the switch a check box writes
    int Tag = 0;                // 40 .. 47 for the basic values
    // The animation tab's group box the slider sits in ("rotate", ...); empty elsewhere.
    std::string_view Box;
    std::string_view Hint;

    int32_t Middle() const { return (Min + Max) / 2; }
};

std::span<const OptionControl> OptionControls();
const OptionControl& ControlOf(OptionId id);
// The basic-value slider of tag 40 .. 47; ShowError "PaxOption: OptionForm.GetGaugeBar",
// "gauge bar has wrong tag number" (Abort, Retry, Ignore) and nullptr for any other tag.
const OptionControl* ControlOfTag(int tag);

// The buttons of a tab, each acting on the tab's whole group.
enum class GroupAction : uint8_t { Reset, Random, Fast, Maximum, Copy };
struct GroupButton {
    OptionTab Tab;
    GroupAction Action;
    std::string_view Caption;
};
std::span<const GroupButton> GroupButtons();

// The animation tab's group boxes whose double click resets their vector.
inline constexpr std::string_view AnimationBoxes[] = {"rotate", "distance", "oscillation", "time"};

// " standard", " metalic", " full color", " mathematica", " rainbow".
struct LightPreset {
    std::string_view Name;
    int32_t Model, Ambient, Diffuse, Specular, Exponent;
    bool DoubleSided;
};
std::span<const LightPreset> LightPresets();

}  // namespace pax
