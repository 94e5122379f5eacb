#include "app/main_commands.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "app/app_test_support.h"
#include "app/demo_catalogue.h"
#include "app/demo_player.h"
#include "app/main_state.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "app/virtual_key.h"
#include "render/windows/stage.h"
#include "scene/eye3d.h"
#include "system/settings.h"

namespace pax {
namespace {

using VirtualKey::F;

struct ClosingCallbacks : MainCallbacks {
    void CloseWindow() override { ++closed; }
    int closed = 0;
};

struct Commands : ::testing::Test {
    Commands() { studio.SetCallbacks(&callbacks); }
    ~Commands() override { studio.SetCallbacks(nullptr); }

    testing::ScopedAppSettings settings;
    Studio studio{testing::Headless()};
    ClosingCallbacks callbacks;
    MainCommands& commands = studio.Commands();
    int& closed = callbacks.closed;

    DemoSelection Shown() { return {studio.State().CurrentDemo, studio.State().CurrentFigure}; }
    Eye3d& Eye() { return studio.GetStage().Eye(); }
};

TEST_F(Commands, KeysStepThroughFiguresAndDemosWithWrapAround) {
    const int32_t lastDemo = studio.Catalogue().DemoCount() - 1;
    const int32_t lastFigure = studio.Catalogue().FigureCount(lastDemo) - 1;
    struct Step {
        int key;
        TShiftState shift;
        DemoSelection expected;
    };
    const Step steps[] = {
        {VirtualKey::Space, {}, {0, 1}},
        {VirtualKey::Space, ShiftFlag::Shift, {1, 0}},
        {VirtualKey::Enter, {}, {2, 0}},
        {VirtualKey::Space, ShiftFlag::Ctrl, {2, 1}},
        {'N', ShiftFlag::Ctrl, {2, 1}},
        {VirtualKey::Backspace, ShiftFlag::Ctrl, {1, 0}},
        {VirtualKey::Backspace, {}, {0, studio.Catalogue().FigureCount(0) - 1}},
        {VirtualKey::Enter, ShiftFlag::Ctrl, {1, 0}},
        {'9', ShiftFlag::Ctrl, {0, 0}},   // only 8 demos: the index wraps to the first
        {'3', ShiftFlag::Ctrl, {2, 0}},
        {VirtualKey::Backspace, ShiftFlag::Shift, {1, 0}},
        {VirtualKey::Backspace, ShiftFlag::Shift, {0, 0}},
        {VirtualKey::Backspace, ShiftFlag::Shift, {lastDemo, lastFigure}},
    };
    studio.Activate();
    for (const Step& s : steps) {
        commands.KeyDown(s.key, s.shift);
        EXPECT_EQ(Shown(), s.expected) << s.key << " " << ModifierText(s.shift);
        EXPECT_FALSE(studio.State().Input.KeyNotHandled);
    }
}

TEST_F(Commands, FunctionKeysChangeModesPauseAndClose) {
    studio.Activate();
    MainState& state = studio.State();
    commands.KeyDown(F(3), {});
    EXPECT_EQ(state.Info, InfoMode::PicturesPerSecond);
    commands.KeyDown(F(3), ShiftFlag::Shift);
    commands.KeyDown(F(3), ShiftFlag::Shift);
    EXPECT_EQ(state.Info, InfoMode::PartCount);
    commands.KeyDown(F(4), ShiftFlag::Shift);
    EXPECT_EQ(state.SyncMode(), 3);
    commands.KeyDown(F(5), {});
    EXPECT_EQ(state.EyeMotion.EyeMode, EyeEncircle);

    commands.KeyDown(F(8), {});
    EXPECT_FALSE(state.Running());
    commands.KeyDown(VirtualKey::Pause, {});
    EXPECT_TRUE(state.Running());
    commands.KeyDown(F(8), {});
    commands.KeyDown(F(9), {});
    EXPECT_TRUE(state.Running());

    commands.KeyDown(VirtualKey::Escape, {});
    commands.KeyDown(F(11), {});
    EXPECT_EQ(closed, 2);
}

TEST_F(Commands, ToolWindowKeysOpenWhatWasRegisteredAndBoundKeysComeFirst) {
    studio.Activate();
    std::vector<AppWindow> opened;
    for (AppWindow w : {AppWindow::Options, AppWindow::OptionsBackground, AppWindow::Navigation,
                        AppWindow::AnimationValues, AppWindow::About, AppWindow::Editor})
        commands.SetWindowOpener(w, [&opened, w] { opened.push_back(w); });
    const std::tuple<int, TShiftState> keys[] = {
        {F(2), {}}, {F(2), ShiftFlag::Ctrl}, {F(8), ShiftFlag::Shift}, {F(2), ShiftFlag::Alt},
        {F(3), ShiftFlag::Ctrl}, {F(4), ShiftFlag::Ctrl}, {F(10), {}}, {F(8), ShiftFlag::Ctrl},
    };
    for (const auto& [key, shift] : keys) commands.KeyDown(key, shift);
    EXPECT_EQ(opened, (std::vector<AppWindow>{AppWindow::Options, AppWindow::Options, AppWindow::Options,
                                              AppWindow::OptionsBackground, AppWindow::Navigation,
                                              AppWindow::AnimationValues, AppWindow::About, AppWindow::Editor}));
    commands.SetWindowOpener(AppWindow::Options, {});
    EXPECT_FALSE(commands.OpenWindow(AppWindow::Options));

    // A binding takes its key before the table; removed, the table has it again.
    int bound = 0;
    commands.Bind(VirtualKey::Space, {}, [&bound] { ++bound; });
    commands.Bind(VirtualKey::Space, {}, [&bound] { bound += 10; });
    commands.KeyDown(VirtualKey::Space, {});
    EXPECT_EQ(bound, 10);
    EXPECT_EQ(Shown(), (DemoSelection{0, 0}));
    EXPECT_FALSE(studio.State().Input.KeyNotHandled);
    commands.Bind(VirtualKey::Space, {}, {});
    commands.KeyDown(VirtualKey::Space, {});
    EXPECT_EQ(Shown(), (DemoSelection{0, 1}));
}

TEST_F(Commands, OtherKeysReachTheEyeThroughTheNextPicture) {
    studio.Activate();
    studio.Pictures().SetPause(true);
    const tVector3d start = Eye().Position();
    commands.KeyDown(VirtualKey::PageUp, {});   // forward
    EXPECT_TRUE(studio.State().Input.KeyNotHandled);
    EXPECT_EQ(Eye().Position(), start);
    studio.Pictures().ShowNextPicture();
    EXPECT_NE(Eye().Position(), start);
    EXPECT_FALSE(studio.State().Input.KeyNotHandled);

    commands.KeyUp(VirtualKey::PageUp, {});
    EXPECT_FALSE(studio.State().Input.PressedKeys[VirtualKey::PageUp]);
}

TEST_F(Commands, MouseDragsTurnAndWheelsMoveTheEyeUntilCtrlRResetsItOrSelectFiguresWithTheRightButtonHeld) {
    studio.Activate();
    Eye3d fresh;
    commands.MouseDown(MouseButton::Left, 100, 100, {});
    commands.MouseMove(130, 90, {});
    EXPECT_EQ(studio.State().Input.DeltaX, 30);
    EXPECT_EQ(studio.State().Input.DeltaY, -10);
    EXPECT_NE(Eye().Position(), fresh.Position());
    commands.MouseUp({});
    EXPECT_EQ(studio.State().Input.Button, MouseButton::None);

    const tVector3d dragged = Eye().Position();
    commands.Wheel(+1, {});
    EXPECT_NE(Eye().Position(), dragged);
    commands.KeyDown('R', ShiftFlag::Ctrl);
    EXPECT_EQ(Eye().Position(), fresh.Position());
    EXPECT_EQ(Eye().Heading(), fresh.Heading());

    commands.MouseDown(MouseButton::Right, 10, 10, {});
    commands.Wheel(-1, {});
    EXPECT_EQ(Shown(), (DemoSelection{studio.Catalogue().DemoCount() - 1, studio.Catalogue().FigureCount(7) - 1}));
    commands.Wheel(+1, {});
    EXPECT_EQ(Shown(), (DemoSelection{0, 0}));
    EXPECT_EQ(Eye().Position(), fresh.Position());
}

}  // namespace
}  // namespace pax
