#include "scene/light3d.h"

#include <algorithm>
#include <cmath>

#include "system/error_reporting.h"

namespace pax {

namespace {

constexpr tVector3d DefaultLightPosition{-200, -200, 200};
constexpr tVector3d DefaultLightDirection{100, 100, -100};
constexpr uint8_t ModelCount = 7;

bool InUnitRange(Extended v) { return v >= 0 && v <= 1; }

bool SameSettings(const tLightSettings& a, const tLightSettings& b) {
    return a.LightColor == b.LightColor && a.Enabled == b.Enabled && a.SpecularOn == b.SpecularOn &&
           a.Model == b.Model && SameBits(a.Ambient, b.Ambient) && SameBits(a.Diffuse, b.Diffuse) &&
           SameBits(a.Specular, b.Specular) && SameBits(a.SpecCoef, b.SpecCoef);
}

// Everything a shade depends on, and what it gave. The faces of a flat figure share one normal,
// and a shade is two dot products, a reflection and a power in extended precision: the last
// one is remembered, for each thread, and every input is compared bit for bit, the light's
// direction and settings too, so that it serves any light.
struct ShadeMemo {
    bool valid = false;
    tVector3d normal, eyeHeading, light;
    TColor32 colourIn = 0;
    bool twoSided = false;
    uint8_t fillOpacity = 0;
    tLightSettings settings;
    TColor32 colourOut = 0;
    uint8_t intensity = 0;
};

ShadeMemo& LastShade() {
    thread_local ShadeMemo memo;
    return memo;
}

}  // namespace

Light3d::Light3d(std::string_view name) : TCursor3d(name) { Light3d::Reset(); }

std::unique_ptr<TCursor3d> Light3d::CloneObject() const { return std::make_unique<Light3d>(*this); }

void Light3d::Reset() {
    TCursor3d::Reset();
    m_cursor.Position = DefaultLightPosition;
    SetDirection(DefaultLightDirection);
    static_cast<tLightSettings&>(*this) = tLightSettings{};
}

void Light3d::SetModel(int model) {
    if (model < 0 || model >= ModelCount) {
        ShowError("PaxLight:  Light3d.SetModel", "model value must be <= 6", Buttons::AbortRetryIgnoreDefault2);
        return;
    }
    Model = static_cast<uint8_t>(model);
}

void Light3d::SetAmbient(Extended v) {
    if (!InUnitRange(v)) {
        ShowError("PaxLight:  Light3d.SetAmbient", "value must be >= 0 and <= 1", Buttons::AbortRetryIgnoreDefault2);
        return;
    }
    Ambient = v;
}

void Light3d::SetDiffuse(Extended v) {
    if (!InUnitRange(v)) {
        ShowError("PaxLight:  Light3d.SetDiffuse", "value must be >= 0 and <= 1", Buttons::AbortRetryIgnoreDefault2);
        return;
    }
    Diffuse = v;
}

void Light3d::SetSpecular(Extended v) {
    if (!InUnitRange(v)) {
        ShowError("PaxLight:  Light3d.SetSpecular", "value must be >= 0 and <= 1", Buttons::AbortRetryIgnoreDefault2);
        return;
    }
    Specular = v;
}

void Light3d::SetSpecCoef(Extended v) {
    // Written so that NaN is refused; an infinite exponent would make every highlight 0 or NaN.
    if (!(v >= 1 && std::isfinite(v))) {
        ShowError("PaxLight:  Light3d.SetSpecCoef", "specular coefficient must be >= 1",
                  Buttons::AbortRetryIgnoreDefault2);
        SpecCoef = 1;
        return;
    }
    SpecCoef = v;
}

uint8_t Light3d::DiffuseIntensity(Extended d) const {
    Extended t = 0;
    if (Diffuse > 0.01L && Enabled) {
        if (TwoSided) {
            t = (std::fabs(d) + 1) * 0.5L;
        } else {
            // Faces turned away from the light darken a little more.
            t = (1 - d) * 0.5L;
            if (t < 0.5L) t *= 0.9L;
        }
        t *= Diffuse;
    }
    return LightByte(Ambient + t);
}

uint8_t Light3d::Shade(const tVector3d& n, TColor32& colour, bool twoSided, const tVector3d& eyeHeading,
                       uint8_t fillOpacity) {
    TwoSided = twoSided;
    ShadeMemo& memo = LastShade();
    if (!SameBits(memo.normal, n)) {
        // A curved surface or a plant turns every face its own way: only the normal is kept,
        // and a shade is remembered in full when its normal comes again.
        memo.normal = n;
        memo.valid = false;
        return ShadeAfresh(n, colour, eyeHeading, fillOpacity);
    }
    if (memo.valid && memo.colourIn == colour && memo.twoSided == twoSided && memo.fillOpacity == fillOpacity &&
        SameBits(memo.eyeHeading, eyeHeading) && SameBits(memo.light, m_cursor.Heading) &&
        SameSettings(memo.settings, *this)) {
        colour = memo.colourOut;
        return memo.intensity;
    }
    memo.colourIn = colour;
    memo.twoSided = twoSided;
    memo.fillOpacity = fillOpacity;
    memo.eyeHeading = eyeHeading;
    memo.light = m_cursor.Heading;
    memo.settings = *this;
    memo.intensity = ShadeAfresh(n, colour, eyeHeading, fillOpacity);
    memo.colourOut = colour;
    memo.valid = true;
    return memo.intensity;
}

uint8_t Light3d::ShadeAfresh(const tVector3d& n, TColor32& colour, const tVector3d& eyeHeading, uint8_t fillOpacity) {
    const tVector3d& light = m_cursor.Heading;
    const Extended d = Dot(n, light);
    uint8_t intensity = 0;
    switch (Model) {
    case 0: intensity = Enabled ? 255 : 128; break;
    case 1: intensity = LightByte(Ambient); break;
    case 2: {
        Extended v = (-d * 0.49L + 0.5L) * (1 - Diffuse) + Diffuse;
        if (!Enabled) v *= 0.5L;
        intensity = LightByte(v);
        break;
    }
    case 4: {
        Extended t = (1 - d) * 0.5L;
        if (t < 0.5L) t = 0;
        if (Enabled) t = (1 - Ambient) * Diffuse * t + Ambient;
        intensity = LightByte(t);
        colour = SetAlpha(clWhite32, fillOpacity);
        break;
    }
    case 5: {
        intensity = Enabled ? 255 : LightByte(Ambient);
        const tVector3d rgb = tVector3d{0.5L, 0.5L, 0.5L} + 0.5L * n;
        colour = SetAlpha(VectorToColor(rgb), fillOpacity);
        break;
    }
    case 6:
        intensity = DiffuseIntensity(d);
        colour = SetAlpha(HSVToColor(MakeHSV(std::fabs(d), 1, 1)), fillOpacity);
        break;
    default: intensity = DiffuseIntensity(d); break;   // 3, the default model
    }
    return std::max(intensity, Highlight(n, colour, eyeHeading, fillOpacity));
}

uint8_t Light3d::Highlight(const tVector3d& n, TColor32& colour, const tVector3d& eyeHeading,
                           uint8_t fillOpacity) {
    if (!Enabled || !SpecularOn) return 0;
    const Extended e = Dot(Reflect(m_cursor.Heading, n), eyeHeading);
    // Only light reflected back towards the eye (against its line of sight) shines.
    if (e > 0) return 0;
    const uint8_t s = m_highlightLevels.Level(-e, SpecCoef, Specular);
    colour = BlendColor(colour, SetAlpha(LightColor, fillOpacity), s);
    return s;
}

void Light3d::AssignTo(TCursor3d& dest) const {
    TCursor3d::AssignTo(dest);
    if (auto* light = dynamic_cast<Light3d*>(&dest)) static_cast<tLightSettings&>(*light) = *this;
}

}  // namespace pax
