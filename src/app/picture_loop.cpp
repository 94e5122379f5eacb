#include "app/picture_loop.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <memory>

#include "app/basic_animations.h"
#include "app/demo_player.h"
#include "app/main_state.h"
#include "figures/axes.h"
#include "figures/light_symbol.h"
#include "render/colour/filters.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "render/windows/zbuffer.h"
#include "scene/eye3d.h"
#include "scene/eye_motion.h"
#include "scene/pax3d.h"
#include "system/debug_log.h"
#include "system/error_reporting.h"
#include "system/picture_clock.h"
#include "system/presenter.h"
#include "system/settings.h"
#include "system/stop_request.h"

namespace pax {

namespace {

constexpr int32_t FailedPictureSleep = 1000;   // ms
constexpr const char* PictureFontFace = "MS Sans Serif";
constexpr int PictureFontSize = 8;

bool On(int index) { return Switches()[static_cast<size_t>(index)]; }

// prefix followed by the decimal value, written into text without a fresh allocation once the
// text has room.
void AssignNumberText(std::string& text, std::string_view prefix, int64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.assign(prefix);
    text.append(digits, end);
}

// The colour channel c (0..255) as three digits.
char* PutChannel(char* out, uint32_t c) {
    out[0] = static_cast<char>('0' + c / 100);
    out[1] = static_cast<char>('0' + c / 10 % 10);
    out[2] = static_cast<char>('0' + c % 10);
    return out + 3;
}

// The remainder in 0 .. n - 1, for negative values too.
int Wrap(int64_t value, int n) {
    const auto r = static_cast<int>(value % n);
    return r < 0 ? r + n : r;
}

}  // namespace

void CopyWrapped(const TBitmap32& from, TBitmap32& to, int x, int y) {
    const int fw = from.Width(), fh = from.Height();
    if (fw <= 0 || fh <= 0) return;
    // Mostly one piece; more where the part crosses an edge of the background.
    for (int dy = 0; dy < to.Height();) {
        const int sy = Wrap(int64_t{y} + dy, fh);
        const int h = std::min(fh - sy, to.Height() - dy);
        for (int dx = 0; dx < to.Width();) {
            const int sx = Wrap(int64_t{x} + dx, fw);
            const int w = std::min(fw - sx, to.Width() - dx);
            from.DrawTo(to, dx, dy, TRect{sx, sy, sx + w, sy + h});
            dx += w;
        }
        dy += h;
    }
}

std::string CursorDataText(Stage& stage, const Pax3d& ghost) {
    return "Eye: " + stage.Eye().PositionText() + "Pax: " + stage.Pax().PositionText() + "Bee: " +
           stage.Bee().PositionText() + "Ghost: " + ghost.PositionText();
}

PictureLoop::PictureLoop(Stage& stage, Pax3d& ghost, MainState& state, BasicAnimations& animations,
                         DemoPlayer& player)
    : m_stage(stage), m_ghost(ghost), m_state(state), m_animations(animations), m_player(player) {
    m_infoText.reserve(64);
}

// --- the loop ------------------------------------------------------------------------------------

void PictureLoop::ShowNextPicture() { NextPicture(false); }

void PictureLoop::ShowNextPictureBehind() { NextPicture(true); }

void PictureLoop::NextPicture(bool behind) {
    if (m_state.Closing) return;
    CountPicture();
    ClearStopRequest();
    Picture(m_state.Running(), behind);
}

void PictureLoop::ShowActualPicture() { Picture(false, false); }

void PictureLoop::ShowActualPictureBehind() { Picture(false, true); }

void PictureLoop::FormPaint() {
    if (MessageBoxOpen()) return;
    if (m_state.Running() && m_state.SyncMode() > 0 && m_state.TickCount == 0) return;
    // A synchronised loop spends a tick per picture whatever it costs: drawing behind would only
    // add a picture's delay to what the user sees.
    NextPicture(RunsUnsynchronised());
}

void PictureLoop::RefreshTick() {
    m_state.RefreshTick();
    if (m_state.Running() && !MessageBoxOpen()) m_state.Callbacks().Repaint();
}

void PictureLoop::NextDemoTick() {
    if (m_state.Running()) m_player.ShowNextFigure(+1);
}

bool PictureLoop::RedrawWhilePaused() {
    if (m_state.Running()) return false;
    if (!m_state.RedrawPending && !m_stage.Eye().Changed()) return false;
    ShowActualPicture();
    ShowActualPicture();
    m_state.RedrawPending = false;
    return true;
}

void PictureLoop::SetPause(bool on) {
    MainCallbacks& callbacks = m_state.Callbacks();
    tSwitches& sw = Switches();
    if (!on) {
        sw[Switch::Paused] = false;
        m_state.UpdateCaption();
        callbacks.SetPauseHint("Pause");
        m_state.ShowEyeMode();
        if (m_state.SoundChecked) SetSwitch(Switch::PlaySound, true);
        return;
    }
    sw[Switch::Paused] = true;
    m_state.UpdateCaption();
    callbacks.RestartNextDemoTimer();
    // One more picture, drawn as if running.
    callbacks.SetPauseHint("Step");
    sw[Switch::Paused] = false;
    ResetPictureClock();
    callbacks.Sleep(1);
    ShowNextPicture();
    sw[Switch::Paused] = true;
    SetSwitch(Switch::PlaySound, false);
    callbacks.ShowStatus2(PausedStatus, MainState::StatusTextColor);
}

// --- one picture ---------------------------------------------------------------------------------

void PictureLoop::Picture(bool advance, bool behind) {
    try {
        if (advance) m_animations.GhostAnimation();
        // The window's first projection clears the eye's flag; read it before.
        const bool eyeChanged = m_stage.Eye().Changed();
        for (Pax3d* turtle : {&m_stage.Pax(), &m_stage.Bee()}) {
            turtle->AssignFrame(m_ghost);
            turtle->SetTransparency(0);
        }
        if (behind && MayDrawBehind()) {
            PictureBehind();
        } else {
            const bool plain = PlainSurface();
            DrawActualPicture();
            if (eyeChanged && On(Switch::ZBuffer)) m_stage.ZBuffer().Clear();
            DrawnArea area = AreaOfParts(plain);
            DrawOverlays(m_stage.DrawingSurface(), area);
            m_state.Callbacks().ShowPicture(area);
        }
    } catch (const std::exception& e) {
        Recover(e.what());
    } catch (...) {
        Recover("unknown exception");
    }
    m_state.Input.ResetForNextPicture();
    if (m_state.Delay >= MainState::MinDelay) m_state.Callbacks().Sleep(m_state.Delay);
    m_state.Callbacks().UpdateAnimationWindow();
}

bool PictureLoop::MayDrawBehind() const {
    // The z-buffer keeps its lines until the end of their own walk, and a figure that draws on
    // the surface during its walk (the axes as lines do) would draw onto the picture before.
    const FigureRecord* figure = m_state.ShownFigure();
    return figure && figure->PartsOnly && !On(Switch::ZBuffer) && !On(Switch::ShowAxis) &&
           m_stage.View().DrawnAtOnce() == 0;
}

bool PictureLoop::ShowsOwedPictureBeside() const {
    return RunsUnsynchronised() && MayDrawBehind() && PlainSurface();
}

void PictureLoop::PictureBehind() {
    ObjectWindow& view = m_stage.View();
    TBitmap32& surface = m_stage.DrawingSurface();
    const bool shows = view.HoldsPicture();
    // A plain background is cleared by the threads that draw the held picture, each on its own
    // rows; any other is drawn first, as it always was.
    std::optional<TColor32> clear;
    if (shows && PlainSurface()) {
        clear = ConfigValues().OpaqueBackground();
        m_stage.ZBuffer().Clear();
    } else if (shows) {
        DrawBackground(surface, m_heldPlace);
    }
    // Where this picture's background would have been drawn had it been drawn now.
    m_heldPlace = PlaceOfBackground();
    // The surface the threads clear row by row can give its finished picture away: what it
    // gets back in exchange is cleared before anything reads it.
    const bool handOver = clear && m_state.Callbacks().ShowOwed();
    if (handOver) surface.SwapPixels(m_shownPicture);
    DrawScene(true, clear, handOver ? &m_shownPicture : nullptr);
    view.FinishDrawingBehind();   // when the figure drew nothing
    if (!shows) return;
    DrawnArea area = AreaOfParts(clear.has_value());
    DrawOverlays(surface, area);
    m_state.Callbacks().ShowPicture(area);
}

DrawnArea PictureLoop::AreaOfParts(bool plainBackground) const {
    // The walk that drew nothing beside its parts holds for the picture drawn behind it too:
    // that one's own walk could not have drawn on the surface it was drawn onto.
    if (!plainBackground || !MayDrawBehind()) return DrawnArea::Anything();
    DrawnArea area = DrawnArea::Plain(ConfigValues().OpaqueBackground());
    area.Boxes.Add(m_stage.View().DrawnBox());
    return area;
}

void PictureLoop::Recover(const char* message) {
    // Whatever was being drawn is given up with the figure.
    try {
        m_stage.View().DropHeldPicture();
    } catch (...) {
        // Its own failure says no more than the one being reported.
    }
    LogLine(std::string(ErrorPrefix) + message);
    MainCallbacks& callbacks = m_state.Callbacks();
    callbacks.Sleep(FailedPictureSleep);
    callbacks.ShowPicture(DrawnArea::Anything());
    try {
        m_stage.Pax().Restart();
        m_stage.Bee().Restart();
        m_player.ShowNextFigure(+1);
    } catch (const std::exception& e) {
        LogLine(std::string(ErrorPrefix) + "while going on: " + e.what());
    } catch (...) {
        LogLine(std::string(ErrorPrefix) + "while going on: unknown exception");
    }
}

void PictureLoop::DrawActualPicture() {
    // A held picture is older than this one.
    m_stage.View().DropHeldPicture();
    DrawBackground(m_stage.DrawingSurface(), PlaceOfBackground());
    DrawScene(false);
}

bool PictureLoop::RunsUnsynchronised() const { return m_state.Running() && m_state.SyncMode() == 0; }

bool PictureLoop::PlainSurface() const {
    return PlainBackground() && m_stage.View().Surface() == &m_stage.DrawingSurface();
}

bool PictureLoop::PlainBackground() const {
    return On(Switch::RefreshBackground) && (m_background.Picture.Empty() || !On(Switch::BackgroundPicture)) &&
           !On(Switch::FilterBackground);
}

void PictureLoop::DrawBackground(TBitmap32& surface, const BackgroundPlace& place) {
    const int32_t filter = ConfigValues().ConvolutionFilter;
    if (!On(Switch::RefreshBackground)) {
        // Pictures accumulate; only the info line's strip is cleared.
        if (On(Switch::FilterBackground)) ApplyFilter(surface, filter);
        if (m_state.Info != InfoMode::Off)
            surface.FillRectOpaque(0, surface.Height() - InfoBottomGap, surface.Width(), surface.Height(),
                                   ConfigValues().OpaqueBackground());
        return;
    }
    if (m_background.Picture.Empty() || !On(Switch::BackgroundPicture)) {
        surface.Clear(ConfigValues().OpaqueBackground());
        m_stage.ZBuffer().Clear();
    } else {
        CopyWrapped(m_background.Picture, surface, place.x, place.y);
        // Over a background picture too: the depths and colours of the last picture would
        // hide parts of a figure that moves and leave a trail (the eye stays, so nothing
        // else clears them).
        if (On(Switch::ZBuffer)) m_stage.ZBuffer().Clear();
    }
    if (On(Switch::FilterBackground)) ApplyFilter(surface, filter);
}

PictureLoop::BackgroundPlace PictureLoop::PlaceOfBackground() const {
    const int32_t tileW = m_background.TileWidth;
    const int32_t tileH = m_background.TileHeight;
    int32_t x = 0, y = 0;
    // Without a tile size there is nothing to scroll through.
    if (On(Switch::ScrollBackground) && tileW > 0 && tileH > 0) {
        const tConfigValues& v = ConfigValues();
        if (On(Switch::TilesBackground)) {
            // Scroll steps are pixels per 100 ms.
            const int64_t t = m_state.AnimationTime;
            x = static_cast<int32_t>(t * v.ScrollStepX / 100 % tileW) + tileW;
            y = static_cast<int32_t>(t * v.ScrollStepY / 100 % tileH) + tileH;
        } else {
            // A panorama turns with the eye; past a full turn it starts again.
            x = Wrap(static_cast<int64_t>(std::trunc((360 - m_stage.Eye().GetAlpha()) * tileW / 360)), tileW);
        }
    }
    return {x, y};
}

void PictureLoop::DrawScene(bool behind, std::optional<TColor32> heldBackground, const TBitmap32* owedShow) {
    ObjectWindow& view = m_stage.View();
    view.Reset();
    if (behind) view.DrawHeldPicture(true, heldBackground);
    if (owedShow) m_state.Callbacks().ShowOwedPicture(*owedShow);
    if (On(Switch::ShowLight)) DrawLight(m_stage);
    if (view.DrawAxis()) DrawAxis(m_stage, AxisLength, m_state.AxisStyle);

    // The local copy keeps the procedures alive should the figure select another one.
    const std::shared_ptr<const DemoRecord> demo = m_state.ShownDemo;
    const FigureRecord* figure = m_state.ShownFigure();
    const DemoProc& draw = figure && figure->Draw ? figure->Draw : demo->DefaultDraw;
    if (!draw) {
        ShowPaxError(NoDrawCaption, NoDrawText);
        return;
    }
    draw();
    EndScene(behind);
}

void PictureLoop::EndScene(bool behind) {
    ObjectWindow& view = m_stage.View();
    if (behind)
        view.HoldPicture();
    else
        view.EndPicture();
    m_stage.Pax().ErrorRecovery();
    m_stage.Bee().ErrorRecovery();
    m_stage.Eye().CheckStack();
    view.CheckPlaneClosed();
    m_stage.Eye().SetChanged(false);
}

// --- overlays --------------------------------------------------------------------------------------

void PictureLoop::DrawOverlays(TBitmap32& surface, DrawnArea& area) {
    if (On(Switch::ShowRGBValues)) DrawRgbValues(surface, area);
    if (surface.Font.Face != PictureFontFace) surface.Font.Face = PictureFontFace;
    surface.Font.Size = PictureFontSize;

    const std::shared_ptr<const DemoRecord> demo = m_state.ShownDemo;
    const FigureRecord* figure = m_state.ShownFigure();
    // What the figure's and the demo's own procedures draw, they draw anywhere.
    if ((m_state.Input.KeyNotHandled || m_state.Input.MouseMoved) && RunDataProcedure())
        area = DrawnArea::Anything();
    if (figure && figure->Overlay) {
        figure->Overlay();
        area = DrawnArea::Anything();
    }
    if (m_state.HelpMode == 1) {
        if (demo->DefaultOverlay)
            demo->DefaultOverlay();
        else
            m_state.AnimHelp(surface);
        area = DrawnArea::Anything();
    }
    if (m_state.ValueInputShown && demo->Values) {
        demo->Values->Draw(surface);
        demo->Values->ProcessKey(m_state.Input.LastKey, m_state.Input.LastShift);
        area = DrawnArea::Anything();
    }
    MakeInfoText();
    if (!m_infoText.empty()) {
        surface.Font.Color = InfoColor;
        TextOut(surface, InfoLeft, surface.Height() - InfoBottomGap, m_infoText, area);
    }
    DrawFlashTexts(surface, area);
}

void PictureLoop::TextOut(TBitmap32& surface, int x, int y, std::string_view text, DrawnArea& area) {
    surface.TextOut(x, y, text);
    area.Boxes.Add(TRect{x, y, x + surface.TextWidth(text), y + surface.TextHeight()});   // its line box
}

bool PictureLoop::RunDataProcedure() {
    const FigureRecord* figure = m_state.ShownFigure();
    const DemoProc& data = figure && figure->Data ? figure->Data : m_state.ShownDemo->DefaultData;
    if (data) {
        const std::shared_ptr<const DemoRecord> keep = m_state.ShownDemo;
        data();
        return true;
    }
    const PictureInput& input = m_state.Input;
    if (input.KeyNotHandled) KeyMotion(m_stage.Eye(), m_state.EyeMotion, input.LastKey, input.LastShift);
    if (m_state.ShowCursorData)
        m_state.Callbacks().ShowStatus2(CursorDataText(m_stage, m_ghost), MainState::StatusTextColor);
    return false;
}

void PictureLoop::DrawRgbValues(TBitmap32& surface, DrawnArea& area) {
    const int mx = m_state.Input.MouseX, my = m_state.Input.MouseY;
    if (mx < 0 || my < 0 || mx >= surface.Width() || my >= surface.Height()) return;
    const TColor32 c = surface.Pixel(mx, my);
    char text[11];
    char* p = PutChannel(text, c >> 16 & 0xFF);
    *p++ = ' ';
    p = PutChannel(p, c >> 8 & 0xFF);
    *p++ = ' ';
    p = PutChannel(p, c & 0xFF);
    // Beside the mouse; left of it near the right edge, above it near the bottom.
    const int x = mx + RgbTextWidth > surface.Width() ? mx - RgbTextWidth : mx + 8;
    const int y = my + RgbTextHeight > surface.Height() ? my - RgbTextHeight : my;
    surface.Font.Color = InfoColor;
    TextOut(surface, x, y, std::string_view(text, static_cast<size_t>(p - text)), area);
}

void PictureLoop::MakeInfoText() {
    switch (m_state.Info) {
    case InfoMode::PicturesPerSecond: {
        // As PicturesPerSecondText, without its allocation.
        const long double rate = PictureClock().Counter * 1000.0L / ElapsedMilliseconds();
        char digits[32];
        const auto end = std::to_chars(digits, digits + sizeof digits, rate, std::chars_format::fixed, 1).ptr;
        m_infoText.assign("fps ");
        m_infoText.append(digits, end);
        break;
    }
    case InfoMode::PictureNumber: AssignNumberText(m_infoText, "pic ", m_stage.View().PictureCount()); break;
    case InfoMode::PartCount: AssignNumberText(m_infoText, "parts ", m_stage.View().PartCount()); break;
    default: m_infoText.clear(); break;
    }
}

void PictureLoop::DrawFlashTexts(TBitmap32& surface, DrawnArea& area) {
    if (m_state.FlashText.empty() && m_state.FlashText2.empty()) return;
    // Opaque, so that a second line flashed after ClearFlashInfo still shows.
    surface.Font.Color = m_state.FlashColor | 0xFF000000u;
    const int y = surface.Height() / 4;
    if (!m_state.FlashText.empty())
        TextOut(surface, (surface.Width() - surface.TextWidth(m_state.FlashText)) / 2, y, m_state.FlashText, area);
    if (!m_state.FlashText2.empty())
        TextOut(surface, (surface.Width() - surface.TextWidth(m_state.FlashText2)) / 2, y + FlashLineGap,
                m_state.FlashText2, area);
}

}  // namespace pax
