#pragma once
// tTexture3d: the procedural colour source, a routine that maps a 3D point to a colour, and
// two colours kept beside it for texture routines.

#include <functional>

#include "foundation/color32.h"
#include "foundation/vector3d.h"

namespace pax {

using tColorSource = std::function<TColor32(const tVector3d&)>;

class tTexture3d {
public:
    static constexpr TColor32 DefaultColor1 = 0xFFFFD700;
    static constexpr TColor32 DefaultColor2 = 0xFF8A2BE2;

    // Ignores the point: RandomColor(10, 255).
    static TColor32 RandomSource(const tVector3d& point);

    void SetColors(TColor32 color1, TColor32 color2) {
        m_color1 = color1;
        m_color2 = color2;
    }
    TColor32 Color1() const { return m_color1; }
    TColor32 Color2() const { return m_color2; }

    // An empty routine restores the default one.
    void SetColorSource(tColorSource source);
    TColor32 ColorAt(const tVector3d& point) const { return m_source(point); }

private:
    TColor32 m_color1 = DefaultColor1;
    TColor32 m_color2 = DefaultColor2;
    tColorSource m_source = RandomSource;
};

// The shared instance.
tTexture3d& Texture3d();

}  // namespace pax
