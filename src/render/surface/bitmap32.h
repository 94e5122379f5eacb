#pragma once
// TBitmap32: the 32-bit ARGB raster surface that every picture of the system is drawn into.
// Pixels are TColor32 (0xAARRGGBB), row-major, top row first, no padding. Drawing obeys a clip
// rectangle (right and bottom exclusive); "blended" operations mix the source into the
// destination by the source alpha: (S a + D (255 - a)) / 255 per colour channel, rounded to
// nearest. The destination's alpha becomes a + D.a (255 - a) / 255, so an opaque surface
// stays opaque. Alpha 0 changes nothing; alpha 255 is the opaque operation.
//
// Fixed-point coordinates are 16.16; a fixed value rounds to a pixel as (v + 0x8000) >> 16,
// so exactly one half goes up (0x8000 -> 1) and anything less goes down (0x7FFF -> 0).
// Pixel centres sit on whole coordinates. A 0 x 0 surface accepts every call and does nothing;
// coordinates far outside the surface (and NaN in the float calls) are clipped or ignored.

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/color32.h"
#include "foundation/math2.h"

namespace pax {

using TFixed = int32_t;   // 16.16 fixed point

struct TFixedPoint {
    TFixed X = 0, Y = 0;
    bool operator==(const TFixedPoint&) const = default;
};
using TArrayOfFixedPoint = std::vector<TFixedPoint>;

inline constexpr TFixed FixedOne = 0x10000;
// float -> fixed, rounded to nearest (halves away from zero).
inline TFixed Fixed(double v) {
    const double scaled = v * 65536.0;
    if (scaled > -2147483648.0 && scaled < 2147483648.0) return static_cast<TFixed>(RoundHalfAway(scaled));
    return static_cast<TFixed>(std::lround(scaled));   // far outside, and NaN, as ever
}
inline constexpr int FixedRound(TFixed v) { return static_cast<int>((int64_t(v) + 0x8000) >> 16); }
inline constexpr double FixedToFloat(TFixed v) { return v / 65536.0; }
inline TFixedPoint FixedPoint(double x, double y) { return {Fixed(x), Fixed(y)}; }

struct TRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;   // right and bottom exclusive
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const TRect&) const = default;
};
TRect IntersectRect(const TRect& a, const TRect& b);

enum class TDrawMode { dmOpaque, dmBlend, dmCustom, dmTransparent };
enum class TCombineMode { cmBlend, cmMerge };

// The font of text output. The picture font "MS Sans Serif" 8 maps to the sans font that
// fontconfig finds.
struct TFont32 {
    std::string Face = "MS Sans Serif";
    int Size = 8;                 // points at 96 dots per inch
    bool Bold = false;
    TColor32 Color = clWhite32;
};

// S over D with S's alpha a (0 keeps D, 255 gives S).
TColor32 BlendPixel(TColor32 source, TColor32 dest);
// The same with the source alpha first scaled by master / 255.
TColor32 BlendPixelMaster(TColor32 source, TColor32 dest, uint8_t master);

class TBitmap32 {
public:
    TBitmap32() = default;
    TBitmap32(int width, int height);

    // --- size -------------------------------------------------------------------------------
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Empty() const { return m_width <= 0 || m_height <= 0; }
    // Reallocates; contents are undefined afterwards (in practice zero). Negative sizes count as 0.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, m_height); }
    // Copies size, pixels, draw mode, master alpha, outer colour and font of source.
    void Assign(const TBitmap32& source);
    // Exchanges the pixels with other, which takes this surface's size first (reallocated only
    // when its size differs); nothing else of either changes. A finished picture is handed
    // over whole, without a copy.
    void SwapPixels(TBitmap32& other);
    // Every pixel set to c, opaque copy without blending.
    void Clear(TColor32 c = clBlack32);
    // Clear's pixels of rows top .. bottom - 1 (those of the surface), whatever the clip.
    void ClearRows(int top, int bottom, TColor32 c);
    // Every pixel's alpha set to 255.
    void ResetAlpha();

    // --- pixel access -------------------------------------------------------------------------
    TColor32* ScanLine(int y) { return m_bits.data() + static_cast<size_t>(y) * m_width; }
    const TColor32* ScanLine(int y) const { return m_bits.data() + static_cast<size_t>(y) * m_width; }
    TColor32* PixelPtr(int x, int y) { return ScanLine(y) + x; }
    TColor32* Bits() { return m_bits.data(); }
    const TColor32* Bits() const { return m_bits.data(); }
    // Unchecked, no blending.
    TColor32 Pixel(int x, int y) const { return ScanLine(y)[x]; }
    void SetPixel(int x, int y, TColor32 c) { ScanLine(y)[x] = c; }
    // Checked against the surface (not the clip rectangle): 0 outside.
    TColor32 PixelS(int x, int y) const;
    // Clipped and blended.
    void SetPixelBlend(int x, int y, TColor32 c);
    // Antialiased point: the colour spread over the up to four pixels the point covers,
    // weighted by the fractional parts at 1/256 precision.
    void SetPixelAA(float x, float y, TColor32 c);
    void SetPixelAAFixed(TFixed x, TFixed y, TColor32 c);

