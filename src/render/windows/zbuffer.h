#pragma once
// TZBuffer32: a colour plane with a depth plane beside it, for z-buffered line drawings.
// Depths are eye depths in 16.16 fixed point, signed, smaller is nearer; 0x7FFFFFFF is the
// far plane of an empty pixel. A colour of 0x00000000 means no line covers the pixel.
//
// The colour plane is reachable only read-only, so its size always matches the depth plane.

#include <cstdint>
#include <vector>

#include "foundation/vector3d.h"
#include "render/surface/bitmap32.h"

namespace pax {

// x and y in pixels, z a 16.16 depth.
struct TZPoint {
    int32_t X = 0, Y = 0, Z = 0;
};

// x and y in pixels, depth in eye units (not fixed point).
struct TZPointF {
    Extended X = 0, Y = 0, Depth = 0;
};

class TZBuffer32 {
public:
    static constexpr int32_t FarDepth = 0x7FFFFFFF;

    TZBuffer32() = default;

    int Width() const { return m_colors.Width(); }
    int Height() const { return m_colors.Height(); }
    const TBitmap32& ColorPlane() const { return m_colors; }
    // Unchecked.
    int32_t Depth(int x, int y) const { return m_depths[static_cast<size_t>(y) * Width() + x]; }
    // Kept for the shading direction of depth pictures; no operation reads it yet.
    const tVector3d& Direction() const { return m_direction; }

    // Resizes (negative sizes count as 0; the depth plane is reallocated only when the size
    // changed) and clears.
    void SetSize(int width, int height);
    // Colours to 0x00000000, depths to FarDepth.
    void Clear();

    // Writes colour (as is, no blending) and depth at (x, y) when the pixel is on the surface
    // and z is nearer than the stored depth; equal depth keeps the older pixel.
    void PlotZ(int x, int y, TColor32 colour, int32_t z) {
        if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
        const size_t i = static_cast<size_t>(y) * Width() + x;
        if (z >= m_depths[i]) return;
        m_clean = false;
        m_depths[i] = z;
        m_colors.Bits()[i] = colour;
    }

    // The line walk: from the end with the smaller y (p1 when the y are equal) towards the
    // other, one pixel per step along the major axis, the depth stepping by
    // (z far - z start) div max(|dx|, |dy|). A segment of zero length plots only its nearer
    // end. Only the steps that land on the surface are walked.
    void LineZ(const TZPoint& p1, const TZPoint& p2, TColor32 colour);
    // x and y rounded to nearest (halves to even), z = depth 65536 rounded and limited to
    // the int32 range. Segments with a NaN or infinite coordinate or a NaN depth are ignored;
    // coordinates beyond +-2^30 are first clipped to the surface.
    void LineZ(const TZPointF& p1, const TZPointF& p2, TColor32 colour);

    // The colour plane onto destination, darkened by the depth gradient: for every line
    // pixel of rows 0 .. height - 2 and columns 0 .. width - 3, visited row by row, whose
    // previously visited pixel (across row ends too) is also a line pixel,
    // g = (z(x + 1, y) - z) + (z(x, y + 1) - z), w = clamp(g div divisor + 127, 0, 255) and the
    // pixel becomes BlendColor(c, opaque black, w); the first pixel of a run is copied as is.
    // Pixels without line and pixels outside destination are left alone. A divisor of 0
    // counts as 1.
    void Compose(TBitmap32& destination, int32_t divisor) const;

private:
    TBitmap32 m_colors;
    std::vector<int32_t> m_depths;
    // A second depth plane: cleared with the first, never sized.
    std::vector<int32_t> m_secondDepths;
    tVector3d m_direction{-1.0L, 0.1L, 1.0L};
    bool m_clean = false;   // nothing drawn since the last clear
};

}  // namespace pax
