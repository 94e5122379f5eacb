#pragma once
// oWindow: a rectangular drawing area on a borrowed surface, with its centre, scale factors,
// drawing colour and drawing flags, and the 2D primitives that the projection windows put
// projected geometry on the surface with. Coordinates of the primitives are surface pixels
// (y down); the window rectangle (x1, y1) .. (x2, y2) is inclusive and its centre is relative
// to (x1, y1).
//
// Coordinates far outside the surface are safe everywhere: fixed-point polygons are clipped
// to a guard band around the surface before they are converted, so no value beyond the 16.16
// range reaches the rasteriser.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "foundation/color32.h"
#include "foundation/extended.h"
#include "render/export/vector_sink.h"
#include "render/surface/bitmap32.h"
#include "scene/plane_canvas.h"

namespace pax {

struct SharedSurfaces;
class SpriteStore;

enum class Smoothing { Plain, Antialiased };

class oWindow : public PlaneCanvas {
public:
    static constexpr uint16_t ValidWindowId = 22000;
    // Extents up to this are refused by SetSize; derived extents below MinExtent are widened.
    static constexpr int32_t RefusedExtent = 8;
    static constexpr int32_t MinExtent = 32;
    static constexpr int EllipseVertices = 37;

    // Create: the defaults, the scale factors from the screen, Reset, and the window becomes
    // the current one.
    oWindow(std::string_view name, SharedSurfaces& surfaces, SpriteStore& sprites);
    ~oWindow() override;
    oWindow(const oWindow&) = delete;
    oWindow& operator=(const oWindow&) = delete;

