#include "render/windows/graphics_window.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

#include "render/windows/shared_surfaces.h"
#include "render/sprites/sprite_store.h"
#include "system/display_info.h"
#include "system/error_reporting.h"

namespace pax {

namespace {

constexpr TColor32 ShadowColor = 0xFF800000;   // dark red (toolkit colour 0x000080)

// Geometry is kept inside this band around the surface before it becomes 16.16 fixed point,
// whose range ends at +-32767 pixels. Whatever the band cuts away lies outside the surface.
constexpr double GuardBand = 1024;
constexpr double FixedLimit = 32000;

struct GuardRect {
    double lo = 0, xHi = 0, yHi = 0;
};

GuardRect GuardOf(const TBitmap32& surface) {
    return {-GuardBand, std::min(surface.Width() + GuardBand, FixedLimit),
            std::min(surface.Height() + GuardBand, FixedLimit)};
}

bool InsideGuard(const tPointD& p, const GuardRect& g) {
    return p.x >= g.lo && p.x <= g.xHi && p.y >= g.lo && p.y <= g.yHi;
}

// Liang-Barsky against the guard; false when nothing of the segment is inside (NaN included).
// A segment with both ends inside keeps t0 = 0 and t1 = 1: every q[k] is then at least 0 and,
// rounding being monotonic, at least p[k], so the four divisions are skipped. The end points
// still go through the same formulas, which round b to a + (b - a) as the clip always has.
bool ClipSegment(tPointD& a, tPointD& b, const GuardRect& g) {
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - g.lo, g.xHi - a.x, a.y - g.lo, g.yHi - a.y};
    const bool inside = InsideGuard(a, g) && InsideGuard(b, g);
    for (int k = 0; k < 4 && !inside; ++k) {
        if (std::isnan(q[k])) return false;
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (!(t0 <= t1)) return false;
    }
    const tPointD from{a.x + t0 * dx, a.y + t0 * dy};
    b = {a.x + t1 * dx, a.y + t1 * dy};
    a = from;
    return true;
}

// Sutherland-Hodgman against one edge of the guard. The cut adds edges only along the guard,
// outside the surface, so the even-odd coverage of every surface pixel is unchanged.
template <class Inside, class Cross>
std::vector<tPointD> ClipAgainst(const std::vector<tPointD>& in, Inside inside, Cross cross) {
    std::vector<tPointD> out;
    out.reserve(in.size() + 4);
    for (size_t i = 0; i < in.size(); ++i) {
        const tPointD& p = in[i];
        const tPointD& q = in[(i + 1) % in.size()];
        const bool pIn = inside(p), qIn = inside(q);
        if (pIn) out.push_back(p);
        if (pIn != qIn) out.push_back(cross(p, q));
    }
    return out;
}

std::vector<tPointD> ClipPolygon(std::vector<tPointD> poly, const GuardRect& g) {
    auto atX = [](double x) {
        return [x](const tPointD& p, const tPointD& q) { return tPointD{x, p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x)}; };
    };
    auto atY = [](double y) {
        return [y](const tPointD& p, const tPointD& q) { return tPointD{p.x + (q.x - p.x) * (y - p.y) / (q.y - p.y), y}; };
    };
    poly = ClipAgainst(poly, [&](const tPointD& p) { return p.x >= g.lo; }, atX(g.lo));
    poly = ClipAgainst(poly, [&](const tPointD& p) { return p.x <= g.xHi; }, atX(g.xHi));
    poly = ClipAgainst(poly, [&](const tPointD& p) { return p.y >= g.lo; }, atY(g.lo));
    poly = ClipAgainst(poly, [&](const tPointD& p) { return p.y <= g.yHi; }, atY(g.yHi));
    return poly;
}

// The corners of the polygon being painted, in the calling thread's own store: every plane
// part passes through here, and two allocations a polygon were more than its setting up.
const TArrayOfFixedPoint& ToFixed(std::span<const tPointD> points) {
    thread_local TArrayOfFixedPoint store;
    store.clear();
    for (const tPointD& p : points) store.push_back(FixedPoint(p.x, p.y));
    return store;
}

