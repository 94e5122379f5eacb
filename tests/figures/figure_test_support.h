#pragma once
// A stage for the figure tests: the default settings, a 480 x 360 picture on a black
// background seen by the default eye, and recording windows that keep exact corners.

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "render/window_test_support.h"
#include "scene/fake_turtle_window.h"
#include "scene/pax3d.h"
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
    // Both turtles draw into w instead of the view.
    void Record(TurtleWindow& w) {
        pax().SetWindow(&w);
        m_stage.Bee().SetWindow(&w);
    }

    ScreenPoint Screen(const tVector3d& p) {
        ProjData pen;
        view().ProjectPoint(pen, p);
        return {pen.ScreenX, pen.ScreenY};
    }
    TColor32 PixelAt(double x, double y) { return picture().PixelS(int(std::floor(x)), int(std::floor(y))); }

private:
    ScopedSettings m_settings;
    ScopedPresenter m_presenter;
    Stage m_stage{StageOptions{PictureWidth, PictureHeight, 64, 64}};
};

inline int Brightness(TColor32 c) { return RedOf(c) + GreenOf(c) + BlueOf(c); }

// The recording window, also keeping each plane's fill colour.
struct ColourRecordingWindow : FakeTurtleWindow {
    void DoBeginPolyon(ProjData& pen, bool fill) override {
        FakeTurtleWindow::DoBeginPolyon(pen, fill);
        fills.push_back(pen.FillColor);
    }
    std::vector<TColor32> fills;
};

// The turtle's state that a figure must leave as it found it.
inline auto TurtleState(const Pax3d& t) {
    return std::tuple(t.Position(), t.Right(), t.Heading(), t.Up(), t.Depth(), t.PenIsDown(), t.Pen().FillColor);
}

// Every face's normal, of its first three corners as the plane recorder takes it, points away
// from the interior point.
inline void ExpectOutward(const std::vector<FakeTurtleWindow::Polygon>& faces, const tVector3d& interior) {
    for (size_t i = 0; i < faces.size(); ++i) {
        const std::vector<tVector3d>& c = faces[i].corners;
        ASSERT_GE(c.size(), 3u) << i;
        tVector3d centroid;
        for (const tVector3d& p : c) centroid += p;
        centroid = (1.0L / c.size()) * centroid;
        EXPECT_GT(Dot(Cross(c[1] - c[0], c[2] - c[0]), centroid - interior), 1e-9L) << "face " << i;
    }
}

}  // namespace pax::testing
