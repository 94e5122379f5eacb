#pragma once
// Every user setting of the system: the record tConfigValues and the 36 process-wide
// Switches. They live at the bottom so that every layer may read them; the configuration
// file (loading, saving, the key table, resetting) belongs to the application shell, which
// also installs the reactions to a changed switch.
//
// The member initialisers are the built-in defaults; the configuration's key table carries
// the same defaults in text form, and a test keeps the two equal.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pax {

// Three extended floats; the animation vectors "Rotate", "Distance", "Oscillate", "Times".
struct tConfigVector {
    long double x = 0, y = 0, z = 0;
    bool operator==(const tConfigVector&) const = default;
};

struct tWindowPlace {
    int32_t Left = 0;
    int32_t Top = 0;
    bool operator==(const tWindowPlace&) const = default;
};

struct tConfigValues {
    std::string ProgramName = "pax3d";
    std::string ConfigFileName;

    // The main window.
    int32_t MainLeft = 0, MainTop = 0, MainWidth = 480, MainHeight = 360;
    int32_t DemoGroup = 0;
    int32_t Figure = 0;
    int32_t SyncMode = 0;           // 0..3
    int32_t ShowInfo = 0;           // info mode 0..3
    int32_t DetailLevel = 3;
    int32_t SpriteId = 4;

    // Tool windows (left, top).
    tWindowPlace AboutWindow{488, 0};
    tWindowPlace OptionWindow{0, 472};
    tWindowPlace FigureValuesWindow{488, 574};
    tWindowPlace NavigationWindow{488, 300};
    tWindowPlace AnimationWindow{488, 200};
    tWindowPlace ColorWindow{488, 100};
    tWindowPlace LSystemWindow{488, 0};
    int32_t LSystemWidth = 540, LSystemHeight = 360;

    // Background.
    uint32_t BackgroundColor = 0xFF000000;
    // The colour as the background is drawn: opaque, whatever alpha the setting holds.
    uint32_t OpaqueBackground() const { return BackgroundColor | 0xFF000000u; }
    int32_t TileNumber = 0;
    int32_t ScrollStepX = 0, ScrollStepY = 0;   // pixels per 100 ms
    int32_t ConvolutionFilter = 9;
    int32_t UsedPictureIndex = 0;      // in PictureList; -1: UsedPicture is not in the list
    std::string UsedPicture;
    std::vector<std::string> PictureList;      // at most 8

    // Drawing.
    int32_t NormalLength = 20;
    int32_t CyclingSpeed = 0;
    int32_t Font = 5;
    int32_t LineThickness = 1;
    int32_t LineTransparency = 0;
    int32_t FillTransparency = 0;
    int32_t SpriteTransparency = 0;
    uint32_t LightColor = 0x00FFFF80;

    // Light.
    int32_t LightModel = 3;
    int32_t AmbientLight = 30;      // percent
    int32_t DiffuseLight = 70;
    int32_t SpecularLight = 50;
    int32_t ReflectionCoeff = 30;

    // Basic values of the figures.
    int32_t Step = 50;
    int32_t Segments = 20;
    int32_t Layers = 20;
    int32_t Radius = 100;
    int32_t Width = 100;
    int32_t Length = 100;
    int32_t Height = 100;
    int32_t Deep = 100;
    int32_t Objects = 20;

    // Animation values.
    tConfigVector Rotate;           // degrees per tenth of a second
    tConfigVector Distance;         // x: orbit distance
    tConfigVector Oscillate;        // amplitudes
    tConfigVector Times;            // periods in seconds
    int32_t SoundVolume = 100;      // percent
    int32_t BasicAnimation = 3;
    int32_t CallingDeep = 1;
    int32_t NextDemoSeconds = 0;    // 0 means 600

    bool operator==(const tConfigValues&) const = default;
};

// Indices of the switches that have a name.
namespace Switch {
inline constexpr int Paused = 0;
inline constexpr int Realtime = 1;
inline constexpr int FullScreen = 2;
inline constexpr int StatusBar = 3;
inline constexpr int MouseCursor = 4;
inline constexpr int ShowRGBValues = 5;
inline constexpr int ShowPicture = 8;
inline constexpr int RefreshBackground = 9;
inline constexpr int BackgroundPicture = 10;
inline constexpr int TilesBackground = 12;
inline constexpr int ScrollBackground = 13;
inline constexpr int FilterBackground = 14;
inline constexpr int ZBuffer = 15;
inline constexpr int ConvexObject = 16;       // cull the back faces of convex objects
inline constexpr int ShowAxis = 17;
inline constexpr int ShowNormals = 18;
inline constexpr int VertexNumbers = 19;
inline constexpr int ColorCycling = 20;
inline constexpr int RainbowColors = 21;
inline constexpr int HueAcrossRows = 22;
inline constexpr int AntiAliasedLine = 23;
inline constexpr int AntiAliasedPolygon = 24;
inline constexpr int PolygonFilling = 25;
inline constexpr int PolygonBorder = 26;
inline constexpr int LightIsOn = 27;
inline constexpr int DoubleSidedPlanes = 28;
inline constexpr int Highlights = 29;
inline constexpr int ShowLight = 30;
inline constexpr int PlaySound = 32;
inline constexpr int Count = 36;
}  // namespace Switch

using tSwitches = std::array<bool, Switch::Count>;

// The built-in switch defaults.
tSwitches DefaultSwitches();

tConfigValues& ConfigValues();
tSwitches& Switches();

// The set-switch operation: stores the value and calls
// the reaction that the shell installed (pause, full screen, light, sound, ...).
using SwitchReaction = std::function<void(int index, bool value)>;
void SetSwitch(int index, bool value);
void InstallSwitchReaction(SwitchReaction reaction);

}  // namespace pax
