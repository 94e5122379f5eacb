#pragma once
// ObjectWindow: the projection window that the application draws into. Inside an object
// (between BeginObject and EndObject) every primitive becomes a part, a small record in
// surface pixels with a depth key taken from paged memory; EndPicture composes the z-buffer
// onto the surface and draws all parts from far to near (the painter's algorithm). Outside
// objects primitives are drawn at once, except points, which are not drawn there.
//
// The parts that only read the window and write surface pixels (points, lines, boxes, and
// polygons and unlit circles) are drawn by several threads at once when the machine has them,
// each thread on its own band of rows (RowShare); every other part is drawn by the calling
// thread alone, in its place in the order. The picture is the same to the last bit either way.
//
// A picture can also be held rather than drawn (HoldPicture), so that its parts are drawn
// while the next picture's walk fills the window's other part list: the animation loop then
// keeps both cores busy even where the walk is as long as the drawing. DrawHeldPicture draws
// it onto the surface the next time, to the same last bit as EndPicture.
//
// At most PartList::MaxParts parts per picture; the next one is reported once in the message
// line and stops the derivation (the parts made so far are drawn). A user's break or a time
// limit (DrawingStopRequested) ends the drawing of the parts as well.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "foundation/memory_list.h"
#include "render/sprites/sprite_store.h"
#include "render/windows/part_list.h"
#include "render/windows/part_rows.h"
#include "render/windows/proj3d_window.h"
#include "render/windows/share_balance.h"
#include "render/windows/share_chooser.h"
#include "scene/plane_obj.h"

namespace pax {

class HelperThreads;

// The part records (screen positions in surface pixels). Each is trivially destructible: part
// memory is rewound, never destroyed record by record.
struct tObjectResetPart : tPartHeader {
    tObjectDefPart Def;
};
struct tPointPart : tPartHeader {
    TColor32 Color = 0;
    double X = 0, Y = 0;
};
struct tLinePart : tPartHeader {
    TColor32 Color = 0;
    double EndX = 0, EndY = 0, StartX = 0, StartY = 0;
};
struct tBoxPart : tPartHeader {
    TColor32 LineColor = 0, FillColor = 0;
    uint16_t Reserved[2] = {0, 0};
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};
struct tScaledSpritePart : tPartHeader {
    uint16_t SpriteId = 0;
    uint8_t Transparency = 0;
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};
struct tCirclePart : tPartHeader {
    TColor32 LineColor = 0, FillColor = 0;
    uint8_t Reserved = 0;
    uint8_t Brightness = 255;   // scales the fill colour
    bool Filled = true;
    double Normal[3] = {0, 0, 0};   // world direction from the circle towards the eye
    double X = 0, Y = 0, Rx = 0, Ry = 0;
};
struct tSpritePart : tPartHeader {
    TColor32 Color = 0;
    uint16_t SpriteId = 0;
    uint8_t Transparency = 0;
    float Left = 0, Top = 0, Right = 0, Bottom = 0;
};
struct tTextPart : tPartHeader {
    TColor32 Color = 0;
    int32_t X = 0, Y = 0;
    uint8_t Length = 0;      // bytes of Text
    char Text[4 * 31] = {};  // at most 31 UTF-8 characters, not terminated
};
// What showing a recorded plane needs; the projected corners follow the record. The face's
// normal and first corner in space (two extended vectors, more than the rest of a square's
// record) serve only to draw the normal: they follow the corners, and only while normals are
// shown, so that drawing a face reads one or two cache lines of it.
struct tPolygonNormal {
    tVector3d Normal;
    tVector3d FirstPoint;
};
struct tPolygonPart : tPartHeader {
    int32_t Count = 0;
    int32_t Count2d = 0;
    TColor32 LineColor = 0, FillColor = 0;
    uint8_t Intensity = 0;
    bool Outline = false, Filled = false, DrawFlag1 = false, DrawFlag2 = false, TwoSided = false;
    uint8_t LineOpacity = 0, FillOpacity = 0;
    bool Convex = false;
    bool HasNormal = false;