int RoundPixel(double v) { return static_cast<int>(std::lrint(v)); }

VectorSmoothing SinkSmoothing(bool antialiased) {
    return antialiased ? VectorSmoothing::Antialiased : VectorSmoothing::Plain;
}

// Points at 96 dots per inch.
int TextPixelSize(const TFont32& font) { return (font.Size * 96 + 36) / 72; }

Extended PixelsPerMm(uint16_t pixels, uint16_t millimetres) {
    // 96 dots per inch when the screen does not tell its size.
    if (millimetres == 0) return 96.0L / 25.4L;
    return Extended(pixels) / Extended(millimetres);
}

}  // namespace

oWindow::oWindow(std::string_view name, SharedSurfaces& surfaces, SpriteStore& sprites)
    : m_name(name), m_surfaces(surfaces), m_sprites(sprites) {
    const tDisplayInfo& display = DisplayInfo();
    m_pixelsPerMmX = PixelsPerMm(display.HorzRes, display.HorzSize);
    m_pixelsPerMmY = PixelsPerMm(display.VertRes, display.VertSize);
    m_perspectiveScaleX = 0.7L * m_pixelsPerMmX / m_pixelsPerMmY;
    m_perspectiveScaleY = 0.7L;
    m_width = m_x2 - m_x1 + 1;
    m_height = m_y2 - m_y1 + 1;
    ComputeSizes();
    oWindow::Reset();
    m_surfaces.CurrentWindow = this;
}

oWindow::~oWindow() {
    if (m_surfaces.CurrentWindow == this) m_surfaces.CurrentWindow = nullptr;
}

void oWindow::Reset() {
    m_color = clYellow32;
    LineAntialiasing = true;
    FillAntialiasing = false;
    FillPolygons = true;
    DrawOutlines = true;
    ReservedFlag[0] = ReservedFlag[1] = false;
    SelectBitmap(&m_surfaces.Default);
}

namespace {

// The extent from a to b inclusive, widened to at least minimum by moving b; in 64 bits, as the
// corners may be any 32-bit values, and limited to what 32 bits hold.
int32_t Extent(int32_t a, int32_t& b, int32_t minimum) {
    constexpr int64_t Largest = std::numeric_limits<int32_t>::max();
    int64_t extent = int64_t(b) - a + 1;
    if (extent < minimum) {
        extent = minimum;
        b = int32_t(std::min(int64_t(a) + minimum - 1, Largest));
    }
    return int32_t(std::min(extent, Largest));
}

}  // namespace

void oWindow::ComputeSizes() {
    m_width = Extent(m_x1, m_x2, MinExtent);
    m_height = Extent(m_y1, m_y2, MinExtent);
    m_centerX = m_width / 2;
    m_centerY = m_height / 2;
    m_textRows = m_height / 16;
    m_sized = true;
}

void oWindow::SetSize(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    // In 64 bits: extents of opposite-signed corners must not overflow.
    if (int64_t(x2) - x1 > RefusedExtent) {
        m_x1 = x1;
        m_x2 = x2;
    }
    if (int64_t(y2) - y1 > RefusedExtent) {
        m_y1 = y1;
        m_y2 = y2;
    }
    ComputeSizes();
    if (m_open) Select();
}

void oWindow::SelectBitmap(TBitmap32* surface) {
    if (!surface) {
        ShowError("GrWindow:  oWindow.SelectBitmap", "bitmap pointer = nil", Buttons::AbortRetryIgnoreDefault2);
        return;
    }
    m_surface = surface;
    m_surfaces.CurrentSurface = surface;
}

void oWindow::Open() {
    if (m_windowId != ValidWindowId)
        ShowError("GrWindow:  oWindow.Open", "window has wrong win-ID", Buttons::AbortRetryIgnoreDefault2);
    Select();
    Clear();
    DrawFrame();
}

