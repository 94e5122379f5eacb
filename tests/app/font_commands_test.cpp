#include "app/font_commands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/app_test_support.h"
#include "app/main_commands.h"
#include "app/main_state.h"
#include "app/virtual_key.h"
#include "render/fonts/font3d.h"
#include "render/windows/stage.h"
#include "system/settings.h"

namespace pax {
namespace {

struct OptionsCallbacks : testing::RecordingCallbacks {
    void RefreshOptions() override { ++refreshed; }
    int refreshed = 0;
};

TEST(FontCommands, F6StepsThroughAllElevenFontsFlashingTheirNamesAndShiftF6StepsBack) {
    testing::ScopedAppSettings settings;
    Studio studio(testing::Headless());
    OptionsCallbacks callbacks;
    studio.SetCallbacks(&callbacks);
    tFont3d& font = studio.GetStage().Font();
    ASSERT_EQ(font.FontName, "LCOM");   // the "Font" setting's default, 5
    std::set<std::string> seen;
    for (int i = 0; i < StrokeFontCount; ++i) {
        studio.Commands().KeyDown(VirtualKey::F(6), {});
        EXPECT_EQ(studio.State().FlashText, "font = " + font.FontName);
        EXPECT_EQ(ConfigValues().Font, font.FontNumber);
        seen.insert(font.FontName);
    }
    EXPECT_EQ(seen.size(), 11u);
    EXPECT_EQ(font.FontName, "LCOM");
    EXPECT_EQ(callbacks.refreshed, 11);
    studio.Commands().KeyDown(VirtualKey::F(6), ShiftFlag::Shift);
    EXPECT_EQ(studio.State().FlashText, "font = LCD1");
    font.SetFont(0);
    studio.Commands().KeyDown(VirtualKey::F(6), ShiftFlag::Shift);
    EXPECT_EQ(studio.State().FlashText, "font = GOTH");
    studio.SetCallbacks(nullptr);
}

}  // namespace
}  // namespace pax
