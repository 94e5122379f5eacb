#include "gui/main_commands.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/app_test_support.h"
#include "app/demo_catalogue.h"
#include "app/demo_player.h"
#include "app/main_state.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "gui/key_table.h"
#include "gui_test_support.h"
#include "render/windows/stage.h"
#include "scene/eye3d.h"
#include "system/settings.h"

namespace pax {
namespace {

constexpr int F(int n) { return VirtualKey::F1 + n - 1; }

struct Commands : ::testing::Test {
    testing::ScopedAppSettings settings;
    Studio studio{testing::Headless()};
    int closed = 0;
    MainCommands commands{studio, [this] { ++closed; }};

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

TEST(KeyTable, QtKeysBecomeTheVirtualKeyCodes) {
    const Qt::KeyboardModifiers none = Qt::NoModifier, pad = Qt::KeypadModifier;
    const std::tuple<int, Qt::KeyboardModifiers, int> cases[] = {
        {Qt::Key_Left, none, 37},      {Qt::Key_Up, none, 38},         {Qt::Key_Right, none, 39},
        {Qt::Key_Down, pad, 40},       {Qt::Key_PageUp, none, 33},     {Qt::Key_PageDown, none, 34},
        {Qt::Key_Home, none, 36},      {Qt::Key_End, none, 35},        {Qt::Key_Insert, none, 45},
        {Qt::Key_Clear, pad, 12},      {Qt::Key_Asterisk, pad, 106},   {Qt::Key_Plus, pad, 107},
        {Qt::Key_Minus, pad, 109},     {Qt::Key_Slash, pad, 111},      {Qt::Key_F1, none, 112},
        {Qt::Key_F12, none, 123},      {Qt::Key_Return, none, 13},     {Qt::Key_Enter, pad, 13},
        {Qt::Key_Space, none, 32},     {Qt::Key_Backspace, none, 8},   {Qt::Key_Escape, none, 27},
        {Qt::Key_Pause, none, 19},     {Qt::Key_0, none, '0'},         {Qt::Key_9, none, '9'},
        {Qt::Key_8, pad, 104},         {Qt::Key_A, none, 'A'},         {Qt::Key_Z, Qt::ShiftModifier, 'Z'},
        {Qt::Key_Shift, none, 16},     {Qt::Key_Control, none, 17},    {Qt::Key_Alt, none, 18},
        // The main block's operators are not the pad's; keys without a code give 0.
        {Qt::Key_Asterisk, none, 0},   {Qt::Key_Plus, none, 0},        {Qt::Key_Eacute, none, 0},
    };
    for (const auto& [qtKey, modifiers, code] : cases)
        EXPECT_EQ(VirtualKeyOf(qtKey, modifiers), code) << std::hex << qtKey;
}

TEST(KeyTable, ModifiersBecomeTheShiftStateWithoutKeypadOrMeta) {
    EXPECT_EQ(ShiftStateOf(Qt::NoModifier), TShiftState());
    EXPECT_EQ(ShiftStateOf(Qt::ShiftModifier | Qt::KeypadModifier), TShiftState(ShiftFlag::Shift));
    EXPECT_EQ(ShiftStateOf(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier), ShiftFlag::Ctrl | ShiftFlag::Alt);
    EXPECT_EQ(ShiftStateOf(Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier).Bits(), 7);
}

}  // namespace
}  // namespace pax
