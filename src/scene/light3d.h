#pragma once
// Light3d: the single directional light. Its Heading is the direction in which it shines;
// Shade gives every filled face an intensity 0..255 and, for some models, a new colour.

#include <cstdint>
#include <memory>
#include <string_view>

#include "foundation/color32.h"
#include "scene/cursor3d.h"
#include "scene/highlight_levels.h"

namespace pax {

// The light's own settings; Reset returns them to these defaults.
struct tLightSettings {
    TColor32 LightColor = 0xFFFFFFE0;
    bool Enabled = true;
    bool SpecularOn = true;
    bool TwoSided = false;     // set by every Shade call
    uint8_t Model = 3;         // 0..6
    Extended Ambient = 0.2L;   // 0..1
    Extended Diffuse = 0.8L;   // 0..1
    Extended Specular = 0.5L;  // 0..1
    Extended SpecCoef = 5.5L;  // >= 1
};

class Light3d : public TCursor3d, public tLightSettings {
public:
    // Create: the cursor, then Reset.
    explicit Light3d(std::string_view name = "Light");
    Light3d(const Light3d& source) = default;

    // Position (-200, -200, 200), shining along (100, 100, -100), and every setting its default.
    void Reset() override;

    void SwitchOn() { Enabled = true; }
    // Refused with an error box when out of range (the value stays; SetSpecCoef falls back to 1).
    void SetModel(int model);
    void SetAmbient(Extended v);
    void SetDiffuse(Extended v);
    void SetSpecular(Extended v);
    void SetSpecCoef(Extended v);

    // The intensity 0..255 of a face with unit normal n and colour (which models 4, 5, 6
    // replace and highlights mix towards the light colour). eyeHeading is the eye's line of
    // sight; fillOpacity the window's global fill opacity, the alpha of replaced colours.
    uint8_t Shade(const tVector3d& n, TColor32& colour, bool twoSided, const tVector3d& eyeHeading,
                  uint8_t fillOpacity);

    void AssignTo(TCursor3d& dest) const override;

protected:
    std::unique_ptr<TCursor3d> CloneObject() const override;

private:
    // Model 3: ambient plus the diffuse part for d = Dot(normal, light direction).
    uint8_t DiffuseIntensity(Extended d) const;
    // The highlight 0..255 for light reflected towards the eye; mixes colour towards the light.
    uint8_t Highlight(const tVector3d& n, TColor32& colour, const tVector3d& eyeHeading, uint8_t fillOpacity);

    // The shade of n worked out, without the remembered one.
    uint8_t ShadeAfresh(const tVector3d& n, TColor32& colour, const tVector3d& eyeHeading, uint8_t fillOpacity);

    HighlightLevels m_highlightLevels;
};

}  // namespace pax
