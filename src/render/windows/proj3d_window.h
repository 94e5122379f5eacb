#pragma once
// Proj3dWindow: turns the 3D positions that a drawing turtle visits into window pixels and
// draws what the turtle asks for at once: segments between successive positions, points,
// circles, boxes, sprites, text and polygons. The camera is the shared eye; the view is
// rebuilt from it whenever it has moved (its Changed flag). ObjectWindow derives from this
// and collects depth-sorted parts instead of drawing at once.
//
// Eye coordinates are x to the right, y (depth) along the line of sight, z up, in world
// units; they stay unscaled in ProjData::Eye, so that their length is the distance from the
// eye. Screen positions are surface pixels (y down), held within +-2^30 so that they always
// round to an int32.
//
// DoProjection runs for every turtle step: the view is kept as double constants computed once
// per set-up, and rounding halves to even (std::lrint in the default rounding mode, inlined).

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "foundation/matrix3d.h"
#include "render/windows/graphics_window.h"
#include "scene/plane_obj.h"
#include "scene/proj_data.h"
#include "scene/turtle_window.h"

namespace pax {

class Eye3d;
class GeometrySink;
class Light3d;
class tPointList3d;

// The open object of a window; reset to an empty box.
struct tObjectDefPart {
    int32_t ObjectsBegun = 0;
    uint16_t Primitives = 0;
    bool Convex = false;
    int32_t MinX = 99999, MaxX = -99999, MinY = 99999, MaxY = -99999;

    void ResetBox() {
        MinX = MinY = 99999;
        MaxX = MaxY = -99999;
    }
};

enum class ObjectShape { General, Convex };

namespace Projection {
inline constexpr uint8_t Parallel = 0;
inline constexpr uint8_t Dimetric = 1;
inline constexpr uint8_t Perspective = 2;
inline constexpr uint8_t Stereo = 3;
inline constexpr uint8_t Panorama = 4;
inline constexpr uint8_t Spherical = 5;
inline constexpr uint8_t Keep = 6;
}  // namespace Projection

class Proj3dWindow : public oWindow, public TurtleWindow {
public:
    static constexpr Extended NearDistance = 30;        // eye depth of the near plane
    static constexpr Extended MaxRadius = 20000;        // larger radii project to (0, 0)
    static constexpr int32_t CircleScreenLimit = 2000;  // circles farther off are not drawn
    static constexpr double ScreenLimit = 1 << 30;      // screen positions are held within this
    static constexpr TColor32 NormalColor = 0xFFFFFF00;

    Proj3dWindow(std::string_view name, SharedSurfaces& surfaces, SpriteStore& sprites, Eye3d& eye, Light3d& light);

    // --- the operations that ObjectWindow may replace -----------------------------------------
    // Picture counter 0, planes closed, objects popped, then Reset.
    virtual void ClearAll();
    // The drawing options of the settings, counters to 0, the projection set up, objects emptied.
    // The selected surface stays.
    void Reset() override;
    virtual void BeginObject(ObjectShape shape);
    virtual void EndObject();
    // Picture counter + 1.
    virtual void EndPicture();
    // Reports and closes a plane left open.
    void CheckPlaneClosed();
    void DrawText(ProjData& pen, std::string_view text) override;
    virtual void DrawPoint(ProjData& pen);
    virtual void DrawCircle(ProjData& pen, Extended radius);
    // A box of radii (rx, ry) around the position, in world units across the view.
    virtual void DrawBox(ProjData& pen, Extended rx, Extended ry);
    // The current sprite stretched over the box of radii (rx, ry).
    virtual void DrawScaledSprite(ProjData& pen, Extended rx, Extended ry);
    // The current sprite at its natural size, tinted by colour's RGB unless that is 0.
    virtual void DrawSprite(ProjData& pen, TColor32 colour);
    void DoShowPlane();
    void DoEndPolygon(ProjData& pen) override;
    // Screen radii of world radii (rx, ry) at the position, into pen's previous-screen slot.
    void CalcRadius(Extended rx, Extended ry, ProjData& pen);
    virtual void DoLine(ProjData& pen);
    // The current position becomes the previous one; nothing is drawn.
    void MoveTo(ProjData& pen);

