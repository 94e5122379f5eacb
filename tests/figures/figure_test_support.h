#pragma once
// A stage for the figure tests: the default settings, a 480 x 360 picture on a black
// background seen by the default eye, and helpers to project points and read pixels.

#include <gtest/gtest.h>

#include <cmath>

#include "render/object_window.h"
#include "render/stage.h"
#include "render/window_test_support.h"
#include "scene/pax3d.h"
#include "support/scripted_presenter.h"
#include "system/settings.h"
#include "system/stop_request.h"

namespace pax::testing {

struct ScreenPoint {
    double x = 0, y = 0;
};

class FigureScene {
public:
    FigureScene() { NewPicture(); }
    ~FigureScene() { ClearStopRequest(); }

    Stage& stage() { return m_stage; }
    ObjectWindow& view() { return m_stage.View(); }
    Pax3d& pax() { return m_stage.Pax(); }
    TBitmap32& picture() { return m_stage.DrawingSurface(); }
    ScopedPresenter& presenter() { return m_presenter; }

    // The window takes the current switches; the turtles start afresh at the origin.
    void NewPicture(TColor32 background = clBlack32) {
        picture().Clear(background);
        view().Reset();
        pax().Restart();
        m_stage.Bee().Restart();
    }
    void EndPicture() { view().EndPicture(); }
    void SetSwitch(int index, bool on) {
        Switches()[index] = on;
        view().Reset();
    }

    ScreenPoint Screen(const tVector3d& p) {
        ProjData pen;
        view().ProjectPoint(pen, p);
        return {static_cast<double>(pen.ScreenX), static_cast<double>(pen.ScreenY)};
    }
    TColor32 PixelAt(double x, double y) { return picture().PixelS(int(std::floor(x)), int(std::floor(y))); }
    TColor32 PixelAt(const tVector3d& p) {
        const ScreenPoint s = Screen(p);
        return PixelAt(s.x, s.y);
    }

private:
    ScopedSettings m_settings;
    ScopedPresenter m_presenter;
    Stage m_stage{StageOptions{PictureWidth, PictureHeight, 64, 64}};
};

inline int Brightness(TColor32 c) { return RedOf(c) + GreenOf(c) + BlueOf(c); }

// The turtle's state that a figure must leave as it found it.
struct TurtleSnapshot {
    tVector3d position, right, heading, up;
    int32_t depth;
    bool penDown;
    TColor32 fill;

    explicit TurtleSnapshot(const Pax3d& t)
        : position(t.Position()), right(t.Right()), heading(t.Heading()), up(t.Up()), depth(t.Depth()),
          penDown(t.PenIsDown()), fill(t.Pen().FillColor) {}
    bool operator==(const TurtleSnapshot&) const = default;
};

}  // namespace pax::testing
