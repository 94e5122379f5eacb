#include "render/windows/proj3d_window.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <string>

#include "foundation/point_list3d.h"
#include "render/export/geometry_sink.h"
#include "render/export/vector_sink.h"
#include "render/windows/shared_surfaces.h"
#include "render/sprites/sprite_store.h"
#include "scene/eye3d.h"
#include "scene/light3d.h"
#include "system/debug_log.h"
#include "system/error_reporting.h"
#include "system/settings.h"

namespace pax {

namespace {

std::atomic<bool> g_polygonTrace{false};

uint8_t Opacity(int32_t transparency) { return static_cast<uint8_t>(255 - std::clamp(transparency, 0, 255)); }

}  // namespace

void Proj3dWindow::SetPolygonTrace(bool on) { g_polygonTrace.store(on, std::memory_order_relaxed); }
bool Proj3dWindow::PolygonTrace() { return g_polygonTrace.load(std::memory_order_relaxed); }

Proj3dWindow::Proj3dWindow(std::string_view name, SharedSurfaces& surfaces, SpriteStore& sprites, Eye3d& eye,
                           Light3d& light)
    : oWindow(name, surfaces, sprites), m_eye(eye), m_light(light) {
    Proj3dWindow::Reset();
    SetProjection(Projection::Perspective);
}

void Proj3dWindow::Trace(std::string_view text) const {
    if (!PolygonTrace()) return;
    LogLine(Name() + std::string(text));
}

// --- life cycle ----------------------------------------------------------------------------------

void Proj3dWindow::CopyOptions() {
    const tSwitches& sw = Switches();
    const tConfigValues& cv = ConfigValues();
    LineAntialiasing = sw[Switch::AntiAliasedLine];
    FillAntialiasing = sw[Switch::AntiAliasedPolygon];
    FillPolygons = sw[Switch::PolygonFilling];
    DrawOutlines = sw[Switch::PolygonBorder];
    m_lineOpacity = Opacity(cv.LineTransparency);
    m_fillOpacity = Opacity(cv.FillTransparency);
    m_spriteOpacity = Opacity(cv.SpriteTransparency);
    m_drawAxis = sw[Switch::ShowAxis];
    m_showNormals = sw[Switch::ShowNormals];
    m_doubleSidedOption = sw[Switch::DoubleSidedPlanes];
    m_singleDoubleSided = m_doubleSidedOption;
    m_cullFace = sw[Switch::ConvexObject];
    m_zBufferOn = sw[Switch::ZBuffer] && !m_zBufferSuppressed;
    m_lightOn = sw[Switch::LightIsOn];
    m_detail = static_cast<uint8_t>(std::clamp(cv.DetailLevel, 0, 255));
    m_normalLength = cv.NormalLength;
}

void Proj3dWindow::Reset() {
    CopyOptions();
    m_primitiveCount = 0;
    SetupProjection();
    m_objectDef = tObjectDefPart{};
    m_objectStack.clear();
    m_nesting = 0;
    m_inObject = false;
}

void Proj3dWindow::ClearAll() {
    m_pictureCount = 0;
    // Every plane this window left open, nested ones included.
    while (m_plane.IsOpen()) m_plane.EndPlane();
    m_objectStack.clear();
    m_nesting = 0;
    Reset();
}

void Proj3dWindow::SetSize(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    oWindow::SetSize(x1, y1, x2, y2);
    SetupProjection();
}

void Proj3dWindow::Open() {
    oWindow::Open();
    SetupProjection();
}

void Proj3dWindow::SetSpriteId(uint16_t id) {
    if (id < SpriteStore::MaxSpriteId) m_spriteId = id;
}

void Proj3dWindow::EndPicture() { ++m_pictureCount; }

// --- objects -------------------------------------------------------------------------------------

void Proj3dWindow::BeginObject(ObjectShape shape) {
    if (!IsOpen()) {
        ShowWarning("PaxProj: Proj3dWindow.BeginObject", "window not seen");
        return;
    }
    RebuildIfEyeMoved();
    ++m_nesting;
    m_objectStack.push_back({m_objectDef, m_singleDoubleSided});
    m_inObject = true;
    ++m_objectDef.ObjectsBegun;
    m_objectDef.Primitives = 0;
    const bool convex = shape == ObjectShape::Convex;
    m_objectDef.Convex = (m_objectDef.Convex || convex) && m_cullFace;
    m_singleDoubleSided = !convex && m_doubleSidedOption;
}

void Proj3dWindow::EndObject() {
    m_inObject = false;
    if (m_nesting < 1 || m_objectStack.empty()) {
        ShowPaxError("PaxProj: Proj3dWindow.EndObject", "missing call of BeginObject");
        return;
    }
    --m_nesting;
    // The enclosing object's shape comes back; the count of objects begun and the screen box
    // run on over the whole picture.
    const OpenObject outer = m_objectStack.back();
    m_objectStack.pop_back();
    m_objectDef.Convex = outer.def.Convex;
    m_objectDef.Primitives = outer.def.Primitives;
    m_singleDoubleSided = outer.singleDoubleSided;
    m_inObject = m_nesting > 0;
}

void Proj3dWindow::CheckPlaneClosed() {
    if (!m_plane.IsOpen()) return;
    ShowPaxError("PaxPax: ", "missing call of EndPlane");
    while (m_plane.IsOpen()) m_plane.EndPlane();
}

// --- projection of turtle steps --------------------------------------------------------------------

void Proj3dWindow::DoLine(ProjData& pen) {
    if (!pen.Visible) {
        pen.PrevVisible = false;
        pen.PrevPosition = pen.Position;
        pen.PrevEye = pen.Eye;
        return;
    }
    if (pen.PrevVisible) {
        if (PlaneCollecting()) {
            AddPolyPoint(pen);
        } else if (pen.LineDrawColor != 0) {
            LineF(pen.PrevScreenX, pen.PrevScreenY,
                  pen.ScreenX, pen.ScreenY, pen.LineDrawColor);
            ++m_primitiveCount;
        }
    }
    MoveTo(pen);
}

void Proj3dWindow::MoveTo(ProjData& pen) {
    pen.PrevVisible = pen.Visible;
    pen.PrevPosition = pen.Position;
    pen.PrevEye = pen.Eye;
    pen.PrevScreenX = pen.ScreenX;
    pen.PrevScreenY = pen.ScreenY;
    pen.PrevRoundX = pen.RoundX;
    pen.PrevRoundY = pen.RoundY;
}

void Proj3dWindow::CalcRadius(Extended rx, Extended ry, ProjData& pen) {
    if (!(rx <= MaxRadius && ry <= MaxRadius)) {
        pen.PrevScreenX = pen.PrevScreenY = 0;
        return;
    }
    const tVector3d centre = pen.Position;
    Project(pen, centre);
    const ProjData atCentre = pen;
    Project(pen, centre + rx * m_eye.Right());
    const Extended sxRight = pen.ScreenX;
    pen = atCentre;
    Project(pen, centre + ry * m_eye.Up());
    const Extended syUp = pen.ScreenY;
    pen = atCentre;
    pen.PrevScreenX = std::fabs(sxRight - atCentre.ScreenX);
    pen.PrevScreenY = std::fabs(syUp - atCentre.ScreenY);
}

// --- primitives (drawn at once) --------------------------------------------------------------------
// A position behind the near plane has no screen position of its own (it keeps the last
// one), so nothing is drawn for it.

void Proj3dWindow::DrawText(ProjData& pen, std::string_view text) {
    if (!pen.Visible) return;
    SetColor(pen.TextColor);
    TextOut(pen.RoundX, pen.RoundY, text);
    ++m_primitiveCount;
}

void Proj3dWindow::DrawPoint(ProjData& pen) {
    if (!pen.Visible) return;
    ++m_objectDef.Primitives;
    ++m_primitiveCount;
    if (Surface()) Surface()->SetPixelBlend(pen.RoundX, pen.RoundY, pen.LineDrawColor);
    if (VectorSink* sink = GetVectorSink())
        sink->Point({static_cast<double>(pen.RoundX), static_cast<double>(pen.RoundY)}, pen.LineDrawColor);
}

void Proj3dWindow::DrawCircle(ProjData& pen, Extended radius) {
    TellGeometryOfCircle(pen, radius);
    if (!pen.Visible) return;
    CalcRadius(radius, radius, pen);
    if (std::abs(pen.RoundX) > CircleScreenLimit || std::abs(pen.RoundY) > CircleScreenLimit) return;
    const double sx = pen.ScreenX, sy = pen.ScreenY;
    const double rx = pen.PrevScreenX, ry = pen.PrevScreenY;
    if (rx == 0 && ry == 0)
        PointF(sx, sy, pen.LineDrawColor);
    else
        Ellipse(sx, sy, rx, ry, pen.LineDrawColor, pen.FillDrawColor);
}

void Proj3dWindow::DrawBox(ProjData& pen, Extended rx, Extended ry) {
    if (!pen.Visible) return;
    CalcRadius(rx, ry, pen);
    const double sx = pen.ScreenX, sy = pen.ScreenY;
    const double rxs = pen.PrevScreenX, rys = pen.PrevScreenY;
    Box(sx - rxs, sy - rys, sx + rxs, sy + rys, pen.FillDrawColor, pen.LineDrawColor);
}

uint8_t Proj3dWindow::SpriteAlpha(uint8_t transparency) const {
    return static_cast<uint8_t>(m_spriteOpacity * (255 - transparency) / 255);
}

void Proj3dWindow::DrawScaledSprite(ProjData& pen, Extended rx, Extended ry) {
    if (!pen.Visible) return;
    CalcRadius(rx, ry, pen);
    const double sx = pen.ScreenX, sy = pen.ScreenY;
    const double rxs = pen.PrevScreenX, rys = pen.PrevScreenY;
    Sprite(m_spriteId, sx - rxs, sy - rys, sx + rxs, sy + rys, SpriteAlpha(pen.SpriteTransparency));
}

void Proj3dWindow::DrawSprite(ProjData& pen, TColor32 colour) {
    if (!pen.Visible) return;
    ++m_objectDef.Primitives;
    ++m_primitiveCount;
    if ((colour & 0x00FFFFFF) != 0) Sprites().SetColor(m_spriteId, colour);
    const tSpriteSize size = Sprites().GetSpriteSize(m_spriteId);
    const double left = pen.ScreenX - size.Width / 2.0;
    const double top = pen.ScreenY - size.Height / 2.0;
    Sprite(m_spriteId, left, top, left + size.Width, top + size.Height,
           static_cast<uint8_t>(m_spriteOpacity * AlphaOf(colour) / 256));
}

void Proj3dWindow::DrawSpriteId(ProjData& pen, uint16_t spriteId) {
    SetSpriteId(spriteId);
    // Opaque black: the sprite's own colours at full strength.
    DrawSprite(pen, clBlack32);
}

// --- polygons ------------------------------------------------------------------------------------

void Proj3dWindow::DoBeginPolyon(ProjData& pen, bool fill) {
    // Tested first: the texts cost more than the polygon when nobody reads them.
    if (PolygonTrace())
        Trace(" Proj3dWindow.DoBeginPolyon: proj=" + pen.PenName + " fill=" + (fill ? "TRUE" : "FALSE"));
    const int32_t nesting = m_plane.Record().Nesting;
    m_plane.BeginPlane(pen.LineDrawColor, pen.FillDrawColor);
    tPlaneRecord& r = m_plane.Record();
    // A plane refused for nesting too deep leaves the open one untouched.
    if (!r.Open || r.Nesting != nesting + 1) return;
    m_known.nesting = r.Nesting;
    m_known.count = 0;
    m_known.view = m_viewSerial;
    r.Outline = DrawOutlines;
    r.Filled = FillPolygons && fill;
    r.LineOpacity = m_lineOpacity;
    r.FillOpacity = m_fillOpacity;
    r.DrawFlag1 = LineAntialiasing;
    r.DrawFlag2 = FillAntialiasing;
    r.Convex = m_objectDef.Convex;
    r.TwoSided = m_singleDoubleSided;
}

void Proj3dWindow::AddPolyPoint(ProjData& pen) {
    if (PolygonTrace()) Trace(" Proj3dWindow.AddPolyPoint: pno=" + std::to_string(m_plane.Record().Count));
    const int32_t corner = m_plane.Record().Count;
    if (!m_plane.Add3dPoint(pen.Position, pen.LineDrawColor)) return;
    // The pen's screen position may be older than the view: this corner is projected here,
    // while the rest of the plane can still be taken as known.
    if (!KnownUpTo(corner)) return;
    Project(m_cornerPen, pen.Position);
    NoteCorner(corner, m_cornerPen);
}

bool Proj3dWindow::KnownUpTo(int32_t corner) const {
    return m_known.count == corner && m_known.nesting == m_plane.Record().Nesting && m_known.view == m_viewSerial;
}

void Proj3dWindow::NoteCorner(int32_t corner, const ProjData& pen) {
    if (!pen.Visible || !KnownUpTo(corner)) return;
    m_known.screen[static_cast<size_t>(corner)] = {pen.ScreenX, pen.ScreenY};
    m_known.count = corner + 1;
}

bool Proj3dWindow::CalcPolygonProjection() {
    if (PolygonTrace())
        Trace(" Proj3dWindow.CalcPolygonProjection: count=" + std::to_string(m_plane.Record().Count));
    tPlaneRecord& r = m_plane.Record();
    if (r.Convex && r.Count >= 3 && Dot(r.Points[0].Point - m_eye.Position(), r.Normal) > 0) return false;
    TColor32 fill = r.FillColor;
    r.Intensity = m_light.Shade(r.Normal, fill, r.TwoSided, m_eye.Heading(), m_fillOpacity);
    r.FillColor = fill;
    m_plane.ClearPoints2d();
    if (r.Count > 0 && KnownUpTo(r.Count)) {
        // Every corner was visible, so in perspective none lies behind the near plane.
        for (int32_t i = 0; i < r.Count; ++i) {
            const KnownCorners::Screen& s = m_known.screen[static_cast<size_t>(i)];
            m_plane.Add2dPoint({s.x, s.y, 0});
        }
        // As projecting the corners one by one would have left it.
        const KnownCorners::Screen& last = m_known.screen[static_cast<size_t>(r.Count - 1)];
        m_ownPen.Visible = true;
        m_ownPen.ScreenX = last.x;
        m_ownPen.ScreenY = last.y;
        return true;
    }
    if (NearPlaneActive()) {
        for (int32_t i = 0; i < r.Count; ++i) {
            double ex, ed, ey;
            EyeCoordinates(r.Points[i].Point, ex, ed, ey);
            if (!(ed >= static_cast<double>(NearDistance))) return ProjectPolygonClipped(m_plane);
        }
    }
    for (int32_t i = 0; i < r.Count; ++i) {
        Project(m_ownPen, r.Points[i].Point);
        m_plane.Add2dPoint({m_ownPen.ScreenX, m_ownPen.ScreenY, 0});
    }
    return true;
}

// Sutherland-Hodgman against the near plane in eye space: the part of the polygon in front of
// it keeps its true shape instead of corners that kept stale screen positions.
bool Proj3dWindow::ProjectPolygonClipped(tPlaneObj& plane) {
    struct EyePoint {
        double x, d, y;
    };
    const tPlaneRecord& r = plane.Record();
    std::vector<EyePoint> in(static_cast<size_t>(r.Count));
    for (int32_t i = 0; i < r.Count; ++i) EyeCoordinates(r.Points[i].Point, in[i].x, in[i].d, in[i].y);
    const double near = static_cast<double>(NearDistance);
    std::vector<EyePoint> out;
    out.reserve(in.size() + 1);
    for (size_t i = 0; i < in.size(); ++i) {
        const EyePoint& p = in[i];
        const EyePoint& q = in[(i + 1) % in.size()];
        const bool pIn = p.d >= near, qIn = q.d >= near;
        if (pIn) out.push_back(p);
        if (pIn != qIn) {
            const double t = (near - p.d) / (q.d - p.d);
            out.push_back({p.x + t * (q.x - p.x), near, p.y + t * (q.y - p.y)});
        }
    }
    if (out.empty()) return false;
    for (const EyePoint& e : out) {
        const double sx = m_vc.cx + e.x / e.d * m_vc.kx, sy = m_vc.cy - e.y / e.d * m_vc.ky;
        plane.Add2dPoint({std::clamp(sx, -ScreenLimit, ScreenLimit), std::clamp(sy, -ScreenLimit, ScreenLimit), 0});
    }
    return true;
}

void Proj3dWindow::DoShowPlane() {
    if (!m_plane.IsOpen()) return;
    m_plane.ShowPlane(*this);
    if (m_showNormals) DrawPlaneNormal(m_ownPen, m_normalLength);
    ++m_primitiveCount;
}

void Proj3dWindow::DoEndPolygon(ProjData& pen) {
    if (PolygonTrace()) Trace(" Proj3dWindow.DoEndPolygon: proj=" + pen.PenName);
    if (!m_plane.IsOpen()) return;
    TellGeometryOfPlane();
    if (CalcPolygonProjection()) DoShowPlane();
    m_plane.EndPlane();
}

void Proj3dWindow::TellGeometryOfPlane() {
    if (!m_geometrySink) return;
    const tPlaneRecord& r = m_plane.Record();
    const int32_t count = std::clamp(r.Count, 0, MaxPlanePoints);
    std::array<tVector3d, MaxPlanePoints> corners;
    for (int32_t i = 0; i < count; ++i) corners[static_cast<size_t>(i)] = r.Points[static_cast<size_t>(i)].Point;
    if (r.Filled && count >= 3) {
        m_geometrySink->Face(std::span(corners.data(), static_cast<size_t>(count)), r.Normal, r.FillColor);
        return;
    }
    // An outline only: its edges, closed from three corners on.
    if (count < 2 || AlphaOf(r.LineColor) == 0) return;
    const int32_t edges = count >= 3 ? count : 1;
    for (int32_t i = 0; i < edges; ++i)
        m_geometrySink->Segment(corners[static_cast<size_t>(i)], corners[static_cast<size_t>((i + 1) % count)],
                                r.LineColor);
}

void Proj3dWindow::TellGeometryOfCircle(const ProjData& pen, Extended radius) {
    if (!m_geometrySink || !pen.PenIsDown) return;
    m_geometrySink->Circle(pen.Position, Normalize(m_eye.Position() - pen.Position), radius, pen.FillDrawColor);
}

void Proj3dWindow::DrawPlaneNormal(ProjData& /*pen*/, Extended length) { DrawNormalOf(m_plane.Record(), length); }

void Proj3dWindow::DrawNormalOf(const tPlaneRecord& record, Extended length) {
    if (record.Count < 3 || record.Count2d < 1) return;
    Project(m_ownPen, record.Points[0].Point + length * record.Normal);
    if (!m_ownPen.Visible) return;
    LineFixed(record.Points2d[0].x, record.Points2d[0].y, m_ownPen.ScreenX,
              m_ownPen.ScreenY, NormalColor);
}

}  // namespace pax