    // --- the turtle's window ----------------------------------------------------------------
    void DoProjection(ProjData& pen, const tVector3d& point, bool draw) override;
    void ProjectPoint(ProjData& pen, const tVector3d& point) override;
    void DoBeginPolyon(ProjData& pen, bool fill) override;
    void AddPolyPoint(ProjData& pen) override;
    tPlaneObj& PlaneObject() override { return m_plane; }
    void DrawSpriteId(ProjData& pen, uint16_t spriteId) override;
    TColor32 WindowColor() const override { return Color(); }
    void SetWindowColor(TColor32 color) override { SetColor(color); }
    uint8_t LineOpacity() const override { return m_lineOpacity; }
    uint8_t FillOpacity() const override { return m_fillOpacity; }
    uint8_t SpriteOpacity() const { return m_spriteOpacity; }

    // --- polygons ----------------------------------------------------------------------------
    // Culls back faces of convex objects, shades the plane and projects its corners (cut at
    // the near plane in perspective). False when nothing is to be drawn.
    bool CalcPolygonProjection();
    // A yellow line from the plane's first projected corner along its normal.
    void DrawPlaneNormal(ProjData& pen, Extended length);

    // --- set-up -------------------------------------------------------------------------------
    // 0..5 select a projection; 6 keeps the current one; anything else is perspective.
    void SetProjection(int mode);
    uint8_t ProjectionMode() const { return m_mode; }
    void SetSize(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void Open() override;
    // Taken only below 40.
    void SetSpriteId(uint16_t id);
    uint16_t SpriteId() const { return m_spriteId; }

    // --- state ------------------------------------------------------------------------------
    const tMatrix3d& ViewMatrix() const { return m_view; }
    const tMatrix3d& SecondViewMatrix() const { return m_secondView; }
    Extended PerspectiveScale() const { return m_perspectiveS; }   // S
    Extended SphericalScaleX() const { return m_sphericalKx; }
    Extended SphericalScaleY() const { return m_sphericalKy; }
    int32_t PictureCount() const { return m_pictureCount; }
    int32_t PrimitiveCount() const { return m_primitiveCount; }
    int32_t NestingDepth() const { return m_nesting; }
    bool InObject() const { return m_inObject; }
    const tObjectDefPart& ObjectDef() const { return m_objectDef; }
    bool ShowNormals() const { return m_showNormals; }
    bool DrawAxis() const { return m_drawAxis; }
    uint8_t DetailValue() const { return m_detail; }
    Eye3d& Eye() const { return m_eye; }
    Light3d& Light() const { return m_light; }

    // Divisor of the z-buffer's depth shading, in tenths (the composition divides by 10 times
    // this); 1 until the settings carry it.
    int32_t ZBufferShading = 1;
    // Every drawn segment's visible end points go to this list (nullptr: none).
    void SetLineRecording(tPointList3d* list) { m_lineList = list; }
    // The 3D geometry given from now on is also told to sink (nullptr: none). Not owned.
    void SetGeometrySink(GeometrySink* sink) { m_geometrySink = sink; }
    // While suppressed the z-buffer switch is not followed from the next Reset on: lines
    // become parts (an exporter needs elements, not z-buffer pixels).
    void SetZBufferSuppressed(bool suppressed) { m_zBufferSuppressed = suppressed; }
    bool ZBufferOn() const { return m_zBufferOn; }

    // Trace lines of the polygon operations to the debug log. Off by default: at 50 pictures
    // per second one line per polygon would flood the disk.
    static void SetPolygonTrace(bool on);
    static bool PolygonTrace();

protected:
    enum class Projector : uint8_t { Parallel, Perspective, Panorama, Spherical };

    // Projects point into pen's current position (eye coordinates, visibility, screen).
    void Project(ProjData& pen, const tVector3d& point) const;
    // Project's body, inlined into DoProjection (and defined only where that is); the rarely
    // used angular projectors apart.
    [[gnu::always_inline]] inline void ProjectInline(ProjData& pen, const tVector3d& point) const;
    void ProjectAngular(ProjData& pen, double ex, double ed, double ey) const;
    // The screen position of point ignoring the near plane (points behind it are pushed onto
    // it); used for the crossing of a segment with the near plane.
    void ScreenOfPoint(const tVector3d& point, double& sx, double& sy) const;
    void SetupProjection();
    void RebuildIfEyeMoved();
    bool PlaneCollecting() const { return m_plane.IsOpen() && m_plane.IsCollecting(); }
    bool NearPlaneActive() const { return m_projector == Projector::Perspective; }
    void Trace(std::string_view text) const;
    // The normal of a plane record from its first corner, drawn from its first projected one.
    void DrawNormalOf(const tPlaneRecord& record, Extended length);
    uint8_t SpriteAlpha(uint8_t transparency) const;
    void EyeCoordinates(const tVector3d& point, double& ex, double& ed, double& ey) const;
    // The open plane, and a circle at the pen, to the geometry sink when there is one.
    void TellGeometryOfPlane();
    void TellGeometryOfCircle(const ProjData& pen, Extended radius);

    bool m_zBufferOn = false;
    bool m_lightOn = true;
    bool m_cullFace = false;
    bool m_doubleSidedOption = false;
    int32_t m_normalLength = 20;
    ProjData m_ownPen;   // the window's scratch record (polygon corners)
    bool m_inObject = false;
    int32_t m_primitiveCount = 0;
    tObjectDefPart m_objectDef;
    tPlaneObj m_plane;

private:
    struct ViewConstants {
        double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};   // rows: images of x, y, z
        double t[3] = {0, 0, 0};
        double cx = 0, cy = 0;   // the window centre on the surface
        double kx = 1, ky = 1;   // pixels per unit (per radian for the angular projectors)
    };
    struct OpenObject {
        tObjectDefPart def;
        bool singleDoubleSided = false;
    };
    // The screen positions of the open plane's first corners, kept as they are recorded: a
    // corner drawn to has just been projected by DoProjection, and CalcPolygonProjection
    // takes the positions instead of projecting every corner again. They hold for the plane
    // begun last at nesting while the view stays the one they were projected in, and only a
    // visible corner is kept (an invisible one leaves the screen position as it was).
    struct KnownCorners {
        struct Screen {
            double x = 0, y = 0;
        };
        int32_t nesting = -1;
        int32_t count = 0;   // corners 0 .. count - 1 are known
        uint64_t view = 0;   // m_viewSerial when the plane began
        std::array<Screen, MaxPlanePoints> screen;
    };