    // The bytes after the record for count2d corners, with the normal or without.
    static size_t ExtraBytes(int32_t count2d, bool withNormal) {
        const size_t corners = static_cast<size_t>(count2d) * sizeof(tPoint2f);
        return withNormal ? NormalOffset(corners) + sizeof(tPolygonNormal) : corners;
    }
    tPoint2f* Points2d() { return reinterpret_cast<tPoint2f*>(this + 1); }
    const tPoint2f* Points2d() const { return reinterpret_cast<const tPoint2f*>(this + 1); }
    // Only where HasNormal.
    tPolygonNormal* Normal() {
        return reinterpret_cast<tPolygonNormal*>(reinterpret_cast<char*>(this + 1) + NormalOffset(CornerBytes()));
    }
    const tPolygonNormal* Normal() const {
        return reinterpret_cast<const tPolygonNormal*>(reinterpret_cast<const char*>(this + 1) +
                                                        NormalOffset(CornerBytes()));
    }

private:
    size_t CornerBytes() const { return static_cast<size_t>(Count2d) * sizeof(tPoint2f); }
    // Past the corners, aligned for the extended values: records start at a multiple of it.
    static size_t NormalOffset(size_t corners) {
        constexpr size_t Align = alignof(tPolygonNormal);
        const size_t end = sizeof(tPolygonPart) + corners;
        return (end + Align - 1) / Align * Align - sizeof(tPolygonPart);
    }
};
static_assert(alignof(tPolygonNormal) <= BlockAlignment, "part records start aligned for a normal");

class ObjectWindow : public Proj3dWindow {
public:
    static constexpr size_t TextPartChars = 31;

    // Inactive until the first Reset.
    ObjectWindow(std::string_view name, SharedSurfaces& surfaces, SpriteStore& sprites, Eye3d& eye, Light3d& light);
    ~ObjectWindow() override;

    // Inherited Reset, then active, no parts, part memory rewound.
    void Reset() override;
    // For a new figure: inherited ClearAll, and drawing in shares or alone tried afresh.
    void ClearAll() override;
    // BeginObject, EndObject, EndPicture and DoEndPolygon of an inactive window throw
    // ERunError 210.
    void BeginObject(ObjectShape shape) override;
    void EndObject() override;
    // Picture counter + 1, the z-buffer composed onto the surface, then every part far to near.
    void EndPicture() override;

    void DrawText(ProjData& pen, std::string_view text) override;
    void DrawPoint(ProjData& pen) override;
    void DrawCircle(ProjData& pen, Extended radius) override;
    void DrawBox(ProjData& pen, Extended rx, Extended ry) override;
    void DrawScaledSprite(ProjData& pen, Extended rx, Extended ry) override;
    void DrawSprite(ProjData& pen, TColor32 colour) override;
    void DoLine(ProjData& pen) override;
    void DoEndPolygon(ProjData& pen) override;

    // --- held pictures ------------------------------------------------------------------------
    // Ends the picture as EndPicture does, its parts put in order, but keeps them for
    // DrawHeldPicture instead of drawing them; a picture still drawn behind is finished first.
    // The next walk fills the other part list. EndPicture and ClearAll drop a held picture. A
    // picture walked into the z-buffer is not held: it ends as with EndPicture.
    void HoldPicture();
    bool HoldsPicture() const { return m_held; }
    // Draws the held picture's parts onto the surface (after the Reset of the next walk, whose
    // options it draws with). With behind, and where every part may be drawn by any thread and
    // helpers can be had, the helpers begin and this returns at once: the calling thread's own
    // band follows in the next HoldPicture or FinishDrawingBehind, and until then the walk may
    // make parts but must not draw on the surface (a primitive drawn at once outside an object
    // finishes the held picture first). Otherwise the parts are drawn before it returns.
    // With background, the held picture's background is that colour over the whole surface,
    // drawn here too: behind, each thread clears its own rows before it draws its parts there.
    void DrawHeldPicture(bool behind, std::optional<TColor32> background = {});
    // The calling thread's band of a picture drawn behind, then the wait for the helpers.
    void FinishDrawingBehind();
    bool DrawingBehind() const { return m_behind.running; }
    void DropHeldPicture();
    // Primitives that the last walk drew at once, outside any object.
    int32_t DrawnAtOnce() const { return m_drawnAtOnce; }
    // The part of the surface that the last part list drawn (by EndPicture or DrawHeldPicture,
    // with the z-buffer composed before it) can have touched, the background cleared with it
    // aside: the whole surface where the parts came without their rows, normals were drawn
    // (they reach beyond their polygons) or the z-buffer was composed. A window that shows one
    // picture after another copies only this part of each anew.
    TRect DrawnBox() const { return m_drawnBox; }