void oWindow::Select() {
    m_open = true;
    m_surfaces.CurrentWindow = this;
}

void oWindow::Clear() { Clear(BackgroundColor); }

void oWindow::Clear(TColor32 colour) {
    if (!m_surface) {
        ShowError("GrWindow:  oWindow.Clear",
                  "no bitmap assigned to window '" + m_name + "'\nplease call SelectBitmap(...) before",
                  Buttons::AbortRetryIgnoreDefault2);
        return;
    }
    if (!m_open) {
        ShowWarning("GrWindow:  oWindow.Clear", "window is not open");
        return;
    }
    const TColor32 opaque = SetAlpha(colour, 255);
    m_surface->Clear(opaque);
    m_surface->OuterColor = opaque;
}

void oWindow::Close() {
    if (!m_open) ShowWarning("GrWindow: oWindow.Close", "window not opened");
    if (m_windowId < ValidWindowId || !m_open) return;
    m_open = false;
}

void oWindow::DrawFrame() {
    if (!m_surface) return;
    const int left = m_x1 - 1, top = m_y1 - 1, right = m_x2 + 1, bottom = m_y2 + 1;
    m_surface->HorzLineBlend(left, top, right, LightFrameColor);
    m_surface->VertLineBlend(left, top, bottom, LightFrameColor);
    m_surface->HorzLineBlend(left, bottom, right, DarkFrameColor);
    m_surface->VertLineBlend(right, top, bottom, DarkFrameColor);
}

// --- drawing ---------------------------------------------------------------------------------

void oWindow::SetColor(TColor32 colour) {
    m_color = colour;
    if (m_surface) m_surface->Font.Color = colour;
}

void oWindow::TextOut(int x, int y, std::string_view text) {
    if (!m_surface) return;
    m_surface->Font.Color = m_color;
    m_surface->TextOut(x, y, text);
    if (m_vectorSink) m_vectorSink->Text(x, y, text, m_color, TextPixelSize(m_surface->Font), m_surface->Font.Bold);
}

void oWindow::ShadowText(int x, int y, std::string_view text) {
    if (!m_surface) return;
    TFont32& font = m_surface->Font;
    const bool wasBold = font.Bold;
    font.Bold = true;
    font.Color = ShadowColor;
    m_surface->TextOut(x + 1, y + 1, text);
    font.Color = m_color;
    m_surface->TextOut(x, y, text);
    if (m_vectorSink) {
        const int size = TextPixelSize(font);
        m_vectorSink->Text(x + 1, y + 1, text, ShadowColor, size, true);
        m_vectorSink->Text(x, y, text, m_color, size, true);
    }
    font.Bold = wasBold;
}

void oWindow::PointF(double x, double y, TColor32 colour) {
    if (!m_surface) return;
    m_surface->SetPixelAA(static_cast<float>(x), static_cast<float>(y), colour);
    if (m_vectorSink) m_vectorSink->Point({x, y}, colour);
}

void oWindow::Line(TFixedPoint from, TFixedPoint to, TColor32 colour) {
    if (!m_surface) return;
    if (m_vectorSink)
        m_vectorSink->Line({FixedToFloat(from.X), FixedToFloat(from.Y)}, {FixedToFloat(to.X), FixedToFloat(to.Y)},
                           colour, SinkSmoothing(LineAntialiasing));
    if (LineAntialiasing)
        m_surface->LineAA(from.X, from.Y, to.X, to.Y, colour);
    else
        m_surface->LineOpaque(FixedRound(from.X), FixedRound(from.Y), FixedRound(to.X), FixedRound(to.Y), colour);
}

