#include "render/windows/object_window.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <system_error>

#include "render/surface/row_share.h"
#include "render/windows/part_rows.h"
#include "render/windows/shared_surfaces.h"
#include "render/sprites/sprite_store.h"
#include "scene/eye3d.h"
#include "scene/light3d.h"
#include "system/error_reporting.h"
#include "system/exceptions.h"
#include "system/helper_threads.h"
#include "system/status_line.h"
#include "system/stop_request.h"
#include "system/text_utils.h"

namespace pax {

namespace {

// The line key brings lines a little nearer than polygons of the same depth.
constexpr Extended LineKeyFactor = 0.499L;
constexpr Extended LineDepthShift = 1;
constexpr Extended TextDepthShift = 20;
constexpr double CirclePartLimit = 5000;
// Fewer parts in a row than this are drawn by one thread: handing them out would cost more.
constexpr int32_t MinSharedRun = 64;
// The calling thread comes to a picture drawn behind only after its walk, and may have almost
// nothing left to draw: its band may shrink far below an equal share.
constexpr double BehindLeastOfEqual = 0.04;

// Parts are drawn in depth order, not in the order the walk wrote them, so each record is a
// fetch from anywhere in part memory (a plant's parts and its picture outgrow the core's
// cache). Asked for a few parts ahead, the records arrive while the parts before are drawn.
constexpr int32_t PrefetchDistance = 8;
constexpr int PrefetchLines = 4;   // a polygon's record with its first corners

void PrefetchPart(const tPartHeader* part) {
    const char* record = reinterpret_cast<const char*>(part);
    for (int line = 0; line < PrefetchLines; ++line) __builtin_prefetch(record + 64 * line);
}

int32_t RoundPixel(double v) { return static_cast<int32_t>(std::lrint(v)); }

}  // namespace

ObjectWindow::ObjectWindow(std::string_view name, SharedSurfaces& surfaces, SpriteStore& sprites, Eye3d& eye,
                           Light3d& light)
    : Proj3dWindow(name, surfaces, sprites, eye, light) {
    SetDrawingShares(DefaultDrawingShares());
    m_chooseShares = true;
}

ObjectWindow::~ObjectWindow() {
    try {
        FinishDrawingBehind();
    } catch (...) {
        // The picture is going with the window.
    }
}

void ObjectWindow::SetDrawingShares(int shares) {
    FinishDrawingBehind();
    m_chooseShares = false;
    const int taken = shares >= 4 ? 4 : (shares >= 2 ? 2 : 1);
    if (taken == m_drawingShares) return;
    m_helpers.reset();
    m_helperPlanes.clear();
    m_drawingShares = taken;
    m_balance = ShareBalance(taken);
}

void ObjectWindow::CheckActive(std::string_view operation) const {
    if (!m_active) throw ERunError(210, "Runtime error 210 at ObjectWindow." + std::string(operation));
}

void ObjectWindow::Reset() {
    // The options copied now are read by the drawing.
    FinishDrawingBehind();
    m_drawnAtOnce = 0;
    Proj3dWindow::Reset();
    m_active = true;
    // With a picture held, DrawHeldPicture follows: the list's claim waits until the helpers
    // have their bands of that picture.
    if (m_held)
        m_parts.ClearClaimingLater();
    else
        m_parts.Clear();
    m_memory.Reset();
    m_tooManyReported = false;
    m_lastTimes = {};
    m_partRowsKnown = m_drawingShares > 1 && !GetVectorSink();
    m_pictureStart = std::chrono::steady_clock::now();
}

void ObjectWindow::ClearAll() {
    DropHeldPicture();
    Proj3dWindow::ClearAll();
    m_shareChooser.TryAgain();
}

void ObjectWindow::BeginObject(ObjectShape shape) {
    CheckActive("BeginObject");
    Proj3dWindow::BeginObject(shape);
}

void ObjectWindow::EndObject() {
    CheckActive("EndObject");
    Proj3dWindow::EndObject();
    m_inObject = NestingDepth() > 0;
}

// --- parts ---------------------------------------------------------------------------------------

void* ObjectWindow::CreatePart(size_t size) {
    if (m_parts.Full()) {
        if (!m_tooManyReported) {
            ShowStatusError("PaxObj: ObjectWindow.CreatePart: too many parts");
            m_tooManyReported = true;
        }
        RequestDerivationStop();
        return nullptr;
    }
    void* memory = m_memory.Alloc(size);
    if (!memory) {
        ShowError("PaxObj:  ObjectWindow.CreatePart", "no more memory for 2d objects",
                  Buttons::AbortRetryIgnoreDefault2);
        RequestDerivationStop();
        return nullptr;
    }
    ++m_primitiveCount;
    return memory;
}

void ObjectWindow::InsertPart(tPartHeader* part) {
    if (!m_partRowsKnown) {
        m_parts.Insert(part, {});
        return;
    }
    const PartReach reach = ReachOfPart(*part);
    m_parts.Insert(part, reach.rows, reach.columns);
}

void ObjectWindow::DrawText(ProjData& pen, std::string_view text) {
    pen.Eye.y -= TextDepthShift;
    auto* part = NewPart<tTextPart>(pen, PartType::Text);
    if (!part) return;
    part->Color = pen.TextColor;
    part->X = pen.RoundX - 4;
    part->Y = pen.RoundY - 8;
    const std::string cut = CutText(text, TextPartChars);
    part->Length = static_cast<uint8_t>(std::min(cut.size(), sizeof part->Text));
    std::memcpy(part->Text, cut.data(), part->Length);
    InsertPart(part);
}

void ObjectWindow::DrawPoint(ProjData& pen) {
    if (!m_inObject) return;
    auto* part = NewPart<tPointPart>(pen, PartType::Point);
    if (!part) return;
    part->Color = pen.LineDrawColor;
    part->X = pen.ScreenX;
    part->Y = pen.ScreenY;
    InsertPart(part);
}

void ObjectWindow::DrawCircle(ProjData& pen, Extended radius) {
    if (!m_inObject) {
        if (pen.Visible) DrawingAtOnce();
        Proj3dWindow::DrawCircle(pen, radius);
        return;
    }
    TellGeometryOfCircle(pen, radius);
    auto* part = NewPart<tCirclePart>(pen, PartType::Circle);
    if (!part) return;
    CalcRadius(radius, radius, pen);
    part->LineColor = pen.LineDrawColor;
    part->FillColor = pen.FillDrawColor;
    part->Brightness = pen.CircleBrightness;
    part->Filled = FillPolygons;
    const tVector3d towardsEye = Normalize(Eye().Position() - pen.Position);
    part->Normal[0] = static_cast<double>(towardsEye.x);
    part->Normal[1] = static_cast<double>(towardsEye.y);
    part->Normal[2] = static_cast<double>(towardsEye.z);
    part->X = pen.ScreenX;
    part->Y = pen.ScreenY;
    part->Rx = pen.PrevScreenX;
    part->Ry = pen.PrevScreenY;
    InsertPart(part);
}

void ObjectWindow::DrawBox(ProjData& pen, Extended rx, Extended ry) {
    auto* part = m_inObject ? NewPart<tBoxPart>(pen, PartType::Box) : nullptr;
    if (!part) {
        if (pen.Visible) DrawingAtOnce();   // only a visible one is drawn
        Proj3dWindow::DrawBox(pen, rx, ry);
        return;
    }
    CalcRadius(rx, ry, pen);
    part->LineColor = ScaleColor(pen.LineDrawColor, pen.LineBrightness);
    part->FillColor = ScaleColor(pen.FillDrawColor, pen.FillBrightness);
    const double sx = pen.ScreenX, sy = pen.ScreenY;
    const double rxs = pen.PrevScreenX, rys = pen.PrevScreenY;
    part->X1 = sx - rxs;
    part->Y1 = sy - rys;
    part->X2 = sx + rxs;
    part->Y2 = sy + rys;
    InsertPart(part);
}

void ObjectWindow::DrawScaledSprite(ProjData& pen, Extended rx, Extended ry) {
    auto* part = m_inObject ? NewPart<tScaledSpritePart>(pen, PartType::ScaledSprite) : nullptr;
    if (!part) {
        if (pen.Visible) DrawingAtOnce();
        Proj3dWindow::DrawScaledSprite(pen, rx, ry);
        return;
    }
    CalcRadius(rx, ry, pen);
    part->SpriteId = SpriteId();
    part->Transparency = pen.SpriteTransparency;
    const double sx = pen.ScreenX, sy = pen.ScreenY;
    const double rxs = pen.PrevScreenX, rys = pen.PrevScreenY;
    part->X1 = sx - rxs;
    part->Y1 = sy - rys;
    part->X2 = sx + rxs;
    part->Y2 = sy + rys;
    InsertPart(part);
}

void ObjectWindow::DrawSprite(ProjData& pen, TColor32 colour) {
    auto* part = NewPart<tSpritePart>(pen, PartType::Sprite);
    if (!part) return;
    const tSpriteSize size = Sprites().GetSpriteSize(SpriteId());
    part->Color = colour;
    part->SpriteId = SpriteId();
    part->Transparency = pen.SpriteTransparency;
    part->Left = static_cast<float>(pen.ScreenX - size.Width / 2.0);
    part->Top = static_cast<float>(pen.ScreenY - size.Height / 2.0);
    part->Right = part->Left + static_cast<float>(size.Width);
    part->Bottom = part->Top + static_cast<float>(size.Height);
    InsertPart(part);
}

bool ObjectWindow::CutAtNearPlane(ProjData& pen) const {
    // Eye depth is affine along the segment, so the crossing lies where it reaches the near
    // distance. Fresh depths: a line part has already shifted the stored ones.
    double x0, d0, y0, x1, d1, y1;
    EyeCoordinates(pen.PrevPosition, x0, d0, y0);
    EyeCoordinates(pen.Position, x1, d1, y1);
    if (!(d0 != d1)) return false;
    const double t = (static_cast<double>(NearDistance) - d0) / (d1 - d0);
    if (!(t >= 0 && t <= 1)) return false;
    const tVector3d cut = pen.PrevPosition + Extended(t) * (pen.Position - pen.PrevPosition);
    double sx, sy;
    ScreenOfPoint(cut, sx, sy);
    if (!pen.PrevVisible) {
        pen.PrevScreenX = sx;
        pen.PrevScreenY = sy;
        pen.PrevRoundX = RoundPixel(sx);
        pen.PrevRoundY = RoundPixel(sy);
    } else {
        pen.ScreenX = sx;
        pen.ScreenY = sy;
        pen.RoundX = RoundPixel(sx);
        pen.RoundY = RoundPixel(sy);
    }
    return true;
}

void ObjectWindow::DoLine(ProjData& pen) {
    if (!pen.PenIsDown) return;
    bool cut = false;
    if (pen.Visible != pen.PrevVisible && !PlaneCollecting() && NearPlaneActive()) cut = CutAtNearPlane(pen);
    if (!m_inObject) {
        DrawingAtOnce();
        if (!cut) {
            Proj3dWindow::DoLine(pen);
            return;
        }
        // The part in front of the eye, drawn at once.
        LineF(pen.PrevScreenX, pen.PrevScreenY,
              pen.ScreenX, pen.ScreenY, pen.LineDrawColor);
        ++m_primitiveCount;
        return;
    }
    if (PlaneCollecting()) {
        AddPolyPoint(pen);
        return;
    }
    if (AlphaOf(pen.LineDrawColor) == 0) return;
    // The shifted depth stays: it is the start depth of the next segment.
    pen.Eye.y -= LineDepthShift;
    auto* part = NewPart<tLinePart>(pen, PartType::Line);
    if (!part) return;
    part->Key = static_cast<double>(LineKeyFactor * (pen.Eye.y + pen.PrevEye.y));
    part->Color = pen.LineDrawColor;
    part->EndX = pen.ScreenX;
    part->EndY = pen.ScreenY;
    part->StartX = pen.PrevScreenX;
    part->StartY = pen.PrevScreenY;
    InsertPart(part);
}

void ObjectWindow::DoEndPolygon(ProjData& pen) {
    CheckActive("DoEndPolygon");
    if (!m_inObject) {
        DrawingAtOnce();
        Proj3dWindow::DoEndPolygon(pen);
        return;
    }
    if (PolygonTrace()) Trace(" ObjectWindow.DoEndPolygon: proj=" + pen.PenName);
    if (!m_plane.IsOpen()) return;
    TellGeometryOfPlane();
    // A polygon part needs no pen test of its own: its corners were recorded while the pen
    // was down, and the near plane has been dealt with by cutting the polygon.
    const tPlaneRecord& r = m_plane.Record();
    if (CalcPolygonProjection() && r.Count > 0 && r.Count2d >= 2) {
        tVector3d sum;
        for (int32_t i = 0; i < r.Count; ++i) sum += r.Points[i].Point;
        const Extended key = Distance(Eye().Position(), (1.0L / r.Count) * sum);
        const bool withNormal = ShowNormals();
        if (auto* part = MakePart<tPolygonPart>(PartType::Polygon, key,
                                                tPolygonPart::ExtraBytes(r.Count2d, withNormal))) {
            part->Count = r.Count;
            part->Count2d = r.Count2d;
            part->LineColor = r.LineColor;
            part->FillColor = r.FillColor;
            part->Intensity = r.Intensity;
            part->Outline = r.Outline;
            part->Filled = r.Filled;
            part->DrawFlag1 = r.DrawFlag1;
            part->DrawFlag2 = r.DrawFlag2;
            part->TwoSided = r.TwoSided;
            part->LineOpacity = r.LineOpacity;
            part->FillOpacity = r.FillOpacity;
            part->Convex = r.Convex;
            part->HasNormal = withNormal;
            std::copy_n(r.Points2d.begin(), r.Count2d, part->Points2d());
            if (withNormal) ::new (part->Normal()) tPolygonNormal{r.Normal, r.Points[0].Point};
            InsertPart(part);
        }
    }
    m_plane.EndPlane();
}

// --- the picture ---------------------------------------------------------------------------------

void ObjectWindow::EndPicture() {
    CheckActive("EndPicture");
    const auto drawingStart = std::chrono::steady_clock::now();
    DrawPicture();
    const auto end = std::chrono::steady_clock::now();
    m_lastTimes = {std::chrono::duration<double>(drawingStart - m_pictureStart).count(),
                   std::chrono::duration<double>(end - drawingStart).count()};
    // From the Reset that began the picture: the walk slows down too when the parts were
    // drawn on another core.
    if (m_chooseShares && m_pictureCouldShare)
        m_shareChooser.Took(std::chrono::duration<double>(end - m_pictureStart).count());
}

void ObjectWindow::DrawPicture() {
    // A picture held or drawn behind is older than this one.
    FinishDrawingBehind();
    m_held = false;
    // The helpers sleep through the walk; woken now, they are watching by the time the parts
    // are ordered and the first shared run begins.
    if (m_helpers && m_parts.Count() >= MinSharedRun && (!m_chooseShares || m_shareChooser.Shared()))
        m_helpers->Rouse();
    m_pictureCouldShare = false;
    Proj3dWindow::EndPicture();
    m_sharedParts = 0;
    m_drawnBox = {};
    TBitmap32* surface = Surface();
    if (!surface) return;
    if (m_zBufferOn) {
        Surfaces().ZBuffer.Compose(*surface, 10 * ZBufferShading);
        m_drawnBox = {0, 0, surface->Width(), surface->Height()};
    }
    if (!IsOpen() || m_parts.Count() == 0) return;
    m_parts.Sort();
    if (!m_zBufferOn) m_drawnBox = BoxOfList(*surface, m_parts, m_partRowsKnown);
    DrawList(*surface, m_parts, m_memory, m_partRowsKnown);
}

TRect ObjectWindow::BoxOfList(const TBitmap32& surface, const PartList& list, bool rowsKnown) const {
    const TRect whole{0, 0, surface.Width(), surface.Height()};
    if (!rowsKnown || ShowNormals()) return whole;
    const PartBox& box = list.Box();
    if (box.Empty()) return {};
    return IntersectRect(whole, TRect{box.left, box.top, box.right, box.bottom});
}

void ObjectWindow::DrawList(TBitmap32& surface, PartList& list, tMemoryList& memory, bool rowsKnown) {
    surface.BeginUpdate();
    DrawParts(surface, list, rowsKnown);
    // The helpers have read the part records and the list, and the next walk writes both
    // again: taken back now, all lines at once, the walk does not wait for them one by one.
    if (m_sharedParts > 0) {
        memory.ClaimForWriting();
        list.ClaimForWriting();
    }
    surface.EndUpdate();
    surface.Changed();
}

// A user's break or a time limit ends the drawing too: 32,000 parts that each fill the
// picture take minutes. The look costs two relaxed loads, next to nothing beside a part.
void ObjectWindow::DrawParts(TBitmap32& surface, const PartList& list, bool rowsKnown) {
    const int shares = SharesFor(surface, list, rowsKnown, true);
    const int32_t count = list.Count();
    const bool allShareable = shares > 1 && EveryPartShareable(list);
    const PartList::Order parts = list.InOrder();
    for (int32_t i = 0; i < count;) {
        int32_t end = i;
        if (allShareable)
            end = count;
        else if (shares > 1)
            while (end < count && Shareable(list, end)) ++end;
        if (end - i >= MinSharedRun) {
            if (DrawingStopRequested()) return;
            DrawShared(surface, list, i, end, shares);
            m_sharedParts += end - i;
            i = end;
        }
        // A short run, and the part that ended it, on this thread.
        for (end = std::min(end + 1, count); i < end; ++i) {
            if (DrawingStopRequested()) return;
            if (i + PrefetchDistance < count) PrefetchPart(parts[i + PrefetchDistance]);
            DrawPart(*parts[i], m_drawPlane);
        }
    }
}

int ObjectWindow::SharesFor(const TBitmap32& surface, const PartList& list, bool rowsKnown, bool chooser) {
    // A vector sink hears every primitive in order, so exports draw on one thread.
    if (m_drawingShares == 1 || !rowsKnown || GetVectorSink() || list.Count() < MinSharedRun || surface.Height() < 2)
        return 1;
    if (chooser) {
        m_pictureCouldShare = true;
        if (m_chooseShares && !m_shareChooser.Shared()) return 1;
    }
    if (!m_helpers) {
        try {
            m_helpers = std::make_unique<HelperThreads>(m_drawingShares - 1);
        } catch (const std::system_error&) {
            m_drawingShares = 1;   // no threads to be had: draw alone from now on
            return 1;
        }
        m_helperPlanes.resize(static_cast<size_t>(m_drawingShares - 1));
    }
    return m_drawingShares;
}

bool ObjectWindow::ShareableType(PartType type) const {
    switch (type) {
    case PartType::Point:
    case PartType::Line:
    case PartType::Empty:
    case PartType::Box: return true;
    case PartType::Polygon: return !ShowNormals();   // a normal is drawn as text too
    case PartType::Circle: return true;   // shaded before the run is shared out (DrawShared)
    default: return false;
    }
}

bool ObjectWindow::Shareable(const PartList& list, int32_t index) const {
    const PartType type = list.TypeOf(index);
    if (type == PartType::Sprite)   // tinted by the store after the run
        return static_cast<const tSpritePart&>(*list[index]).SpriteId <= SpriteStore::MaxSpriteId;
    return ShareableType(type);
}

bool ObjectWindow::EveryPartShareable(const PartList& list) const {
    for (int type = 0; type < 256; ++type)
        if (list.CountOf(static_cast<PartType>(type)) > 0 && !ShareableType(static_cast<PartType>(type)))
            return false;
    return true;
}

void ObjectWindow::PlanSharedRun(const PartList& list, int32_t from, int32_t to) {
    if (list.CountOf(PartType::Circle) == 0 && list.CountOf(PartType::Sprite) == 0) return;
    m_circleFills.resize(static_cast<size_t>(to - from));
    m_spriteDraws.resize(static_cast<size_t>(to - from));
    for (int32_t i = from; i < to; ++i) {
        const size_t k = static_cast<size_t>(i - from);
        if (const PartType type = list.TypeOf(i); type == PartType::Circle) {
            const auto& circle = static_cast<const tCirclePart&>(*list[i]);
            if (CircleInReach(circle)) m_circleFills[k] = CircleFill(circle);
        } else if (type == PartType::Sprite) {
            m_spriteDraws[k] = PlanSpritePart(static_cast<const tSpritePart&>(*list[i]));
        }
    }
}

void ObjectWindow::DrawShared(TBitmap32& surface, const PartList& list, int32_t from, int32_t to, int shares) {
    // Shading a circle changes the light's state, and a sprite part recolours its sprite: so
    // circles are shaded and sprites planned here, in the order of the parts, as the one
    // thread would; the sprites take their last colours when the run is drawn.
    struct CommitTints {
        SpriteStore& sprites;
        ~CommitTints() { sprites.CommitPlannedTints(); }
    } commitTints{Sprites()};
    PlanSharedRun(list, from, to);
    // A band per thread, of the share of the work that the balance gives it; each band is
    // timed from the start of the run, so a helper's waking counts against its share. More
    // bands would even out an estimate that is off, but every boundary cuts about a fifth of
    // a plant's parts, which the bands on both sides then draw.
    const std::span<const PartRows> rows =
        list.Rows().subspan(static_cast<size_t>(from), static_cast<size_t>(to - from));
    SplitRows(rows, surface.Height(), m_balance.Fractions(), m_split);
    m_shareSeconds.assign(static_cast<size_t>(shares), 0);
    // The task takes the run by one reference, small enough for the function to hold without
    // an allocation.
    const struct {
        TBitmap32& surface;
        const PartList& list;
        int32_t from, to;
        std::chrono::steady_clock::time_point start;
    } run{surface, list, from, to, std::chrono::steady_clock::now()};
    m_helpers->RunShared(
        [this, &run](int share) { DrawBand(run.surface, run.list, run.from, run.to, m_split, share, run.start); });
    m_balance.Took(m_split.work, m_shareSeconds);
}

void ObjectWindow::DrawBand(TBitmap32& surface, const PartList& list, int32_t from, int32_t to,
                            const RowSplit& split, int share, std::chrono::steady_clock::time_point start) {
    tPlaneObj& plane = share == 0 ? m_drawPlane : m_helperPlanes[static_cast<size_t>(share - 1)];
    const int top = split.bounds[static_cast<size_t>(share)], bottom = split.bounds[static_cast<size_t>(share) + 1];
    if (top >= bottom) return;
    const RowShareScope scope(surface, top, bottom);
    const std::span<const PartRows> rows =
        list.Rows().subspan(static_cast<size_t>(from), static_cast<size_t>(to - from));
    const PartList::Order parts = list.InOrder();
    for (int32_t k = from; k < to; ++k) {
        if (const int32_t ahead = k + PrefetchDistance;
            ahead < to && rows[static_cast<size_t>(ahead - from)].Meets(top, bottom))
            PrefetchPart(parts[ahead]);
        if (!rows[static_cast<size_t>(k - from)].Meets(top, bottom)) continue;
        if (DrawingStopRequested()) return;
        tPartHeader& part = *parts[k];
        const size_t index = static_cast<size_t>(k - from);
        if (part.Type == PartType::Sprite) {
            m_spriteDraws[index].DrawInto(surface);
        } else if (part.Type != PartType::Circle) {
            DrawPart(part, plane);
        } else if (const auto& circle = static_cast<const tCirclePart&>(part); CircleInReach(circle)) {
            DrawShadedCircle(circle, m_circleFills[index]);
        }
    }
    m_shareSeconds[static_cast<size_t>(share)] =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// --- held pictures -------------------------------------------------------------------------------

void ObjectWindow::HoldPicture() {
    CheckActive("HoldPicture");
    // The z-buffer's lines are composed at the end of the walk that made them.
    if (m_zBufferOn) {
        EndPicture();
        return;
    }
    const auto holdStart = std::chrono::steady_clock::now();
    Proj3dWindow::EndPicture();
    m_parts.Sort();
    // Before the lists change places: the picture drawn behind is in the held one.
    FinishDrawingBehind();
    std::swap(m_parts, m_heldParts);
    m_memory.Swap(m_heldMemory);
    m_held = true;
    m_heldRowsKnown = m_partRowsKnown;
    // The held picture is drawn behind the next walk, which begins in a moment: the helpers
    // watch for it instead of going to sleep.
    if (m_helpers) m_helpers->Rouse();
    // The drawing: what DrawHeldPicture did before the walk went on (all of the picture before
    // when it was not drawn behind), the ordering, and the wait for the helpers.
    const double before = m_behind.drawingStart >= m_pictureStart
                              ? std::chrono::duration<double>(m_behind.start - m_behind.drawingStart).count()
                              : 0;
    const double walk = std::chrono::duration<double>(holdStart - m_pictureStart).count() - before;
    m_lastTimes = {walk, before + std::chrono::duration<double>(std::chrono::steady_clock::now() - holdStart).count()};
}

void ObjectWindow::DrawHeldPicture(bool behind, std::optional<TColor32> background) {
    if (!m_held) return;
    DrawHeldParts(behind, background);
    // The new walk's list, cleared by the Reset before, is claimed now that the helpers draw.
    m_parts.ClaimOwed();
}

void ObjectWindow::DrawHeldParts(bool behind, std::optional<TColor32> background) {
    FinishDrawingBehind();
    m_held = false;
    m_sharedParts = 0;
    m_behind.drawingStart = std::chrono::steady_clock::now();
    m_behind.start = m_behind.drawingStart;
    m_drawnBox = {};
    TBitmap32* surface = Surface();
    if (!surface) return;
    const bool drawn = IsOpen() && m_heldParts.Count() > 0;
    if (drawn) m_drawnBox = BoxOfList(*surface, m_heldParts, m_heldRowsKnown);
    const bool canGoBehind = drawn && behind && SharesFor(*surface, m_heldParts, m_heldRowsKnown, false) > 1 &&
                             EveryPartShareable(m_heldParts);
    if (!canGoBehind) {
        if (background) surface->Clear(*background);
        if (drawn) DrawList(*surface, m_heldParts, m_heldMemory, m_heldRowsKnown);
        m_behind.start = std::chrono::steady_clock::now();
        return;
    }
    surface->BeginUpdate();
    const int32_t count = m_heldParts.Count();
    PlanSharedRun(m_heldParts, 0, count);
    if (m_behind.balance.Fractions().size() != static_cast<size_t>(m_drawingShares))
        m_behind.balance = ShareBalance(m_drawingShares, BehindLeastOfEqual);
    SplitRows(m_heldParts.Rows(), surface->Height(), m_behind.balance.Fractions(), m_behind.split);
    m_behind.surface = surface;
    m_behind.background = background;
    m_shareSeconds.assign(static_cast<size_t>(m_drawingShares), 0);
    m_behind.task = [this, count](int share) {
        if (m_behind.background) {
            const std::vector<int>& bounds = m_behind.split.bounds;
            m_behind.surface->ClearRows(bounds[static_cast<size_t>(share)], bounds[static_cast<size_t>(share) + 1],
                                        *m_behind.background);
        }
        DrawBand(*m_behind.surface, m_heldParts, 0, count, m_behind.split, share, m_behind.start);
    };
    m_behind.start = std::chrono::steady_clock::now();
    m_behind.running = true;
    m_helpers->Start(m_behind.task);
}

void ObjectWindow::FinishDrawingBehind() {
    if (!m_behind.running) return;
    m_behind.running = false;
    TBitmap32& surface = *m_behind.surface;
    struct EndUpdate {
        TBitmap32& surface;
        ~EndUpdate() {
            surface.EndUpdate();
            surface.Changed();
        }
    } endUpdate{surface};
    m_helpers->Finish();
    m_behind.balance.Took(m_behind.split.work, m_shareSeconds);
    m_sharedParts = m_heldParts.Count();
    // Taken back as the walk after the next begins to write them again: there the claim
    // shortens a walk that the helpers' band is measured against, instead of following both.
    m_heldMemory.ClaimOnReuse();
    m_heldParts.ClaimOnReuse();
}

void ObjectWindow::DropHeldPicture() {
    FinishDrawingBehind();
    m_held = false;
}

void ObjectWindow::DrawingAtOnce() {
    FinishDrawingBehind();
    ++m_drawnAtOnce;
}

void ObjectWindow::DrawPart(tPartHeader& part) { DrawPart(part, m_drawPlane); }

void ObjectWindow::DrawPart(tPartHeader& part, tPlaneObj& plane) {
    switch (part.Type) {
    case PartType::Invalid: throw ERunError(210, "Runtime error 210 at ObjectWindow.DrawPart");
    case PartType::ObjectReset: {
        tObjectDefPart& def = static_cast<tObjectResetPart&>(part).Def;
        def.Primitives = 0;
        def.ResetBox();
        return;
    }
    case PartType::Point: {
        const auto& p = static_cast<const tPointPart&>(part);
        PointF(p.X, p.Y, p.Color);
        return;
    }
    case PartType::Line: {
        const auto& p = static_cast<const tLinePart&>(part);
        LineF(p.StartX, p.StartY, p.EndX, p.EndY, p.Color);
        return;
    }
    case PartType::Empty: return;
    case PartType::Polygon: DrawPolygonPart(part, plane); return;
    case PartType::Box: {
        const auto& p = static_cast<const tBoxPart&>(part);
        Box(p.X1, p.Y1, p.X2, p.Y2, p.FillColor, p.LineColor);
        return;
    }
    case PartType::ScaledSprite: {
        const auto& p = static_cast<const tScaledSpritePart&>(part);
        Sprite(p.SpriteId, p.X1, p.Y1, p.X2, p.Y2, SpriteAlpha(p.Transparency));
        return;
    }
    case PartType::Circle: DrawCirclePart(part); return;
    case PartType::Sprite: DrawSpritePart(part); return;
    case PartType::Text: {
        const auto& p = static_cast<const tTextPart&>(part);
        SetColor(p.Color);
        TextOut(p.X, p.Y, std::string_view(p.Text, p.Length));
        return;
    }
    }
    ShowError("PaxObj:  ObjectWindow.DrawPart", "unknown part type", Buttons::AbortRetryIgnoreDefault2);
}

void ObjectWindow::DrawPolygonPart(const tPartHeader& header, tPlaneObj& plane) {
    const auto& p = static_cast<const tPolygonPart&>(header);
    tPlaneRecord& r = plane.Record();
    r.Open = true;
    r.Collecting = false;
    r.Count = p.Count;
    r.Count2d = std::clamp(p.Count2d, 0, MaxPlanePoints);
    if (p.HasNormal) {
        r.Normal = p.Normal()->Normal;
        r.Points[0] = {p.Normal()->FirstPoint, p.LineColor};
    }
    r.LineColor = p.LineColor;
    r.FillColor = p.FillColor;
    r.Intensity = p.Intensity;
    r.Outline = p.Outline;
    r.Filled = p.Filled;
    r.DrawFlag1 = p.DrawFlag1;
    r.DrawFlag2 = p.DrawFlag2;
    r.TwoSided = p.TwoSided;
    r.LineOpacity = p.LineOpacity;
    r.FillOpacity = p.FillOpacity;
    r.Convex = p.Convex;
    std::copy_n(p.Points2d(), r.Count2d, r.Points2d.begin());
    plane.ShowPlane(*this);
    if (ShowNormals() && p.HasNormal) DrawNormalOf(r, m_normalLength);
    // Closed and cleared without EndPlane: that would pop the plane stack of the recorder.
    r.Open = false;
    r.Count = 0;
    r.Count2d = 0;
}

bool ObjectWindow::CircleInReach(const tCirclePart& p) {
    return std::fabs(p.X) <= CirclePartLimit && std::fabs(p.Y) <= CirclePartLimit;
}

TColor32 ObjectWindow::CircleFill(const tCirclePart& p) {
    TColor32 fill = p.FillColor;
    uint32_t brightness = p.Brightness;
    if (m_lightOn) {
        const tVector3d normal{p.Normal[0], p.Normal[1], p.Normal[2]};
        const uint8_t intensity = Light().Shade(normal, fill, false, Eye().Heading(), FillOpacity());
        brightness = intensity * brightness / 256;
    }
    return ScaleColor(fill, brightness);
}

void ObjectWindow::DrawCirclePart(const tPartHeader& header) {
    const auto& p = static_cast<const tCirclePart&>(header);
    if (CircleInReach(p)) DrawShadedCircle(p, CircleFill(p));
}

void ObjectWindow::DrawShadedCircle(const tCirclePart& p, TColor32 fill) {
    if (p.Rx == 0 && p.Ry == 0) {
        PointF(p.X, p.Y, p.LineColor);
        return;
    }
    DrawEllipse(p.X, p.Y, p.Rx, p.Ry, p.LineColor, fill, p.Filled);
}

// A sprite part tints its sprite in its own colour (black keeps the last tint).
TColor32 ObjectWindow::SpritePartColour(const tSpritePart& p) {
    return SetAlpha(p.Color, static_cast<uint8_t>(255 - p.Transparency));
}

uint8_t ObjectWindow::SpritePartAlpha(TColor32 colour) const {
    return static_cast<uint8_t>(SpriteOpacity() * AlphaOf(colour) / 256);
}

void ObjectWindow::DrawSpritePart(const tPartHeader& header) {
    const auto& p = static_cast<const tSpritePart&>(header);
    const TColor32 c = SpritePartColour(p);
    if ((c & 0x00FFFFFF) != 0) Sprites().SetColor(p.SpriteId, c);
    Sprite(p.SpriteId, p.Left, p.Top, p.Right, p.Bottom, SpritePartAlpha(c));
    ++m_objectDef.Primitives;
}

tSpriteDraw ObjectWindow::PlanSpritePart(const tSpritePart& p) {
    const TColor32 c = SpritePartColour(p);
    ++m_objectDef.Primitives;
    return Sprites().PlanTintedSprite(p.SpriteId, c, {p.Left, p.Top, p.Right, p.Bottom}, SpritePartAlpha(c));
}

}  // namespace pax
