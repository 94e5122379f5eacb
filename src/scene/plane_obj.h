#pragma once
// tPlaneObj records one polygon (a "plane") while the turtle walks around it: its 3D corners
// with their colours, the normal of the first three, and the corners' projected positions,
// from which it draws itself. Beginning a plane while one is open saves the open one on the
// process-wide plane stack; ending it brings the saved one back.

#include <array>
#include <cstdint>
#include <type_traits>

#include "foundation/color32.h"
#include "foundation/vector3d.h"
#include "scene/plane_canvas.h"

namespace pax {

// Corners of one plane; a further corner is refused with a warning.
inline constexpr int32_t MaxPlanePoints = 200;
// Planes saved below the open one; a deeper BeginPlane is refused with a warning, so nested
// polygons cannot exhaust memory.
inline constexpr int32_t MaxPlaneNesting = 100;

// The recorder's settings and counts, without its corners. The empty header is the state of a
// closed recorder; corners beyond the counts mean nothing.
struct tPlaneHeader {
    bool Open = false;
    bool Collecting = false;       // drawing moves add corners instead of lines
    int32_t Nesting = 0;           // planes saved below this one
    int32_t Count = 0;             // 3D corners, 0 .. MaxPlanePoints
    int32_t Count2d = 0;           // projected corners, 0 .. MaxPlanePoints
    tVector3d Normal;              // unit normal of the first three corners
    TColor32 LineColor = 0;
    TColor32 FillColor = 0;
    uint8_t Intensity = 0;         // light 0..255, set before the plane is shown
    bool Outline = false;
    bool Filled = false;
    bool DrawFlag1 = false;        // passed to the polygon drawing operations
    bool DrawFlag2 = false;
    bool TwoSided = false;
    // Further settings of the window that records the plane, copied in when it begins one.
    uint8_t LineOpacity = 0;
    uint8_t FillOpacity = 0;
    bool Convex = false;
};

// The recorder's whole state (about 14.5 KB). Saving a plane copies its header and only the
// corners in use, as most planes have three or four.
struct tPlaneRecord : tPlaneHeader {
    std::array<tPoint2f, MaxPlanePoints + 1> Points2d{};
    std::array<tColorPoint3d, MaxPlanePoints + 1> Points{};
};
static_assert(std::is_trivially_copyable_v<tPlaneRecord>, "plane records are copied as raw blocks");

class tPlaneObj {
public:
    tPlaneObj() = default;   // Create: the empty record

    const tPlaneRecord& Record() const { return m_record; }
    // The window fills in its settings, the shade and the light's colour through this.
    tPlaneRecord& Record() { return m_record; }
    bool IsOpen() const { return m_record.Open; }
    bool IsCollecting() const { return m_record.Collecting; }
    void SetCollecting(bool collecting) { m_record.Collecting = collecting; }

    // Saves the current plane (Push) and opens an empty one collecting corners.
    void BeginPlane(TColor32 lineColor, TColor32 fillColor);
    // A 3D corner; false when refused (closed, full, or a repeat of the last corner).
    bool Add3dPoint(const tVector3d& p, TColor32 color);
    // A projected corner (p.x, p.y); false when refused or equal to the last one, which the
    // next point then overwrites.
    bool Add2dPoint(const tVector3d& p);
    // Draws the projected corners of an open plane: a line for two, a polygon for three or more.
    // May clear Outline (for LineColor 0).
    void ShowPlane(PlaneCanvas& canvas);
    // Closes the plane and brings back the one saved by its BeginPlane.
    void EndPlane();

    // The recorder onto the plane stack, the record emptied with Nesting + 1; false (nothing
    // saved, record unchanged) when MaxPlaneNesting planes are saved already.
    bool Push();
    // The saved record back; nothing on an empty plane stack.
    void Pop();
    void ClearPoints2d() { m_record.Count2d = 0; }

    // Empties the plane stack; an error box when anything was left on it.
    static void FreePlanes();
    // Planes on the process-wide stack.
    static int SavedPlanes();

private:
    tPlaneRecord m_record;
};

// The warnings about plane misuse are shown once per program run; this re-arms them (tests).
void ResetPlaneWarnings();

}  // namespace pax