void oWindow::LineF(double x1, double y1, double x2, double y2, TColor32 colour) {
    if (!m_surface) return;
    tPointD a{x1, y1}, b{x2, y2};
    if (!ClipSegment(a, b, GuardOf(*m_surface))) return;
    if (m_vectorSink) m_vectorSink->Line(a, b, colour, SinkSmoothing(LineAntialiasing));
    if (LineAntialiasing)
        m_surface->LineAA(Fixed(a.x), Fixed(a.y), Fixed(b.x), Fixed(b.y), colour);
    else
        m_surface->LineBlend(RoundPixel(a.x), RoundPixel(a.y), RoundPixel(b.x), RoundPixel(b.y), colour);
}

void oWindow::LineFixed(double x1, double y1, double x2, double y2, TColor32 colour) {
    if (!m_surface) return;
    tPointD a{x1, y1}, b{x2, y2};
    if (!ClipSegment(a, b, GuardOf(*m_surface))) return;
    Line(FixedPoint(a.x, a.y), FixedPoint(b.x, b.y), colour);
}

void oWindow::Box(double x1, double y1, double x2, double y2, TColor32 fill, TColor32 frame) {
    if (!m_surface) return;
    const GuardRect g = GuardOf(*m_surface);
    auto inGuard = [&](double v, double hi) { return std::isnan(v) ? g.lo : std::clamp(v, g.lo, hi); };
    const int left = RoundPixel(inGuard(std::min(x1, x2), g.xHi));
    const int right = RoundPixel(inGuard(std::max(x1, x2), g.xHi));
    const int top = RoundPixel(inGuard(std::min(y1, y2), g.yHi));
    const int bottom = RoundPixel(inGuard(std::max(y1, y2), g.yHi));
    m_surface->FillRectBlend(left, top, right, bottom, fill);
    if (AlphaOf(frame) != 0) m_surface->FrameRectOpaque(left, top, right, bottom, frame);
    if (m_vectorSink) m_vectorSink->Rect(left, top, right, bottom, fill, AlphaOf(frame) != 0 ? SetAlpha(frame, 255) : 0);
}

void oWindow::Sprite(uint16_t id, double left, double top, double right, double bottom, uint8_t alpha) {
    if (!m_surface) return;
    if (m_vectorSink) m_vectorSink->Image(m_sprites.GetSprite(id), left, top, right, bottom, alpha);
    m_sprites.AddScaledSprite(id,
                              {static_cast<float>(left), static_cast<float>(top), static_cast<float>(right),
                               static_cast<float>(bottom)},
                              alpha, *m_surface);
}

void oWindow::Ellipse(double cx, double cy, double rx, double ry, TColor32 line, TColor32 fill) {
    DrawEllipse(cx, cy, rx, ry, line, fill, FillPolygons);
}

namespace {

// The cosines and sines of the ellipse's vertex angles, worked out once: every circle part of
// a plant's berries and blossoms needs them.
struct EllipseAngles {
    std::array<double, oWindow::EllipseVertices> cos, sin;
};

const EllipseAngles& TheEllipseAngles() {
    static const EllipseAngles angles = [] {
        EllipseAngles t;
        const double step = 2 * std::numbers::pi / (oWindow::EllipseVertices - 1);
        for (int i = 0; i < oWindow::EllipseVertices; ++i) {
            const double a = i * step;
            t.cos[static_cast<size_t>(i)] = std::cos(a);
            t.sin[static_cast<size_t>(i)] = std::sin(a);
        }
        return t;
    }();
    return angles;
}

}  // namespace