    // Draws one part (EndPicture's step; public so that any record can be checked).
    void DrawPart(tPartHeader& part);

    bool Active() const { return m_active; }
    int32_t PartCount() const { return m_parts.Count(); }
    // Where the last picture's time went, in seconds: from Reset until EndPicture, the walk that
    // made its parts (and drew whatever is not a part); then EndPicture, which orders and draws
    // them. Both zero until a picture has ended. For a held picture the drawing is the calling
    // thread's part in the held picture before it (what DrawHeldPicture took, and its wait in
    // HoldPicture) and the ordering, and the walk the rest.
    struct PictureTimes {
        double walk = 0, drawing = 0;
    };
    const PictureTimes& LastPictureTimes() const { return m_lastTimes; }
    // Parts per picture (PartList::MaxParts unless an exporter raised it).
    void SetPartLimit(int32_t limit) {
        m_parts.SetLimit(limit);
        m_heldParts.SetLimit(limit);
    }
    int32_t PartLimit() const { return m_parts.Limit(); }
    const tMemoryList& PartMemory() const { return m_memory; }
    // Threads that draw the parts of a picture: 1, 2 or 4 (other values are taken down to
    // one of these), every picture. At first DefaultDrawingShares(), each picture in shares or
    // alone as the share chooser finds faster; a picture drawn behind always takes them.
    void SetDrawingShares(int shares);
    int DrawingShares() const { return m_drawingShares; }
    // Parts of the last picture that were drawn by shares of threads.
    int32_t SharedParts() const { return m_sharedParts; }

private:
    // Memory for a part of size bytes, counted as a primitive: nullptr (after the report and
    // the stop request) at the part limit or when memory is exhausted.
    void* CreatePart(size_t size);
    template <class T>
    T* MakePart(PartType type, Extended key, size_t extra = 0) {
        void* memory = CreatePart(sizeof(T) + extra);
        if (!memory) return nullptr;
        // Default-initialised, not value-initialised: the record is filled in at once, and
        // zeroing it first cost a rep stos on every part.
        T* part = static_cast<T*>(memory);
        std::uninitialized_default_construct_n(part, 1);
        part->Type = type;
        part->Key = static_cast<double>(key);
        return part;
    }
    // A part at the pen's position, keyed by its distance from the eye; nullptr also when the
    // pen is up or the position invisible.
    template <class T>
    T* NewPart(const ProjData& pen, PartType type) {
        if (!(pen.PenIsDown && pen.Visible)) return nullptr;
        return MakePart<T>(type, Extent(pen.Eye.Vector()));
    }
    void CheckActive(std::string_view operation) const;
    // Replaces the screen position of the invisible end by the segment's crossing with the
    // near plane; false when there is no crossing.
    bool CutAtNearPlane(ProjData& pen) const;
    // EndPicture's work, without its timing.
    void DrawPicture();
    // The ordered parts of list drawn onto surface, in shares where they can be; rowsKnown:
    // the list has the parts' rows. Afterwards the lines the helpers read are taken back.
    void DrawList(TBitmap32& surface, PartList& list, tMemoryList& memory, bool rowsKnown);
    // What list can touch on surface (DrawnBox).
    TRect BoxOfList(const TBitmap32& surface, const PartList& list, bool rowsKnown) const;
    void DrawParts(TBitmap32& surface, const PartList& list, bool rowsKnown);
    // The shares the parts of list can be drawn in (1: one thread); the helpers are started
    // here. chooser: as the share chooser decides.
    int SharesFor(const TBitmap32& surface, const PartList& list, bool rowsKnown, bool chooser);
    // Whether any thread may draw part index on its own rows (it writes nothing but pixels);
    // whether every part of that type may be (sprites depend on their sprite); whether every
    // part of the picture may be.
    bool Shareable(const PartList& list, int32_t index) const;
    bool ShareableType(PartType type) const;
    bool EveryPartShareable(const PartList& list) const;
    // Into the list, with the rows it can touch.
    void InsertPart(tPartHeader* part);
    // Circles shaded and sprites planned for a shared run of list (see DrawShared).
    void PlanSharedRun(const PartList& list, int32_t from, int32_t to);
    void DrawShared(TBitmap32& surface, const PartList& list, int32_t from, int32_t to, int shares);
    // One thread's band of a shared run: the parts from .. to - 1 that meet the rows of band
    // share of split, timed from start into m_shareSeconds.
    void DrawBand(TBitmap32& surface, const PartList& list, int32_t from, int32_t to, const RowSplit& split,
                  int share, std::chrono::steady_clock::time_point start);
    // DrawHeldPicture's drawing, or its start.
    void DrawHeldParts(bool behind, std::optional<TColor32> background);
    // Before a primitive is drawn at once: the picture drawn behind must be done first.
    void DrawingAtOnce();
    void DrawPart(tPartHeader& part, tPlaneObj& plane);
    void DrawPolygonPart(const tPartHeader& part, tPlaneObj& plane);
    void DrawCirclePart(const tPartHeader& part);
    // Circles far beyond the surface are not drawn (nor shaded).
    static bool CircleInReach(const tCirclePart& part);
    // The circle's fill colour at its brightness, shaded while the light is on: this changes
    // the light's state, so only the calling thread shades.
    TColor32 CircleFill(const tCirclePart& part);
    void DrawShadedCircle(const tCirclePart& part, TColor32 fill);
    void DrawSpritePart(const tPartHeader& part);
    static TColor32 SpritePartColour(const tSpritePart& part);
    uint8_t SpritePartAlpha(TColor32 colour) const;
    // What DrawSpritePart draws, planned for a shared run: the store keeps the tint aside.
    tSpriteDraw PlanSpritePart(const tSpritePart& part);

