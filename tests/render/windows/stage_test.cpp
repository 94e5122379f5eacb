#include "render/windows/stage.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "foundation/point_list3d.h"
#include "render/windows/object_window.h"
#include "render/windows/shared_surfaces.h"
#include "render/window_test_support.h"
#include "scene/eye3d.h"
#include "scene/pax3d.h"
#include "system/debug_log.h"
#include "system/display_info.h"

namespace pax {
namespace {

std::string LogText() {
    std::stringstream text;
    text << std::ifstream(DebugLogPath()).rdbuf();
    return text.str();
}

TEST(Stage, CreatesTheSceneInStartUpOrderAndTheTurtlesDrawIntoTheView) {
    testing::ScopedSettings settings;
    LogLine("--- stage test");
    Stage stage(StageOptions{480, 360, 64, 64});
    const std::string log = LogText().substr(LogText().rfind("--- stage test"));
    // The point lists write their line only when first reached in the process, so not here.
    size_t at = 0;
    for (const char* unit : {" PaxPax.initialization:", " PaxDragon.", " PaxEye.", " PaxLight.", " GrWindow.",
                             " Gr32_ZBuffer.", " FSprite.", " PaxObj."}) {
        at = log.find(unit, at);
        ASSERT_NE(at, std::string::npos) << unit;
    }
    const std::vector<std::string> names{stage.Pax().Name(), stage.Bee().Name(), stage.Dragon().Name(), stage.Eye().Name()};
    EXPECT_EQ(names, (std::vector<std::string>{"Pax", "Bee", "Dragon", "Eye"}));
    for (Pax3d* turtle : {&stage.Pax(), &stage.Bee(), static_cast<Pax3d*>(&stage.Dragon())})
        EXPECT_EQ(turtle->Window(), &stage.View());
    ObjectWindow& view = stage.View();
    EXPECT_EQ(view.Name(), "view3d");
    EXPECT_TRUE(view.IsOpen() && view.Active());
    EXPECT_EQ(view.Surface(), &stage.DrawingSurface());
    EXPECT_EQ((std::pair{view.Width(), view.Height()}), (std::pair{480, 360}));
    EXPECT_EQ(stage.ZBuffer().Width(), 480);
    EXPECT_EQ(&stage.LineList(), &LineList3d());
    view.Reset();
    view.BeginObject(ObjectShape::General);
    stage.Pax().Restart();
    stage.Pax().PitchUp90();
    stage.Pax().DrawForward(100);
    view.EndObject();
    EXPECT_EQ(view.PartCount(), 1);
    view.EndPicture();
    EXPECT_NE(stage.DrawingSurface().Pixel(240, 150), clBlack32);
    // Moving the eye is seen by the next picture without further calls.
    stage.Eye().MoveRight(50);
    view.Reset();
    stage.Pax().Reset();
    EXPECT_LT(stage.Pax().Pen().ScreenX, 240);
}

TEST(Stage, TheDefaultSurfaceIsTwiceTheScreen) {
    testing::ScopedSettings settings;
    Stage stage;
    EXPECT_EQ(stage.Surfaces().Default.Width(), 2 * DisplayInfo().HorzRes);
    EXPECT_EQ(stage.Surfaces().Default.Height(), 2 * DisplayInfo().VertRes);
}

}  // namespace
}  // namespace pax
