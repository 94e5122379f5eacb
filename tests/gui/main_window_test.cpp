#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QScreen>
#include <QWindow>

#include "app/app_test_support.h"
#include "app/drawn_area.h"
#include "app/demo_catalogue.h"
#include "app/demo_player.h"
#include "app/main_state.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "gui/picture_view.h"
#include "gui_test_support.h"
#include "render/surface/bitmap32.h"
#include "render/sprites/sprite_display.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "system/settings.h"
#include "system/stop_request.h"

#include <chrono>
#include <cmath>

namespace pax {
namespace {

struct Window : ::testing::Test {
    Window() {
        // Paused, so that the picture only changes when the test asks for one.
        Switches()[Switch::Paused] = true;
        window.show();
        // The first activation follows the show.
        QTRY_VERIFY(studio.Activated());
    }

    QApplication& app = testing::TestApplication();
    testing::ScopedAppSettings settings;
    Studio studio{testing::Headless()};
    MainWindow window{studio};
};

TEST_F(Window, ShowsTheStudiosSurfacePixelForPixel) {
    const TBitmap32& surface = studio.Picture();
    window.RefreshTick();
    window.Repaint();
    QCoreApplication::processEvents();

    const QImage shown = window.Picture().grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(480, 360));
    ASSERT_EQ(shown.size(), QSize(surface.Width(), surface.Height()));
    int differing = 0, lit = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
        for (int x = 0; x < surface.Width(); ++x) {
            const TColor32 expected = surface.Pixel(x, y) | 0xFF000000u;
            differing += row[x] != expected;
            lit += (expected & 0xFFFFFF) != 0;
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(lit, 100);   // the first figure is on it
    // The image shares the surface's pixels.
    EXPECT_EQ(window.Picture().SurfaceImage().constBits(), reinterpret_cast<const uchar*>(surface.Bits()));

    // The alpha channel is no transparency: a pixel shows its colour, not premultiplied.
    TBitmap32& drawn = studio.Picture();
    drawn.SetPixel(3, 4, 0x00336699);
    drawn.SetPixel(5, 6, 0x80FF8040);
    const QImage again = window.Picture().grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(again.pixel(3, 4), 0xFF336699u);
    EXPECT_EQ(again.pixel(5, 6), 0xFFFF8040u);
}

TEST(ShowInterval, IsTheScreensRefreshTimeOrSixtyHertzForARateBeyondBelief) {
    EXPECT_EQ(MainWindow::ShowIntervalNs(60), 16'666'667);
    EXPECT_EQ(MainWindow::ShowIntervalNs(144), 6'944'444);
    EXPECT_EQ(MainWindow::ShowIntervalNs(MainWindow::MaxRefreshHz), 1'000'000);
    for (double rate : {0.0, -60.0, 19.9, 1000.5, std::nan("")})
        EXPECT_EQ(MainWindow::ShowIntervalNs(rate), 16'666'667) << rate;
}

TEST_F(Window, SpaceAndTheSelectFigureMenuWithADemoPerSubmenuShowFiguresAndTheirCaption) {
    const DemoCatalogue& catalogue = studio.Catalogue();
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_EQ(studio.State().CurrentFigure, 1);
    const DemoRecord& demo = catalogue.Demo(0);
    EXPECT_EQ(window.windowTitle().toStdString(), demo.Figures[1].Name + " - " + demo.Name + MainState::PausedMark);
    EXPECT_EQ(window.StatusText(1), "0/1");

    QMenu* menu = window.SelectFigureMenu();
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> demos = menu->actions();
    ASSERT_EQ(demos.size(), catalogue.DemoCount());
    for (int d = 0; d < catalogue.DemoCount(); ++d) {
        EXPECT_EQ(demos[d]->text().toStdString(), catalogue.Demo(d).Name);
        EXPECT_EQ(demos[d]->menu()->actions().size(), catalogue.FigureCount(d));
    }
    demos[3]->menu()->actions()[5]->trigger();
    EXPECT_EQ((DemoSelection{studio.State().CurrentDemo, studio.State().CurrentFigure}), (DemoSelection{3, 5}));
    EXPECT_EQ(studio.State().FigureTitle, catalogue.Demo(3).Figures[5].Name);
}

// A figure that runs until it is stopped (or for five seconds, so that a broken stop fails
// the test rather than hanging it); records whether the stop ended it.
struct EndlessFigure {
    bool stopped = false;
    void operator()() {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < end)
            if (StopRequested()) {
                stopped = true;
                return;
            }
    }
};

TEST_F(Window, ALongPictureEndsOnCtrlBreakAndCtrlZAndEscClosesTheWindowFromInsideIt) {
    auto figure = std::make_shared<EndlessFigure>();
    studio.Catalogue().RegisterAnimation("Long");
    studio.Catalogue().RegisterFigure("endless", [figure] { (*figure)(); });
    studio.Player().ShowDemo(studio.Catalogue().DemoCount() - 1, 0);

    for (auto [key, modifiers] : {std::pair(Qt::Key_Pause, Qt::ControlModifier), std::pair(Qt::Key_Z, Qt::ControlModifier),
                                  std::pair(Qt::Key_Escape, Qt::NoModifier)}) {
        figure->stopped = false;
        // Queued before the picture starts: only the poll inside the picture can take it.
        QCoreApplication::postEvent(&window.Picture(), new QKeyEvent(QEvent::KeyPress, key, modifiers));
        window.Repaint();
        window.PaintPicture();
        EXPECT_TRUE(figure->stopped) << key;
    }
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(studio.State().Closing);
}

TEST_F(Window, KeysPressedDuringALongPictureAreHandledAfterItInTheirOrder) {
    auto figure = std::make_shared<EndlessFigure>();
    studio.Catalogue().RegisterAnimation("Long");
    studio.Catalogue().RegisterFigure("endless", [figure] { (*figure)(); });
    studio.Catalogue().RegisterFigure("second", [] {});
    studio.Catalogue().RegisterFigure("third", [] {});
    studio.Player().ShowDemo(studio.Catalogue().DemoCount() - 1, 0);

    // As the platform delivers them: to the window, which hands them to the focus widget.
    QWindow* target = window.windowHandle();
    ASSERT_NE(target, nullptr);
    for (int i = 0; i < 2; ++i) {
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " "));
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " "));
    }
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier));
    Switches()[Switch::Paused] = false;   // so that the loop asks for the next picture at once
    window.PaintPicture();
    EXPECT_TRUE(figure->stopped);
    // Nothing changed under the picture; afterwards both spaces count.
    EXPECT_EQ(studio.State().CurrentFigure, 0);
    QTRY_COMPARE(studio.State().CurrentFigure, 2);
    EXPECT_FALSE(studio.State().Input.PressedKeys[' ']);
}

