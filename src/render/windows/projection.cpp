// The projection of Proj3dWindow: the view set-ups of the projection modes, the point
// projectors and the projection of the turtle's steps.

#include <algorithm>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "foundation/point_list3d.h"
#include "render/export/geometry_sink.h"
#include "render/windows/proj3d_window.h"
#include "render/windows/shared_surfaces.h"
#include "scene/eye3d.h"
#include "system/error_reporting.h"

namespace pax {

namespace {

// Halves to even, as std::lrint in the default rounding mode, without the library call that
// lrint is without -fno-math-errno: two of these run for every turtle step. v is held on the
// screen, so the result fits.
inline int32_t RoundScreen(double v) {
#if defined(__SSE2__)
    return _mm_cvtsd_si32(_mm_set_sd(v));
#else
    return static_cast<int32_t>(std::lrint(v));
#endif
}

// NaN goes to the lower limit, so that every result rounds to a valid int32.
inline double HoldOnScreen(double v) {
    constexpr double Limit = Proj3dWindow::ScreenLimit;
    if (!(v > -Limit)) return -Limit;
    return v < Limit ? v : Limit;
}

inline void SetScreen(ProjData& pen, double sx, double sy) {
    sx = HoldOnScreen(sx);
    sy = HoldOnScreen(sy);
    pen.ScreenX = sx;
    pen.ScreenY = sy;
    pen.RoundX = RoundScreen(sx);
    pen.RoundY = RoundScreen(sy);
}

}  // namespace

void Proj3dWindow::SetProjection(int mode) {
    if (mode < 0 || mode > Projection::Keep) mode = Projection::Perspective;
    // Keep re-runs the current mode's set-up; storing 6 itself would leave the perspective
    // projector without its near test and divide.
    if (mode != Projection::Keep) {
        m_mode = static_cast<uint8_t>(mode);
        switch (m_mode) {
        case Projection::Parallel:
        case Projection::Dimetric: m_projector = Projector::Parallel; break;
        case Projection::Perspective:
        case Projection::Stereo: m_projector = Projector::Perspective; break;
        case Projection::Panorama: m_projector = Projector::Panorama; break;
        default: m_projector = Projector::Spherical; break;
        }
    }
    SetupProjection();
}

tMatrix3d Proj3dWindow::PerspectiveMatrix() const {
    tMatrix3d translate;
    translate.Row[3] = -m_eye.Position();
    const tVector3d r = Normalize(m_eye.Right()), h = Normalize(m_eye.Heading()), u = Normalize(m_eye.Up());
    // Column j is the j-th frame vector: eye coordinates are (P - E).R, (P - E).H, (P - E).U.
    tMatrix3d frame;
    frame.Row[0] = {r.x, h.x, u.x};
    frame.Row[1] = {r.y, h.y, u.y};
    frame.Row[2] = {r.z, h.z, u.z};
    frame.Row[3] = ZeroVector;
    return ComposeMatrix(translate, frame);
}

void Proj3dWindow::SetupProjection() {
    m_eye.SetChanged(false);
    const Extended v = m_eye.VisualAngleRad();
    switch (m_mode) {
    case Projection::Parallel: break;
    case Projection::Dimetric: {
        tMatrix3d m;
        m.Row[0] = {std::cos(m_dimetricAngleX) * m_dimetricScaleX, 0, std::sin(m_dimetricAngleX) * m_dimetricScaleX};
        m.Row[1] = {-std::cos(m_dimetricAngleY) * m_dimetricScaleY, 0, std::sin(m_dimetricAngleY) * m_dimetricScaleY};
        m.Row[2] = {0, 0, m_dimetricScaleZ};
        m.Row[3] = -m_eye.Position();
        m_view = m;
        break;
    }
    case Projection::Stereo:
        // Two views 1.0 apart, each turned a quarter degree towards the other; the eye is
        // left exactly as it was.
        m_eye.NewObject();
        m_eye.TurnLeft(0.25L);
        m_eye.MoveRight(0.5L);
        m_secondView = PerspectiveMatrix();
        m_eye.OldObject();
        m_eye.NewObject();
        m_eye.MoveLeft(0.5L);
        m_eye.TurnRight(0.25L);
        m_view = PerspectiveMatrix();
        m_eye.OldObject();
        break;
    default: m_view = PerspectiveMatrix(); break;
    }
    if (m_mode >= Projection::Perspective) m_perspectiveS = Height() / (2 * std::tan(v / 2));
    if (m_mode == Projection::Spherical) {
        m_sphericalKx = Width() / v;
        m_sphericalKy = Height() / v;
    }
    ComputeViewConstants();
    // The stereo set-up's pops mark the eye as moved; the view is up to date all the same.
    m_eye.SetChanged(false);
}

void Proj3dWindow::ComputeViewConstants() {
    ++m_viewSerial;
    for (int i = 0; i < 3; ++i) {
        m_vc.m[i][0] = static_cast<double>(m_view.Row[i].x);
        m_vc.m[i][1] = static_cast<double>(m_view.Row[i].y);
        m_vc.m[i][2] = static_cast<double>(m_view.Row[i].z);
    }
    m_vc.t[0] = static_cast<double>(m_view.Row[3].x);
    m_vc.t[1] = static_cast<double>(m_view.Row[3].y);
    m_vc.t[2] = static_cast<double>(m_view.Row[3].z);
    m_vc.cx = X1() + CenterX();
    m_vc.cy = Y1() + CenterY();
    switch (m_projector) {
    case Projector::Parallel:
        m_vc.kx = static_cast<double>(PixelsPerMmX());
        m_vc.ky = static_cast<double>(PixelsPerMmY());
        break;
    case Projector::Perspective:
        m_vc.kx = static_cast<double>(m_perspectiveS * PerspectiveScaleX());
        m_vc.ky = static_cast<double>(m_perspectiveS * PerspectiveScaleY());
        break;
    case Projector::Panorama:
        // The visual angle spans the window's width; the same scale upwards keeps shapes
        // near the centre undistorted.
        m_vc.kx = m_vc.ky = static_cast<double>(Width() / m_eye.VisualAngleRad());
        break;
    case Projector::Spherical:
        m_vc.kx = static_cast<double>(m_sphericalKx);
        m_vc.ky = static_cast<double>(m_sphericalKy);
        break;
    }
}

void Proj3dWindow::RebuildIfEyeMoved() {
    if (m_eye.Changed()) [[unlikely]]
        SetupProjection();
}

void Proj3dWindow::ProjectInline(ProjData& pen, const tVector3d& point) const {
    pen.Position = point;
    double ex, ed, ey;
    EyeCoordinates(point, ex, ed, ey);
    pen.Eye.x = ex;
    pen.Eye.y = ed;
    pen.Eye.z = ey;
    switch (m_projector) {
    case Projector::Perspective: {
        pen.Visible = ed >= static_cast<double>(NearDistance);
        // An invisible point keeps the screen position it had.
        if (!pen.Visible) return;
        const double f = 1.0 / ed;
        SetScreen(pen, m_vc.cx + ex * f * m_vc.kx, m_vc.cy - ey * f * m_vc.ky);
        return;
    }
    case Projector::Parallel:
        pen.Visible = true;
        SetScreen(pen, m_vc.cx + ex * m_vc.kx, m_vc.cy - ey * m_vc.ky);
        return;
    default: ProjectAngular(pen, ex, ed, ey); return;
    }
}

void Proj3dWindow::Project(ProjData& pen, const tVector3d& point) const { ProjectInline(pen, point); }

void Proj3dWindow::ProjectAngular(ProjData& pen, double ex, double ed, double ey) const {
    if (m_projector == Projector::Panorama) {
        // A cylinder of view directions around the eye's vertical axis: the azimuth from the
        // heading across, the height over the horizontal distance upwards.
        const double r = std::hypot(ex, ed);
        pen.Visible = r > 0;
        if (!pen.Visible) return;
        SetScreen(pen, m_vc.cx + std::atan2(ex, ed) * m_vc.kx, m_vc.cy - ey / r * m_vc.ky);
        return;
    }
    // A sphere of view directions centred on the heading: the angle from the heading, laid
    // off in the direction the point lies in across the view.
    const double across = std::hypot(ex, ey);
    pen.Visible = across > 0 || ed > 0;
    if (!pen.Visible) return;
    const double angle = std::atan2(across, ed);
    if (across == 0) {
        SetScreen(pen, m_vc.cx, m_vc.cy);
        return;
    }
    SetScreen(pen, m_vc.cx + angle * ex / across * m_vc.kx, m_vc.cy - angle * ey / across * m_vc.ky);
}

void Proj3dWindow::EyeCoordinates(const tVector3d& point, double& ex, double& ed, double& ey) const {
    const double px = static_cast<double>(point.x), py = static_cast<double>(point.y),
                 pz = static_cast<double>(point.z);
    const auto& m = m_vc.m;
    ex = px * m[0][0] + py * m[1][0] + pz * m[2][0] + m_vc.t[0];
    ed = px * m[0][1] + py * m[1][1] + pz * m[2][1] + m_vc.t[1];
    ey = px * m[0][2] + py * m[1][2] + pz * m[2][2] + m_vc.t[2];
}

void Proj3dWindow::ScreenOfPoint(const tVector3d& point, double& sx, double& sy) const {
    ProjData scratch;
    Project(scratch, point);
    if (m_projector == Projector::Perspective && !scratch.Visible) {
        const double near = static_cast<double>(NearDistance);
        const double ex = scratch.Eye.x, ey = scratch.Eye.z;
        scratch.ScreenX = HoldOnScreen(m_vc.cx + ex / near * m_vc.kx);
        scratch.ScreenY = HoldOnScreen(m_vc.cy - ey / near * m_vc.ky);
    }
    sx = scratch.ScreenX;
    sy = scratch.ScreenY;
}

void Proj3dWindow::DoProjection(ProjData& pen, const tVector3d& point, bool draw) {
    if (!IsOpen()) [[unlikely]] {
        ShowError("PaxProj:  Proj3dWindow.DoProjection", "window not open", Buttons::AbortRetryIgnoreDefault2);
        return;
    }
    RebuildIfEyeMoved();
    pen.PrevVisible = pen.Visible;
    pen.PrevPosition = pen.Position;
    pen.PrevEye = pen.Eye;
    pen.PrevScreenX = pen.ScreenX;
    pen.PrevScreenY = pen.ScreenY;
    pen.PrevRoundX = pen.RoundX;
    pen.PrevRoundY = pen.RoundY;
    ProjectInline(pen, point);

    tObjectDefPart& def = m_objectDef;
    def.MinX = std::min(def.MinX, pen.RoundX);
    def.MaxX = std::max(def.MaxX, pen.RoundX);
    def.MinY = std::min(def.MinY, pen.RoundY);
    def.MaxY = std::max(def.MaxY, pen.RoundY);

    if (!draw) return;
    if (PlaneCollecting()) {
        const int32_t corner = m_plane.Record().Count;
        if (m_plane.Add3dPoint(point, pen.LineDrawColor)) NoteCorner(corner, pen);
        return;
    }
    if (m_zBufferOn) {
        Surfaces().ZBuffer.LineZ(TZPointF{pen.PrevScreenX, pen.PrevScreenY, pen.PrevEye.y},
                                 TZPointF{pen.ScreenX, pen.ScreenY, pen.Eye.y}, pen.LineDrawColor);
    } else {
        DoLine(pen);
    }
    if (m_geometrySink && pen.PenIsDown && AlphaOf(pen.LineDrawColor) != 0)
        m_geometrySink->Segment(pen.PrevPosition, pen.Position, pen.LineDrawColor);
    if (m_lineList && pen.Visible) {
        m_lineList->AddPoint(pen.PrevPosition, pen.LineDrawColor);
        m_lineList->AddPoint(pen.Position, pen.LineDrawColor);
    }
}

void Proj3dWindow::ProjectPoint(ProjData& pen, const tVector3d& point) {
    RebuildIfEyeMoved();
    Project(pen, point);
}

}  // namespace pax
