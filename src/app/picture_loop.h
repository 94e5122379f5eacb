#pragma once
// PictureLoop: one picture of the animation and the loop around it. A picture puts the
// turtles on the ghost's frame, draws the background, lets the current figure draw the scene
// into the object window, ends the scene and draws the overlays (RGB values, info line,
// flash texts, help, the demo's values) onto the window's surface. A figure that throws is
// logged and the loop goes on with the next figure.
//
// While the loop runs unsynchronised (sync mode 0), a figure that makes nothing but parts is
// drawn behind: each picture's walk runs while the parts of the picture before are drawn on
// the other cores, and that picture is shown when both are done. The surface sees the same
// steps in the same order (background, parts, overlays), so every picture is the one the loop
// would have drawn; it comes one picture later, and keys and mouse act on the picture after
// the next. A show still owed when the next picture begins is painted beside its drawing, from
// the finished picture handed over whole to a second surface.
//
// The picture path runs 50 to 300 times per second: it allocates nothing and logs nothing
// unless something is wrong.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/drawn_area.h"
#include "render/surface/bitmap32.h"

namespace pax {

class Stage;
class Pax3d;
class MainState;
class BasicAnimations;
class DemoPlayer;

// The background surface each picture copies from, with the size of its tile (the tiled
// picture, or the panorama scaled to the picture's height). Empty: no background picture.
struct tBackground {
    TBitmap32 Picture;
    int32_t TileWidth = 0;
    int32_t TileHeight = 0;
};

class PictureLoop {
public:
    static constexpr int AxisLength = 250;
    static constexpr TColor32 InfoColor = 0xFFFFFF00;
    static constexpr int InfoLeft = 8;
    static constexpr int InfoBottomGap = 18;   // pixels from the info line's top to the bottom
    static constexpr int FlashLineGap = 24;
    static constexpr int RgbTextWidth = 80;
    static constexpr int RgbTextHeight = 16;
    static constexpr const char* NoDrawCaption = "tMainForm._DrawActualPicture";
    static constexpr const char* NoDrawText =
        "drawing procedure = nil, please check RegisterAnimation and RegisterFigure calls\n";
    static constexpr const char* ErrorPrefix = ">>> Error in _ShowActualPicture: ";
    static constexpr const char* PausedStatus = " <F8> step to next picture...  <F9> continue";

    PictureLoop(Stage& stage, Pax3d& ghost, MainState& state, BasicAnimations& animations, DemoPlayer& player);
    PictureLoop(const PictureLoop&) = delete;
    PictureLoop& operator=(const PictureLoop&) = delete;

    // Nothing while closing; the picture counter + 1, the stop request cleared, the animation
    // step while running, then the picture.
    void ShowNextPicture();
    // The same, drawn behind where the figure allows it (see the file comment): the running
    // loop's picture when unsynchronised.
    void ShowNextPictureBehind();
    // The actual picture drawn behind (see the file comment): the picture shown is the one
    // walked by the call before, if there was one.
    void ShowActualPictureBehind();
    // One complete picture (see the file comment), guarded: an exception is logged with
    // ErrorPrefix, the turtles restarted and the next figure shown. Then the input of this
    // picture is cleared, the delay slept and the animation window updated.
    void ShowActualPicture();
    // Background, scene, figure, end of scene.
    void DrawActualPicture();

    // --- the loop (the widgets forward their events here) -----------------------------------
    // The paint handler: unless a message box is open, and unless a synchronised loop has no
    // tick to spend, ShowNextPicture, drawn behind while running unsynchronised.
    void FormPaint();
    // RefreshTimer: a tick for the sync wait; a repaint while running.
    void RefreshTick();
    // NextDemoTimer: the next figure while running.
    void NextDemoTick();
    // The idle handler's drawing while paused: the picture twice when a redraw is pending or
    // the eye has moved. Returns whether it drew.
    bool RedrawWhilePaused();
    // Pause on: paused, and exactly one more picture (also when already paused). Off: run.
    void SetPause(bool on);

    // Whether the next picture, as things stand, is drawn behind on a surface the drawing
    // threads clear, and so shows an owed show beside its drawing (ShowOwedPicture).
    bool ShowsOwedPictureBeside() const;

    // The info line of the last picture ("fps 50.0", "pic 12", "parts 0"; empty in mode 0).
    const std::string& InfoText() const { return m_infoText; }
    tBackground& Background() { return m_background; }

private:
    // Where the background picture's part starts for a picture whose walk begins now.
    struct BackgroundPlace {
        int32_t x = 0, y = 0;
    };

    void NextPicture(bool behind);
    void Picture(bool advance, bool behind);
    // Whether the shown figure may be drawn behind.
    bool MayDrawBehind() const;
    // The picture walked now, the held one drawn and shown.
    void PictureBehind();
    BackgroundPlace PlaceOfBackground() const;
    void DrawBackground(TBitmap32& surface, const BackgroundPlace& place);
    // Whether the background is the background colour alone, drawn afresh for each picture.
    bool PlainBackground() const;
    // The same, on the surface the window draws on (not a picture of its own being drawn).
    bool PlainSurface() const;
    // Whether the loop runs without sync: its pictures are drawn behind where they may be.
    bool RunsUnsynchronised() const;
    // behind: the held picture is drawn beside the walk (on heldBackground, where that is
    // given), and this one held; owedShow, where given, is shown as that drawing begins.
    void DrawScene(bool behind, std::optional<TColor32> heldBackground = {}, const TBitmap32* owedShow = nullptr);
    void EndScene(bool behind);
    // What the picture drawn last holds before its overlays (given whether its background
    // was the background colour alone, cleared over the surface the parts were drawn on).
    DrawnArea AreaOfParts(bool plainBackground) const;
    // The overlays, each added to the area where it is drawn.
    void DrawOverlays(TBitmap32& surface, DrawnArea& area);
    void DrawRgbValues(TBitmap32& surface, DrawnArea& area);
    static void TextOut(TBitmap32& surface, int x, int y, std::string_view text, DrawnArea& area);
    // Whether it ran a procedure of the figure or the demo.
    bool RunDataProcedure();
    void MakeInfoText();
    void DrawFlashTexts(TBitmap32& surface, DrawnArea& area);
    void Recover(const char* message);

    Stage& m_stage;
    Pax3d& m_ghost;
    MainState& m_state;
    BasicAnimations& m_animations;
    DemoPlayer& m_player;
    tBackground m_background;
    BackgroundPlace m_heldPlace;   // of the picture the window holds
    TBitmap32 m_shownPicture;      // the finished picture whose show is owed, handed over
    std::string m_infoText;
};

// The part of from that starts at (x, y) and has the size of to, copied into to. The part
// wraps around from's edges, so that every start (a panorama turned past 360 degrees, a
// picture narrower than the window) covers all of to.
void CopyWrapped(const TBitmap32& from, TBitmap32& to, int x, int y);

// "Eye: ", "Pax: ", "Bee: " and "Ghost: ", each with the cursor's position text.
std::string CursorDataText(Stage& stage, const Pax3d& ghost);

}  // namespace pax