    // --- life cycle -------------------------------------------------------------------------
    // Drawing colour opaque yellow, the drawing flags to their defaults, the default surface.
    virtual void Reset();
    // An extent is taken only when it exceeds 8 pixels; derived sizes recomputed; an open
    // window is selected again.
    virtual void SetSize(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // The surface becomes the window's target and the current surface; nullptr is an error.
    void SelectBitmap(TBitmap32* surface);
    // Checks the window id, selects, clears to the background colour, draws the frame.
    virtual void Open();
    void Select();
    // The whole surface to the colour (made opaque), which becomes its outer colour.
    void Clear();
    void Clear(TColor32 colour);
    void Close();

    // --- state ------------------------------------------------------------------------------
    const std::string& Name() const { return m_name; }
    uint16_t WindowId() const { return m_windowId; }
    void SetWindowId(uint16_t id) { m_windowId = id; }
    bool IsOpen() const { return m_open; }
    bool Sized() const { return m_sized; }
    int32_t X1() const { return m_x1; }
    int32_t Y1() const { return m_y1; }
    int32_t X2() const { return m_x2; }
    int32_t Y2() const { return m_y2; }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    int32_t CenterX() const { return m_centerX; }   // relative to x1
    int32_t CenterY() const { return m_centerY; }
    int32_t TextRows() const { return m_textRows; }
    int32_t TextRowsMinusTwo() const { return m_textRows - 2; }
    Extended PixelsPerMmX() const { return m_pixelsPerMmX; }
    Extended PixelsPerMmY() const { return m_pixelsPerMmY; }
    Extended PerspectiveScaleX() const { return m_perspectiveScaleX; }
    Extended PerspectiveScaleY() const { return m_perspectiveScaleY; }
    TBitmap32* Surface() const { return m_surface; }
    SharedSurfaces& Surfaces() const { return m_surfaces; }
    SpriteStore& Sprites() const { return m_sprites; }
    // Every primitive drawn from now on is also told to sink (nullptr: none). Not owned.
    void SetVectorSink(VectorSink* sink) { m_vectorSink = sink; }
    VectorSink* GetVectorSink() const { return m_vectorSink; }

    TColor32 BackgroundColor = clBlack32;
    TColor32 LightFrameColor = 0xFFD3D3D3;   // top and left edges
    TColor32 DarkFrameColor = 0xFF404040;    // bottom and right edges
    bool LineAntialiasing = true;
    bool FillAntialiasing = false;
    bool FillPolygons = true;
    bool DrawOutlines = true;
    // Carried, not read by any drawing operation.
    int32_t ReservedInt[2] = {0, 0};
    bool ReservedFlag[2] = {false, false};

    // --- drawing ----------------------------------------------------------------------------
    // The drawing colour and the surface's font colour.
    void SetColor(TColor32 colour);
    TColor32 Color() const { return m_color; }
    void TextOut(int x, int y, std::string_view text);
    // Bold: a dark red shadow one pixel down and right, then the text in the drawing colour.
    void ShadowText(int x, int y, std::string_view text);
    void PointF(double x, double y, TColor32 colour);
    // Antialiased with line antialiasing on, otherwise opaque between the rounded ends.
    void Line(TFixedPoint from, TFixedPoint to, TColor32 colour);
    // Antialiased with line antialiasing on, otherwise blended between the rounded ends.
    void LineF(double x1, double y1, double x2, double y2, TColor32 colour);
    // Blended fill of the rectangle, then an opaque frame.
    void Box(double x1, double y1, double x2, double y2, TColor32 fill, TColor32 frame);
    // Sprite id stretched into the rectangle with the master alpha.
    void Sprite(uint16_t id, double left, double top, double right, double bottom, uint8_t alpha);
    // 37 vertices around (cx, cy), the last repeating the first; filled and outlined by the
    // window's flags.
    void Ellipse(double cx, double cy, double rx, double ry, TColor32 line, TColor32 fill);

    // Polygons, even-odd. A fill is drawn only when its colour's alpha is not 0, an outline
    // likewise.
    void PolygonFillOutline(const TArrayOfFixedPoint& points, TColor32 fill, TColor32 line, Smoothing fillSmoothing,
                            Smoothing lineSmoothing);
    void PolygonFill(const TArrayOfFixedPoint& points, TColor32 fill, Smoothing smoothing);
    void PolygonOutline(const TArrayOfFixedPoint& points, TColor32 line, PolygonClosure closure, Smoothing smoothing);
    void PolygonPoints(const TArrayOfFixedPoint& points, TColor32 colour, Smoothing smoothing);

    // --- PlaneCanvas: flag 1 is line antialiasing, flag 2 fill antialiasing -------------------
    void LineF(tPoint2f from, tPoint2f to, TColor32 color) override;
    void FillPolygon(std::span<const tPoint2f> points, TColor32 fill, TColor32 outline, bool drawFlag1,
                     bool drawFlag2) override;
    void OutlinePolygon(std::span<const tPoint2f> points, TColor32 color, PolygonClosure closure,
                        bool drawFlag1) override;

protected:
    enum class PolygonStyle { FillOutline, Fill, Outline, Points };
    struct PolygonPaint {
        PolygonStyle style = PolygonStyle::FillOutline;
        TColor32 fill = 0;
        TColor32 line = 0;
        Smoothing fillSmoothing = Smoothing::Plain;
        Smoothing lineSmoothing = Smoothing::Plain;
        PolygonClosure closure = PolygonClosure::Closed;
    };
    // The fixed-point line between two float points, cut to the guard band first.
    void LineFixed(double x1, double y1, double x2, double y2, TColor32 colour);
    // The ellipse with its fill chosen by the caller (a circle part keeps its own flag).
    void DrawEllipse(double cx, double cy, double rx, double ry, TColor32 line, TColor32 fill, bool filled);
    // Float vertices in surface pixels: kept inside the guard band, then drawn as fixed points.
    void PaintPolygon(std::span<const tPointD> points, const PolygonPaint& paint);
    void TellSink(VectorSink& sink, std::span<const tPointD> points, const PolygonPaint& paint) const;
    Smoothing LineSmoothing() const { return LineAntialiasing ? Smoothing::Antialiased : Smoothing::Plain; }
    Smoothing FillSmoothing() const { return FillAntialiasing ? Smoothing::Antialiased : Smoothing::Plain; }

private:
    void ComputeSizes();
    void DrawFrame();

    std::string m_name;
    SharedSurfaces& m_surfaces;
    SpriteStore& m_sprites;
    uint16_t m_windowId = ValidWindowId;
    bool m_sized = true;
    bool m_open = false;
    int32_t m_x1 = 1, m_y1 = 1, m_x2 = 639, m_y2 = 479;
    int32_t m_textRows = 0;
    int32_t m_centerX = 319, m_centerY = 239;
    Extended m_pixelsPerMmX = 0, m_pixelsPerMmY = 0;
    Extended m_perspectiveScaleX = 0.7L, m_perspectiveScaleY = 0.7L;
    TBitmap32* m_surface = nullptr;
    VectorSink* m_vectorSink = nullptr;
    int32_t m_width = 640, m_height = 480;
    TColor32 m_color = clYellow32;
};

}  // namespace pax