    tMatrix3d PerspectiveMatrix() const;
    void ComputeViewConstants();
    void CopyOptions();
    bool ProjectPolygonClipped(tPlaneObj& plane);
    // Whether the corners before corner, and no more, are known for the open plane.
    bool KnownUpTo(int32_t corner) const;
    // Corner (the index it was recorded at) as projected into pen, kept when it follows the
    // known ones and is visible.
    void NoteCorner(int32_t corner, const ProjData& pen);

    Eye3d& m_eye;
    Light3d& m_light;
    Projector m_projector = Projector::Perspective;
    uint8_t m_mode = Projection::Perspective;
    Extended m_perspectiveS = 0;
    tMatrix3d m_view;
    tMatrix3d m_secondView;
    Extended m_dimetricScaleX = 0.5L, m_dimetricScaleY = 1.0L, m_dimetricScaleZ = 1.0L;
    Extended m_dimetricAngleX = 42 * DegToRad, m_dimetricAngleY = 7 * DegToRad;
    Extended m_sphericalKx = 0, m_sphericalKy = 0;
    int32_t m_pictureCount = 0;
    uint8_t m_detail = 0;
    bool m_showNormals = false;
    bool m_drawAxis = false;
    bool m_singleDoubleSided = false;
    uint16_t m_spriteId = 0;
    int32_t m_nesting = 0;
    std::vector<OpenObject> m_objectStack;
    uint8_t m_lineOpacity = 255, m_fillOpacity = 255, m_spriteOpacity = 255;
    tPointList3d* m_lineList = nullptr;
    GeometrySink* m_geometrySink = nullptr;
    bool m_zBufferSuppressed = false;
    ViewConstants m_vc;
    uint64_t m_viewSerial = 0;   // one more whenever m_vc changes
    KnownCorners m_known;
    ProjData m_cornerPen;        // projects the corners that come without a projection
};

}  // namespace pax
