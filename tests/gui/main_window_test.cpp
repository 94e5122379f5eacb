#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTest>

#include "app/app_test_support.h"
#include "app/demo_catalogue.h"
#include "app/main_state.h"
#include "app/studio.h"
#include "gui/picture_view.h"
#include "gui_test_support.h"
#include "render/surface/bitmap32.h"
#include "system/settings.h"

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

TEST_F(Window, ErrorsShowInTheMessageLineInRed) {
    studio.State().ShowStatusError("too much demos registered");
    EXPECT_EQ(window.StatusText(2), "too much demos registered");
    for (const QLabel* panel : window.statusBar()->findChildren<QLabel*>())
        EXPECT_EQ(panel->palette().color(QPalette::WindowText), QColor(Qt::red)) << panel->text().toStdString();
}

}  // namespace
}  // namespace pax