void oWindow::DrawEllipse(double cx, double cy, double rx, double ry, TColor32 line, TColor32 fill, bool filled) {
    const EllipseAngles& angles = TheEllipseAngles();
    std::array<tPointD, EllipseVertices> vertices;
    for (size_t i = 0; i < EllipseVertices; ++i) vertices[i] = {cx + rx * angles.cos[i], cy + ry * angles.sin[i]};
    vertices.back() = vertices.front();
    if (m_vectorSink) {
        // The sink gets the ellipse itself; the polygon that approximates it stays on the surface.
        VectorSink* sink = std::exchange(m_vectorSink, nullptr);
        const TColor32 fillShown = filled ? fill : 0;
        const TColor32 lineShown = filled && !DrawOutlines ? 0 : line;
        if (filled || DrawOutlines) sink->Ellipse({cx, cy}, std::fabs(rx), std::fabs(ry), fillShown, lineShown);
        else
            for (const tPointD& v : vertices) sink->Point(v, line);
        DrawEllipse(cx, cy, rx, ry, line, fill, filled);
        m_vectorSink = sink;
        return;
    }
    PolygonPaint paint;
    if (filled) {
        paint.style = DrawOutlines ? PolygonStyle::FillOutline : PolygonStyle::Fill;
        paint.fill = fill;
        paint.line = line;
        paint.fillSmoothing = FillSmoothing();
        paint.lineSmoothing = LineSmoothing();
    } else {
        paint.style = DrawOutlines ? PolygonStyle::Outline : PolygonStyle::Points;
        paint.line = line;
        paint.lineSmoothing = LineSmoothing();
        paint.closure = PolygonClosure::Open;
    }
    PaintPolygon(vertices, paint);
}

// --- polygons ----------------------------------------------------------------------------------

void oWindow::PolygonFillOutline(const TArrayOfFixedPoint& points, TColor32 fill, TColor32 line,
                                 Smoothing fillSmoothing, Smoothing lineSmoothing) {
    PolygonFill(points, fill, fillSmoothing);
    PolygonOutline(points, line, PolygonClosure::Closed, lineSmoothing);
}

void oWindow::PolygonFill(const TArrayOfFixedPoint& points, TColor32 fill, Smoothing smoothing) {
    if (!m_surface || AlphaOf(fill) == 0) return;
    if (smoothing == Smoothing::Antialiased)
        m_surface->FillPolygonAA(points, fill);
    else
        m_surface->FillPolygon(points, fill);
}

void oWindow::PolygonOutline(const TArrayOfFixedPoint& points, TColor32 line, PolygonClosure closure,
                             Smoothing smoothing) {
    if (!m_surface || AlphaOf(line) == 0) return;
    const bool closed = closure == PolygonClosure::Closed;
    if (smoothing == Smoothing::Antialiased)
        m_surface->PolylineAA(points, line, closed);
    else
        m_surface->Polyline(points, line, closed);
}

void oWindow::PolygonPoints(const TArrayOfFixedPoint& points, TColor32 colour, Smoothing smoothing) {
    if (!m_surface) return;
    for (const TFixedPoint& p : points) {
        if (smoothing == Smoothing::Antialiased)
            m_surface->SetPixelAAFixed(p.X, p.Y, colour);
        else
            m_surface->SetPixelBlend(FixedRound(p.X), FixedRound(p.Y), colour);
    }
}

void oWindow::TellSink(VectorSink& sink, std::span<const tPointD> points, const PolygonPaint& paint) const {
    const VectorSmoothing smoothing = paint.style == PolygonStyle::Outline || paint.style == PolygonStyle::Points
                                          ? SinkSmoothing(paint.lineSmoothing == Smoothing::Antialiased)
                                          : SinkSmoothing(paint.fillSmoothing == Smoothing::Antialiased);
    switch (paint.style) {
    case PolygonStyle::FillOutline: sink.Polygon(points, paint.fill, paint.line, true, smoothing); return;
    case PolygonStyle::Fill: sink.Polygon(points, paint.fill, 0, true, smoothing); return;
    case PolygonStyle::Outline:
        sink.Polygon(points, 0, paint.line, paint.closure == PolygonClosure::Closed, smoothing);
        return;
    case PolygonStyle::Points:
        for (const tPointD& p : points) sink.Point(p, paint.line);
        return;
    }
}