TEST_F(Window, SpriteLayersAreBlendedOverTheShownPictureAndLeaveTheSurfaceAlone) {
    Switches()[Switch::RefreshBackground] = true;
    ConfigValues().BackgroundColor = 0x000000;
    studio.Player().ShowDemo(0, 0);
    window.PaintPicture();
    const QImage before = window.Picture().grab().toImage().convertToFormat(QImage::Format_RGB32);
    TBitmap32 sprite(10, 10);
    sprite.Clear(0xFF0000FF);
    SpriteDisplay& overlays = studio.GetStage().Overlays();
    overlays.AddSprite(5, 5, sprite, 128);   // centred on (5, 5): covers 0 .. 9
    overlays.AddSprite(5, 5, sprite, 255);   // the same first layer again
    overlays.MoveSprite(0, 20, 30);
    overlays.MoveSprite(3, 0, 0);            // no such layer
    ASSERT_EQ(overlays.Layers().size(), 1u);
    window.ShowPicture(DrawnArea::Anything());
    const QImage shown = window.Picture().grab().toImage().convertToFormat(QImage::Format_RGB32);
    const TBitmap32& surface = studio.Picture();
    int changed = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const bool inside = x >= 20 && x < 30 && y >= 30 && y < 40;
            const QRgb expected = inside ? 0xFF0000FFu : (surface.Pixel(x, y) | 0xFF000000u);
            changed += shown.pixel(x, y) != expected;
        }
    EXPECT_EQ(changed, 0);
    EXPECT_NE(surface.Pixel(25, 35) | 0xFF000000u, 0xFF0000FFu);
    overlays.ClearSprites();
    window.ShowPicture(DrawnArea::Anything());
    EXPECT_EQ(window.Picture().grab().toImage().convertToFormat(QImage::Format_RGB32), before);
}