    // --- clipping and modes ------------------------------------------------------------------
    const TRect& ClipRect() const { return m_clip; }
    void SetClipRect(const TRect& r);   // limited to the surface
    void ResetClipRect();               // the whole surface
    TDrawMode DrawMode = TDrawMode::dmOpaque;
    TCombineMode CombineMode = TCombineMode::cmBlend;
    uint8_t MasterAlpha = 255;
    TColor32 OuterColor = clBlack32;
    TFont32 Font;

    // --- lines and rectangles (all clip) -----------------------------------------------------
    // End points inclusive, blended.
    void HorzLineBlend(int x1, int y, int x2, TColor32 c);
    void VertLineBlend(int x, int y1, int y2, TColor32 c);
    // Bresenham, opaque; the last pixel only when asked.
    void LineOpaque(int x1, int y1, int x2, int y2, TColor32 c, bool drawLastPixel = false);
    // Bresenham, every pixel blended.
    void LineBlend(int x1, int y1, int x2, int y2, TColor32 c, bool drawLastPixel = false);
    // Antialiased, end points in 16.16, every pixel blended with its coverage by a band one
    // pixel thick. Along the major axis the line covers from half a pixel before its first
    // end point to half a pixel before its last one (after it with drawLastPixel): whole end
    // points give the pixel run of the plain line, and the segments of a path tile without
    // doubling their joints.
    void LineAA(TFixed x1, TFixed y1, TFixed x2, TFixed y2, TColor32 c, bool drawLastPixel = false);
    void LineAAF(float x1, float y1, float x2, float y2, TColor32 c, bool drawLastPixel = false);
    // x1, y1 inclusive; x2, y2 exclusive.
    void FillRectOpaque(int x1, int y1, int x2, int y2, TColor32 c);
    // Alpha 255 fills opaquely, alpha 0 draws nothing, anything else blends.
    void FillRectBlend(int x1, int y1, int x2, int y2, TColor32 c);
    // The four one-pixel edges of (x1, y1) .. (x2 - 1, y2 - 1), opaque.
    void FrameRectOpaque(int x1, int y1, int x2, int y2, TColor32 c);

    // --- polygons (even-odd rule, blended) -----------------------------------------------------
    // Fills the pixels whose centres are inside; a centre on an edge belongs to the polygon on
    // its right (and below, on a horizontal edge), so polygons sharing an edge never both
    // take a pixel nor both leave it.
    void FillPolygon(const TArrayOfFixedPoint& points, TColor32 c);
    // Antialiased with exact area coverage per pixel (vertices at 1/256 pixel): the coverages
    // of polygons that tile a region add up to full coverage.
    void FillPolygonAA(const TArrayOfFixedPoint& points, TColor32 c);
    void Polyline(const TArrayOfFixedPoint& points, TColor32 c, bool closed);
    void PolylineAA(const TArrayOfFixedPoint& points, TColor32 c, bool closed);

    // --- transfers ---------------------------------------------------------------------------
    // This surface onto dest at (x, y), obeying this surface's DrawMode and MasterAlpha:
    // dmOpaque copies, dmBlend blends by alpha MasterAlpha / 255, dmTransparent copies all
    // pixels but those equal to OuterColor, dmCustom (no custom combiner here) blends.
    void DrawTo(TBitmap32& dest, int x, int y) const;
    void DrawTo(TBitmap32& dest, int x, int y, const TRect& source) const;
    // Stretched into destRect of dest (nearest neighbour), obeying DrawMode and MasterAlpha.
    // Destination pixels that map outside this surface are left alone.
    void StretchTo(TBitmap32& dest, const TRect& destRect) const;
    void StretchTo(TBitmap32& dest, const TRect& destRect, const TRect& source) const;
    // The whole surface stretched into destRect, blended by masterAlpha regardless of DrawMode
    // and MasterAlpha, with every pixel's red, green and blue replaced by tint's (alphas kept)
    // when tinted: what tinting a copy and stretching that would draw, without changing this
    // surface, so that several threads can draw it at once. Honours the thread's row share.
    void StretchBlendTo(TBitmap32& dest, const TRect& destRect, uint8_t masterAlpha, bool tinted,
                        TColor32 tint) const;

    // --- text --------------------------------------------------------------------------------
    // Glyph pixels in Font.Color blended by their coverage; the background is untouched.
    // (x, y) is the top-left corner of the text's line box, TextWidth x TextHeight pixels,
    // outside which nothing is drawn.
    void TextOut(int x, int y, std::string_view text);
    int TextWidth(std::string_view text) const;
    int TextHeight() const;

    // --- update bracketing -------------------------------------------------------------------
    void BeginUpdate() { ++m_updateCount; }
    void EndUpdate();
    void Changed();
    void SetOnChange(std::function<void()> handler) { m_onChange = std::move(handler); }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<TColor32> m_bits;
    TRect m_clip;
    int m_updateCount = 0;
    std::function<void()> m_onChange;
};

}  // namespace pax