void oWindow::PaintPolygon(std::span<const tPointD> points, const PolygonPaint& paint) {
    if (!m_surface || points.empty()) return;
    if (m_vectorSink) TellSink(*m_vectorSink, points, paint);
    const GuardRect g = GuardOf(*m_surface);
    const bool inside = std::all_of(points.begin(), points.end(), [&](const tPointD& p) { return InsideGuard(p, g); });
    if (inside) {
        const TArrayOfFixedPoint& fixed = ToFixed(points);
        switch (paint.style) {
        case PolygonStyle::FillOutline:
            PolygonFillOutline(fixed, paint.fill, paint.line, paint.fillSmoothing, paint.lineSmoothing);
            return;
        case PolygonStyle::Fill: PolygonFill(fixed, paint.fill, paint.fillSmoothing); return;
        case PolygonStyle::Outline: PolygonOutline(fixed, paint.line, paint.closure, paint.lineSmoothing); return;
        case PolygonStyle::Points: PolygonPoints(fixed, paint.line, paint.lineSmoothing); return;
        }
        return;
    }
    // Some vertex lies far off the surface: fills are clipped as polygons, outlines segment by
    // segment, and points beyond the band are simply invisible.
    if (paint.style == PolygonStyle::Points) {
        TArrayOfFixedPoint near;
        for (const tPointD& p : points)
            if (InsideGuard(p, g)) near.push_back(FixedPoint(p.x, p.y));
        PolygonPoints(near, paint.line, paint.lineSmoothing);
        return;
    }
    if (paint.style != PolygonStyle::Outline) {
        const std::vector<tPointD> clipped = ClipPolygon({points.begin(), points.end()}, g);
        if (clipped.size() >= 3) PolygonFill(ToFixed(clipped), paint.fill, paint.fillSmoothing);
    }
    if (paint.style == PolygonStyle::Fill || AlphaOf(paint.line) == 0) return;
    const bool closed = paint.style == PolygonStyle::FillOutline || paint.closure == PolygonClosure::Closed;
    const size_t segments = closed ? points.size() : points.size() - 1;
    for (size_t i = 0; i < segments; ++i) {
        tPointD a = points[i], b = points[(i + 1) % points.size()];
        if (!ClipSegment(a, b, g)) continue;
        if (paint.lineSmoothing == Smoothing::Antialiased)
            m_surface->LineAA(Fixed(a.x), Fixed(a.y), Fixed(b.x), Fixed(b.y), paint.line);
        else
            m_surface->LineBlend(RoundPixel(a.x), RoundPixel(a.y), RoundPixel(b.x), RoundPixel(b.y), paint.line);
    }
}

// --- PlaneCanvas -------------------------------------------------------------------------------

void oWindow::LineF(tPoint2f from, tPoint2f to, TColor32 color) { LineF(from.x, from.y, to.x, to.y, color); }

namespace {
// In the calling thread's own store too, as ToFixed's corners; PaintPolygon does not come
// back here while it holds them.
std::span<const tPointD> ToDouble(std::span<const tPoint2f> points) {
    thread_local std::vector<tPointD> store;
    store.clear();
    for (const tPoint2f& p : points) store.push_back({p.x, p.y});
    return store;
}
Smoothing SmoothingOf(bool flag) { return flag ? Smoothing::Antialiased : Smoothing::Plain; }
}  // namespace

void oWindow::FillPolygon(std::span<const tPoint2f> points, TColor32 fill, TColor32 outline, bool drawFlag1,
                          bool drawFlag2) {
    PolygonPaint paint;
    paint.style = outline != 0 ? PolygonStyle::FillOutline : PolygonStyle::Fill;
    paint.fill = fill;
    paint.line = outline;
    paint.lineSmoothing = SmoothingOf(drawFlag1);
    paint.fillSmoothing = SmoothingOf(drawFlag2);
    PaintPolygon(ToDouble(points), paint);
}

void oWindow::OutlinePolygon(std::span<const tPoint2f> points, TColor32 color, PolygonClosure closure,
                             bool drawFlag1) {
    PolygonPaint paint;
    paint.style = PolygonStyle::Outline;
    paint.line = color;
    paint.lineSmoothing = SmoothingOf(drawFlag1);
    paint.closure = closure;
    PaintPolygon(ToDouble(points), paint);
}

}  // namespace pax