// The picture as the window holds it: what its paints left there, not painted afresh.
QImage OnScreen(MainWindow& window) {
    const PictureView& view = window.Picture();
    const QPoint at = view.mapTo(&window, QPoint(0, 0));
    return window.screen()
        ->grabWindow(window.winId(), at.x(), at.y(), view.width(), view.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

TEST_F(Window, AShowCopiesOnlyWhereTheShownOrTheNewPictureHasSomething) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // The pictures of the start are drawn first (the paused loop's idle work).
    QTRY_VERIFY(!studio.State().RedrawPending);
    QTest::qWait(100);
    TBitmap32& surface = studio.Picture();
    const TColor32 ground = 0xFF102030, other = 0xFF405060, red = 0xFFFF0000, green = 0xFF00FF00;
    const TRect a{10, 10, 50, 40}, c{200, 100, 260, 150}, hidden{400, 300, 420, 320};
    const auto fill = [&](const TRect& r, TColor32 colour) { surface.FillRectOpaque(r.Left, r.Top, r.Right, r.Bottom, colour); };
    const auto area = [](TColor32 background, const TRect& box) {
        DrawnArea drawn = DrawnArea::Plain(background);
        drawn.Boxes.Add(box);
        return drawn;
    };
    const auto show = [&](const DrawnArea& drawn) {
        window.ShowPicture(drawn);
        QTest::qWait(50);   // the show interval, the show timer and the paint
        return OnScreen(window);
    };
    surface.Clear(ground);
    fill(a, red);
    QImage screen = show(area(ground, a));   // the first show copies everything
    EXPECT_EQ(screen.pixel(20, 20), red);
    EXPECT_EQ(screen.pixel(300, 200), ground);

    // The next picture on the same background: the box it leaves is erased, its own drawn,
    // and what it did not say it has is not copied.
    surface.Clear(ground);
    fill(c, red);
    fill(hidden, green);
    screen = show(area(ground, c));
    EXPECT_EQ(screen.pixel(20, 20), ground);
    EXPECT_EQ(screen.pixel(230, 120), red);
    EXPECT_EQ(screen.pixel(410, 310), ground);
    // A picture that may have something anywhere is copied whole.
    screen = show(DrawnArea::Anything());
    EXPECT_EQ(screen.pixel(410, 310), green);
    // So is one on another background.
    surface.Clear(ground);
    show(area(ground, c));
    surface.Clear(other);
    fill(hidden, green);
    EXPECT_EQ(show(area(other, c)).pixel(410, 310), green);

    // A paint into a picture of the view (a grab) is not one of the screen.
    surface.Clear(ground);
    fill(a, red);
    window.ShowPicture(area(ground, a));   // at once: the last show is long past
    QCoreApplication::processEvents();
    ASSERT_EQ(OnScreen(window).pixel(20, 20), red);
    surface.Clear(ground);
    fill(c, red);
    window.ShowPicture(area(ground, c));   // within the show interval: shown by the show timer
    EXPECT_EQ(window.Picture().grab().toImage().pixel(20, 20), ground);
    QTest::qWait(50);
    EXPECT_EQ(OnScreen(window).pixel(20, 20), ground);
    EXPECT_EQ(OnScreen(window).pixel(230, 120), red);

    // Sprite layers are blended over the whole picture, and taken away from all of it.
    surface.Clear(other);
    TBitmap32 sprite(10, 10);
    sprite.Clear(0xFF0000FF);
    studio.GetStage().Overlays().AddSprite(5, 5, sprite, 255);
    fill(hidden, green);
    screen = show(area(other, c));
    EXPECT_EQ(screen.pixel(5, 5), 0xFF0000FFu);
    EXPECT_EQ(screen.pixel(410, 310), green);
    studio.GetStage().Overlays().ClearSprites();
    surface.Clear(other);
    screen = show(area(other, c));
    EXPECT_EQ(screen.pixel(5, 5), other);
    EXPECT_EQ(screen.pixel(410, 310), other);
}

TEST_F(Window, AnOwedShowIsPaintedFromTheFinishedPictureAndThePausedLoopShowsItsLast) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(!studio.State().RedrawPending);
    QTest::qWait(100);
    TBitmap32& surface = studio.Picture();
    PictureView& view = window.Picture();
    // The finished picture is painted while the surface it left is held, being drawn over.
    const TColor32 ground = 0xFF102030, red = 0xFFFF0000;
    surface.Clear(ground);
    TBitmap32 finished;
    finished.Assign(surface);
    finished.FillRectOpaque(10, 10, 50, 40, red);
    view.TakePicture(DrawnArea::Anything());
    view.Hold(true);
    view.ShowChangesFrom(finished);
    EXPECT_EQ(OnScreen(window).pixel(20, 20), red);
    EXPECT_EQ(OnScreen(window).pixel(300, 200), ground);
    view.Hold(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(OnScreen(window).pixel(20, 20), red);   // no paint was missed to be made up

    // The running loop owes its shows to the pictures that follow; paused, it shows its last.
    const DemoSelection plant = *studio.Catalogue().FindFigure("Plant-26");
    studio.Player().ShowDemo(plant.Demo, plant.Figure);
    studio.State().SetSyncMode(0);
    studio.Pictures().SetPause(false);
    window.Repaint();
    QTest::qWait(300);
    EXPECT_TRUE(studio.GetStage().View().HoldsPicture());   // drawn behind
    studio.Pictures().SetPause(true);
    QTest::qWait(100);
    const QImage screen = OnScreen(window);
    ASSERT_EQ(screen.size(), QSize(surface.Width(), surface.Height()));
    int differing = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) differing += screen.pixel(x, y) != (surface.Pixel(x, y) | 0xFF000000u);
    EXPECT_EQ(differing, 0);
}

TEST_F(Window, ErrorsShowInTheMessageLineInRed) {
    studio.State().ShowStatusError("too much demos registered");
    EXPECT_EQ(window.StatusText(2), "too much demos registered");
    for (const QLabel* panel : window.statusBar()->findChildren<QLabel*>())
        EXPECT_EQ(panel->palette().color(QPalette::WindowText), QColor(Qt::red)) << panel->text().toStdString();
}

}  // namespace
}  // namespace pax
