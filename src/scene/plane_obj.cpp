#include "scene/plane_obj.h"

#include <algorithm>
#include <cfloat>
#include <string>
#include <vector>

#include "foundation/geom3d.h"
#include "system/error_reporting.h"

namespace pax {

namespace {

// Each is cleared by its first message.
struct PlaneWarnings {
    bool noBeginPolygon = true;
    bool tooManyPoints = true;   // shared by the 3D and the 2D corners
    bool noBeginPlane = true;
    bool tooDeep = true;
};

PlaneWarnings& Warnings() {
    static PlaneWarnings warnings;
    return warnings;
}

void WarnOnce(bool& armed, std::string_view caption, std::string_view text) {
    if (!armed) return;
    armed = false;
    ShowWarning(caption, text);
}

// A saved plane: the header and the corners in use.
struct SavedPlane {
    tPlaneHeader header;
    std::vector<tColorPoint3d> points;
    std::vector<tPoint2f> points2d;
};

// The process-wide plane stack. Its slots keep their corner storage when a plane is taken off,
// so saving the next one allocates nothing.
class PlaneStackStore {
public:
    int Count() const { return m_count; }
    void Push(const tPlaneRecord& r) {
        if (m_count == static_cast<int>(m_slots.size())) m_slots.emplace_back();
        SavedPlane& slot = m_slots[static_cast<size_t>(m_count++)];
        slot.header = r;
        slot.points.assign(r.Points.begin(), r.Points.begin() + r.Count);
        slot.points2d.assign(r.Points2d.begin(), r.Points2d.begin() + r.Count2d);
    }
    // False on an empty stack, the record unchanged.
    bool Pop(tPlaneRecord& r) {
        if (m_count == 0) return false;
        const SavedPlane& slot = m_slots[static_cast<size_t>(--m_count)];
        static_cast<tPlaneHeader&>(r) = slot.header;
        std::copy(slot.points.begin(), slot.points.end(), r.Points.begin());
        std::copy(slot.points2d.begin(), slot.points2d.end(), r.Points2d.begin());
        return true;
    }
    void Clear() { m_count = 0; }

private:
    std::vector<SavedPlane> m_slots;
    int m_count = 0;
};

PlaneStackStore& PlaneStack() {
    static PlaneStackStore stack;
    return stack;
}

// Red, green and blue scaled by intensity / 256, alpha kept.
TColor32 Shaded(TColor32 color, uint8_t intensity) { return ScaleColor(color, intensity); }

// A window coordinate as float; values beyond the float range are held at its ends.
float ToFloat(Extended v) { return static_cast<float>(std::clamp<Extended>(v, -FLT_MAX, FLT_MAX)); }

// Two corners closer than this are one.
constexpr Extended RepeatDistance = 1e-6L;

}  // namespace

void ResetPlaneWarnings() { Warnings() = PlaneWarnings{}; }

void tPlaneObj::BeginPlane(TColor32 lineColor, TColor32 fillColor) {
    if (!Push()) return;
    m_record.Open = true;
    m_record.Collecting = true;
    m_record.LineColor = lineColor;
    m_record.FillColor = fillColor;
}

bool tPlaneObj::Add3dPoint(const tVector3d& p, TColor32 color) {
    tPlaneRecord& r = m_record;
    if (!r.Open) {
        WarnOnce(Warnings().noBeginPolygon, "PaxPlane: tPlaneObj.Add3dPoint", "no BeginPolygon called");
        return false;
    }
    if (r.Count >= MaxPlanePoints) {
        WarnOnce(Warnings().tooManyPoints, "PaxPlane: tPlaneObj.Add3dPoint",
                 "too many plane points, must be <= " + std::to_string(MaxPlanePoints));
        return false;
    }
    if (r.Count > 0 && Distance(p, r.Points[r.Count - 1].Point) <= RepeatDistance) return false;
    r.Points[r.Count] = {p, color};
    ++r.Count;
    if (r.Count == 3) PlaneNormal(r.Points[0].Point, r.Points[1].Point, r.Points[2].Point, r.Normal);
    return true;
}

bool tPlaneObj::Add2dPoint(const tVector3d& p) {
    tPlaneRecord& r = m_record;
    if (!r.Open) return false;
    // The limit is on the projected corners themselves, so that the array can never overflow
    // however often a plane is projected.
    if (r.Count2d >= MaxPlanePoints) {
        WarnOnce(Warnings().tooManyPoints, "PaxPlane: tPlaneObj.Add2dPoint", "too many plane points");
        return false;
    }
    const tPoint2f point{ToFloat(p.x), ToFloat(p.y)};
    r.Points2d[r.Count2d] = point;
    if (r.Count2d > 0 && point == r.Points2d[r.Count2d - 1]) return false;
    ++r.Count2d;
    return true;
}

void tPlaneObj::ShowPlane(PlaneCanvas& canvas) {
    tPlaneRecord& r = m_record;
    if (!r.Open) return;
    if (r.Count2d == 2) {
        canvas.LineF(r.Points2d[0], r.Points2d[1], r.LineColor);
        return;
    }
    if (r.Count2d < 3) return;
    const std::span<const tPoint2f> points(r.Points2d.data(), r.Count2d);
    TColor32 outline = 0xFFFF0000;
    if (r.LineColor != 0)
        outline = Shaded(r.LineColor, r.Intensity);
    else
        r.Outline = false;
    if (r.Filled) {
        canvas.FillPolygon(points, Shaded(r.FillColor, r.Intensity), r.Outline ? outline : 0, r.DrawFlag1,
                           r.DrawFlag2);
        return;
    }
    canvas.OutlinePolygon(points, outline, r.Outline ? PolygonClosure::Closed : PolygonClosure::Open, r.DrawFlag1);
}

void tPlaneObj::EndPlane() {
    if (!m_record.Open) {
        WarnOnce(Warnings().noBeginPlane, "PaxPlane: tPlaneObj.EndPlane", "no BeginPlane called");
        return;
    }
    m_record.Open = false;
    m_record.Collecting = false;
    m_record.Count = 0;
    Pop();
}

bool tPlaneObj::Push() {
    if (PlaneStack().Count() >= MaxPlaneNesting) {
        WarnOnce(Warnings().tooDeep, "PaxPlane: tPlaneObj.Push",
                 "too many nested planes, must be <= " + std::to_string(MaxPlaneNesting));
        return false;
    }
    PlaneStack().Push(m_record);
    const int32_t nesting = m_record.Nesting + 1;
    // Copied from a ready empty header: building one in place clears it with a rep stos.
    static constexpr tPlaneHeader Empty{};
    static_cast<tPlaneHeader&>(m_record) = Empty;
    m_record.Nesting = nesting;
    return true;
}

void tPlaneObj::Pop() { PlaneStack().Pop(m_record); }

void tPlaneObj::FreePlanes() {
    if (PlaneStack().Count() == 0) return;
    PlaneStack().Clear();
    ShowError("PaxPlane:  tPlaneObj.FreePlanes", "plane stack not empty", Buttons::AbortRetryIgnoreDefault2);
}

int tPlaneObj::SavedPlanes() { return PlaneStack().Count(); }

}  // namespace pax
