#include "scene/pax3d.h"

#include <cinttypes>
#include <cstdio>
#include <string>

#include "foundation/short_text.h"
#include "scene/plane_obj.h"
#include "system/error_reporting.h"

namespace pax {

namespace {

// LineColor or FillColor with the alpha that the window draws with: the colour's own alpha
// scaled by the pen's opacity (255 - transparency) and the window's global opacity, both
// 0..255, so 255 * 255 * 255 / 65536 = 253 at most. Colour 0 (no line, no fill) stays 0.
TColor32 EffectiveColor(TColor32 c, uint8_t transparency, uint8_t globalOpacity) {
    if (c == 0) return 0;
    const uint32_t a = (255u - transparency) * AlphaOf(c) * globalOpacity / 65536u;
    return SetAlpha(c, static_cast<uint8_t>(a));
}

// The transparency setters ignore the colour's own alpha.
TColor32 TransparentColor(TColor32 c, uint8_t transparency, uint8_t globalOpacity) {
    if (c == 0) return 0;
    const uint32_t a = (255u - transparency) * globalOpacity / 256u;
    return SetAlpha(c, static_cast<uint8_t>(a));
}

}  // namespace

Pax3d::Pax3d(std::string_view name) : TCursor3d(name) { ResetPen(); }

std::unique_ptr<TCursor3d> Pax3d::CloneObject() const {
    ProjectWaitingJump();   // the copy shares the window
    return std::make_unique<Pax3d>(*this);
}

void Pax3d::ResetPen() {
    m_jumpWaits = false;   // the new pen replaces all that projection would have written
    m_pen = ProjData{};
    m_pen.PenName = CutText(m_cursor.Name, PenNameCapacity);
}

// --- life cycle and stack ---------------------------------------------------------------------

void Pax3d::Restart() {
    TCursor3d::Restart();
    m_used = 0;
    ResetPen();
    Reset();
}

void Pax3d::Reset() {
    TCursor3d::Reset();
    ResetPen();
    // The next line starts at the start point.
    Project(false);
    m_pen.PenIsDown = true;
}

void Pax3d::NewObject() {
    if (m_cursor.Depth > MaxDepth) {
        ShowPaxError("PaxPax: Pax3d.NewObject", "overflow calling NewObject without OldObject");
        return;
    }
    if (m_used == m_states.size()) m_states.emplace_back();
    ProjectWaitingJump();
    State& slot = m_states[m_used++];
    slot.cursor = m_cursor;
    slot.pen = m_pen;
    ++m_cursor.Depth;
}

void Pax3d::RestoreState(const State& state) {
    m_jumpWaits = false;
    m_cursor = state.cursor;
    m_pen = state.pen;
    Project(false);
}

void Pax3d::OldObject() {
    if (m_cursor.Depth <= 0) {
        ShowPaxError("PaxPax: Pax3d.OldObject", "missing previous call of " + m_cursor.Name + ".NewObject");
        return;
    }
    // A depth taken over by AssignTo has no states of this turtle behind it: it only counts down.
    if (m_used == 0) {
        --m_cursor.Depth;
        return;
    }
    RestoreState(m_states[--m_used]);
}

void Pax3d::Peek() {
    if (m_used == 0) {
        TCursor3d::Peek();   // the cursor's warning for an empty stack
        return;
    }
    RestoreState(m_states[m_used - 1]);
    ++m_cursor.Depth;
}

void Pax3d::CheckStack() {
    TCursor3d::CheckStack();
    m_used = 0;
}

void Pax3d::ErrorRecovery() {
    if (m_cursor.Depth == 0) return;
    char identity[24];
    std::snprintf(identity, sizeof identity, "%08" PRIXPTR, reinterpret_cast<uintptr_t>(&m_states));
    ShowPaxError("PaxPax: Pax3d.ErrorRecovery", "missing " + std::to_string(m_cursor.Depth) + " call(s) of " +
                                                    m_cursor.Name + ".OldObject " + identity);
    // Ends: every pop either takes a state off the stack or counts Depth down.
    while (m_cursor.Depth >= 1) OldObject();
}

void Pax3d::AssignTo(TCursor3d& dest) const {
    TCursor3d::AssignTo(dest);
    if (auto* turtle = dynamic_cast<Pax3d*>(&dest)) {
        turtle->m_jumpWaits = false;
        turtle->m_pen = Pen();
    }
}

void Pax3d::AssignFrame(const TCursor3d& source) {
    TCursor3d::AssignFrame(source);
    ProjectWaitingJump();
    if (m_window) m_window->ProjectPoint(m_pen, m_cursor.Position);
}

void Pax3d::AssignState(const Pax3d& source) {
    const trCursor3d& s = source.m_cursor;
    m_cursor.Position = s.Position;
    m_cursor.Right = s.Right;
    m_cursor.Heading = s.Heading;
    m_cursor.Up = s.Up;
    m_cursor.FrameTag = s.FrameTag;
    m_cursor.SavedPosition = s.SavedPosition;
    m_cursor.Changed = true;
    m_jumpWaits = false;
    std::string penName = std::move(m_pen.PenName);
    m_pen = source.Pen();
    m_pen.PenName = std::move(penName);
}

// --- pen and colours ----------------------------------------------------------------------------

uint8_t Pax3d::LineOpacity() const { return m_window ? m_window->LineOpacity() : 255; }

uint8_t Pax3d::FillOpacity() const { return m_window ? m_window->FillOpacity() : 255; }

void Pax3d::SetColor(TColor32 c) {
    SetLineColor(c);
    SetFillColor(c);
}

void Pax3d::SetLineColor(TColor32 c) {
    m_pen.LineColor = c;
    m_pen.LineDrawColor = EffectiveColor(c, m_pen.LineTransparency, LineOpacity());
}

void Pax3d::SetFillColor(TColor32 c) {
    m_pen.FillColor = c;
    m_pen.FillDrawColor = EffectiveColor(c, m_pen.FillTransparency, FillOpacity());
}

void Pax3d::SetLineTransparency(uint8_t t) {
    m_pen.LineTransparency = t;
    m_pen.LineDrawColor = TransparentColor(m_pen.LineColor, t, LineOpacity());
}

void Pax3d::SetFillTransparency(uint8_t t) {
    m_pen.FillTransparency = t;
    m_pen.FillDrawColor = TransparentColor(m_pen.FillColor, t, FillOpacity());
}

void Pax3d::SetTransparencies(uint8_t lineT, uint8_t fillT, uint8_t mode) {
    SetLineTransparency(lineT);
    SetFillTransparency(fillT);
    m_pen.TransparencyMode = mode;
}

void Pax3d::SetWindowColor(TColor32 c) {
    if (m_window) m_window->SetWindowColor(c);
}

// --- moves, polygons and marks --------------------------------------------------------------------

void Pax3d::LineToCursor(const TCursor3d& other) {
    if (!m_window) return;
    ProjectWaitingJump();
    m_window->DoProjection(m_pen, other.Position(), m_pen.PenIsDown);
    m_window->DoProjection(m_pen, m_cursor.Position, false);
}

void Pax3d::BeginPolygon() {
    if (!m_window) return;
    ProjectWaitingJump();
    m_window->DoBeginPolyon(m_pen, false);
    if (m_pen.PenIsDown) m_window->AddPolyPoint(m_pen);
}

void Pax3d::EndPolygon() {
    if (!m_window) return;
    if (!PlaneIsOpen()) {
        ShowPaxError("PaxPax: Pax3d.EndPolygon", "missing previous call of " + m_cursor.Name + ".BeginPolygon");
        return;
    }
    ProjectWaitingJump();
    m_window->DoEndPolygon(m_pen);
}

void Pax3d::BeginPlane() {
    if (!m_window) return;
    ProjectWaitingJump();
    m_window->DoBeginPolyon(m_pen, true);
    if (m_pen.PenIsDown && m_pen.Visible) m_window->AddPolyPoint(m_pen);
}

void Pax3d::AddPlanePoint() {
    if (!m_window) return;
    if (!PlaneIsOpen()) {
        // The message names the main turtle whichever turtle was asked.
        ShowPaxError("PaxPax:  Pax3d.AddPlanePoint", "missing call of Pax.BeginPlane");
        return;
    }
    ProjectWaitingJump();
    m_window->AddPolyPoint(m_pen);
}

void Pax3d::EndPlane() {
    if (!m_window) return;
    if (!PlaneIsOpen()) {
        ShowPaxError("PaxPax: Pax3d.EndPlane", "missing previous call of " + m_cursor.Name + ".BeginPlane");
        return;
    }
    ProjectWaitingJump();
    m_window->DoEndPolygon(m_pen);
}

void Pax3d::SetPlaneMode(bool collecting) {
    if (m_window) m_window->PlaneObject().SetCollecting(collecting);
}

bool Pax3d::PlaneIsOpen() const { return m_window && m_window->PlaneObject().IsOpen(); }

void Pax3d::DrawText(std::string_view text) {
    ProjectWaitingJump();
    if (!m_window || !m_pen.Visible) return;
    m_pen.TextColor = m_window->WindowColor();
    m_window->DrawText(m_pen, text);
}

void Pax3d::DrawSprite(uint16_t spriteId) {
    ProjectWaitingJump();
    if (m_window) m_window->DrawSpriteId(m_pen, spriteId);
}

// --- Dragon3d -------------------------------------------------------------------------------------

Dragon3d::Dragon3d(std::string_view name) : Pax3d(name) {}

std::unique_ptr<TCursor3d> Dragon3d::CloneObject() const { return std::make_unique<Dragon3d>(*this); }

void Dragon3d::Restart() {
    Pax3d::Restart();
    ValueA = 64;
    ValueB = 32;
    Counter = 0;
}

void Dragon3d::Reset() {
    Pax3d::Reset();
    Counter = 0;
}

void Dragon3d::AssignTo(TCursor3d& dest) const {
    Pax3d::AssignTo(dest);
    if (auto* dragon = dynamic_cast<Dragon3d*>(&dest)) {
        dragon->ValueA = ValueA;
        dragon->ValueB = ValueB;
        dragon->Counter = Counter;
    }
}

}  // namespace pax