    bool m_active = false;
    bool m_tooManyReported = false;
    PartList m_parts;
    tMemoryList m_memory;
    tPlaneObj m_drawPlane;   // shows polygon parts
    int m_drawingShares = 1;
    bool m_chooseShares = false;             // the chooser decides, with m_drawingShares > 1
    DrawingShareChooser m_shareChooser;
    bool m_pictureCouldShare = false;        // the picture being drawn had shares to give
    std::chrono::steady_clock::time_point m_pictureStart{};   // its Reset
    // The parts of the picture came with their rows: only where they can be shared, as the
    // window had more than one share and no vector sink at its Reset. A picture without them
    // is drawn alone.
    bool m_partRowsKnown = false;
    PictureTimes m_lastTimes;
    int32_t m_sharedParts = 0;
    std::unique_ptr<HelperThreads> m_helpers;   // started by the first shared picture
    std::vector<tPlaneObj> m_helperPlanes;      // one per helper
    std::vector<TColor32> m_circleFills;         // of its circles, by the same index
    std::vector<tSpriteDraw> m_spriteDraws;      // of its sprites, by the same index
    ShareBalance m_balance;                      // the threads' parts of a shared run
    RowSplit m_split;                            // the bands of the last one
    std::vector<double> m_shareSeconds;          // each thread's time in the last one

    // The held picture: its ordered parts, their memory, and whether they came with rows.
    PartList m_heldParts;
    tMemoryList m_heldMemory;
    bool m_held = false;
    bool m_heldRowsKnown = false;
    int32_t m_drawnAtOnce = 0;
    TRect m_drawnBox;
    // The held picture as it is drawn behind the next walk. The calling thread's band starts
    // only when that walk is over, so its balance of the bands learns to give it little.
    struct BehindRun {
        bool running = false;
        TBitmap32* surface = nullptr;
        RowSplit split;
        std::optional<TColor32> background;   // each band's rows, cleared before its parts
        std::chrono::steady_clock::time_point start{};
        std::chrono::steady_clock::time_point drawingStart{};   // of DrawHeldPicture
        std::function<void(int)> task;
        ShareBalance balance;
    };
    BehindRun m_behind;
};

}  // namespace pax
