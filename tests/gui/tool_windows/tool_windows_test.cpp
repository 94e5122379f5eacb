#include "gui/tool_windows/tool_windows.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include "app/app_test_support.h"
#include "app/main_commands.h"
#include "app/main_state.h"
#include "app/options/option_form.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "app/virtual_key.h"
#include "gui/main_window.h"
#include "gui/options/option_dialog.h"
#include "gui/tool_windows/about_window.h"
#include "gui/tool_windows/anim_window.h"
#include "gui/tool_windows/navigate_window.h"
#include "gui/gui_test_support.h"
#include "render/windows/stage.h"
#include "scene/light3d.h"
#include "system/settings.h"

namespace pax {
namespace {

struct Tools : ::testing::Test {
    Tools() { Switches()[Switch::Paused] = true; }

    template <class W>
    W* Find(QWidget& in, const QString& text) {
        for (W* w : in.findChildren<W*>())
            if (w->text() == text) return w;
        return nullptr;
    }

    QApplication& app = testing::TestApplication();
    testing::ScopedAppSettings settings;
    Studio studio{testing::Headless()};
    MainWindow window{studio};
    ToolWindows tools{studio, &window};
};

TEST_F(Tools, TheirKeysOpenThemWhereTheyWereLeftOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ConfigValues().OptionWindow = {screen.width() + 500, -40};
    studio.Commands().KeyDown(VirtualKey::F(2), ShiftFlag::Alt);
    OptionDialog& options = tools.Options();
    ASSERT_TRUE(options.isVisible());
    EXPECT_EQ(options.Tabs().currentIndex(), static_cast<int>(OptionTab::Background));
    EXPECT_EQ(options.windowTitle(), "Pax3d Options");
    EXPECT_EQ(options.x() + options.width(), screen.right() + 1);
    EXPECT_EQ(options.y(), screen.top());
    options.move(20, 30);
    options.hide();
    EXPECT_EQ(ConfigValues().OptionWindow, (tWindowPlace{20, 30}));

    studio.Commands().KeyDown(VirtualKey::F(3), ShiftFlag::Ctrl);
    studio.Commands().KeyDown(VirtualKey::F(4), ShiftFlag::Ctrl);
    studio.Commands().KeyDown(VirtualKey::F(10), {});
    EXPECT_TRUE(tools.Navigation().isVisible());
    EXPECT_TRUE(tools.AnimationValues().isVisible());
    EXPECT_EQ(tools.About().windowTitle(), "About Dizuded Odirivuze Didu");
    EXPECT_EQ(tools.About().Tabs().count(), 5);
}

TEST_F(Tools, ControlsReachTheEngineAndFollowChangesMadeElsewhere) {
    OptionDialog& options = tools.Options();
    options.OpenOn(OptionTab::Drawing);
    QCheckBox* axis = Find<QCheckBox>(options, "Show &Axis");
    ASSERT_NE(axis, nullptr);
    axis->click();
    EXPECT_TRUE(Switches()[Switch::ShowAxis]);

    // The exponent slider: the fifth slider of the light tab.
    options.Tabs().setCurrentIndex(static_cast<int>(OptionTab::Light));
    QList<QSlider*> light = options.Tabs().currentWidget()->findChildren<QSlider*>();
    ASSERT_EQ(light.size(), 5);
    light[4]->setValue(10);
    EXPECT_EQ(studio.GetStage().Light().SpecCoef, 1.0L);
    EXPECT_NE(Find<QLabel>(*options.Tabs().currentWidget(), "1.0"), nullptr);

    studio.Options().Group(OptionTab::Light, GroupAction::Reset);
    EXPECT_EQ(light[4]->value(), 30);
    SetSwitch(Switch::ShowAxis, false);   // as the main window's keys do
    EXPECT_FALSE(axis->isChecked());
}

TEST_F(Tools, TheAnimationValuesFollowEachPictureWhileShown) {
    AnimWindow& values = tools.AnimationValues();
    constexpr int Counter = AnimForm::FieldCount - 1;
    values.Open();
    const QString first = values.FieldText(Counter);
    ASSERT_FALSE(first.isEmpty());
    // Pictures faster than the screen: the fields catch up within the interval.
    studio.Pictures().ShowNextPicture();
    studio.Pictures().ShowNextPicture();
    QTRY_VERIFY_WITH_TIMEOUT(values.FieldText(Counter) != first, 2000);
    const QString shown = values.FieldText(Counter);
    values.hide();
    studio.Pictures().ShowNextPicture();
    QTest::qWait(3 * AnimWindow::MinInterval);
    EXPECT_EQ(values.FieldText(Counter), shown);
}

}  // namespace
}  // namespace pax
