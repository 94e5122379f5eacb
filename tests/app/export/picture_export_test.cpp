#include "app/export/picture_export.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "app/app_test_support.h"
#include "app/export/export_commands.h"
#include "app/main_state.h"
#include "app/demo_catalogue.h"
#include "app/demo_player.h"
#include "app/picture_loop.h"
#include "figures/figure_scope.h"
#include "figures/solids.h"
#include "lsystem/interpreter.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "scene/pax3d.h"
#include "support/xml_elements.h"

namespace pax {
namespace {

struct PictureExportTest : ::testing::Test {
    testing::ScopedAppSettings settings;
    Studio studio{testing::Headless()};

    void ShowOwnFigure(DemoProc draw) {
        studio.Catalogue().RegisterAnimation("Own");
        studio.Catalogue().RegisterFigure("own", std::move(draw));
        studio.Player().ShowDemo(studio.Catalogue().DemoCount() - 1, 0);
    }
    int Lines(const std::string& text, const std::string& prefix) {
        std::istringstream in(text);
        int n = 0;
        for (std::string line; std::getline(in, line);) n += line.starts_with(prefix);
        return n;
    }
};

// The snowflake is one closed run of segments: a few polylines hold them all, every part of
// the picture is in the document, and the part limit of the screen does not cut it.
TEST_F(PictureExportTest, AKochCurveBecomesFewPolylinesWithEveryPart) {
    studio.Player().ShowDemo(0, 0);   // KochSnowflake-2
    tLSDef deeper = *studio.Interpreter().FindLSDef("KochSnowflake-2");
    deeper.deep = 7;   // 49,152 segments, beyond the 32,000 parts of a screen picture
    ASSERT_TRUE(studio.Interpreter().SetLSDef(deeper));
    SvgCounts counts;
    const auto elements = testing::ReadXmlElements(RecordSvg(studio, {}, &counts));
    EXPECT_EQ(counts.segments, studio.GetStage().View().PartCount());
    EXPECT_EQ(counts.segments, int64_t(studio.Interpreter().Statistics().segments));
    EXPECT_EQ(counts.segments, 3 * 16384);
    EXPECT_LE(counts.polylines + counts.lines, 3);
    EXPECT_EQ(testing::CountElements(elements, "polyline") + testing::CountElements(elements, "line"),
              counts.polylines + counts.lines);
    EXPECT_EQ(studio.GetStage().View().PartLimit(), PartList::MaxParts);   // put back
}

// Solids, circles and sprites: one element per part, in the part list's order.
TEST_F(PictureExportTest, EveryPartOfAPictureWithSolidsBecomesOneElement) {
    ShowOwnFigure([this] {
        Pax3d& pax = studio.GetStage().Pax();
        pax.SetColor(0xFFC08040);
        SolidCube(studio.GetStage(), 80);
        pax.JumpRight(120);
        Cylinder(studio.GetStage(), 8, 20, 60);
        pax.JumpRight(-240);
        WindowObject marks(studio.GetStage().View(), "marks", ObjectShape::General);
        studio.GetStage().View().DrawCircle(pax.Pen(), 30);
        pax.JumpRight(-60);
        pax.DrawSprite(3);
    });
    SvgCounts c;
    testing::ReadXmlElements(RecordSvg(studio, {}, &c));
    EXPECT_GT(c.polygons, 0);
    EXPECT_EQ(c.ellipses, 1);
    EXPECT_EQ(c.images, 1);
    EXPECT_EQ(c.polygons + c.ellipses + c.images + c.segments, studio.GetStage().View().PartCount());
}

// A cube: 8 corners shared by 6 faces with 6 normals; a tube of 8 sides: 16 corners, 8 faces.
TEST_F(PictureExportTest, TheModelOfACubeAndATubeSharesTheirCorners) {
    for (const bool cube : {true, false}) {
        ShowOwnFigure([this, cube] {
            studio.GetStage().Pax().SetColor(0xFF3366CC);
            if (cube)
                SolidCube(studio.GetStage(), 80);
            else
                Tube(studio.GetStage(), 8, 20, 10, 60);
        });
        const ObjTexts obj = RecordObj(studio, {}, "x.mtl");
        EXPECT_EQ(Lines(obj.model, "v "), cube ? 8 : 16);
        EXPECT_EQ(Lines(obj.model, "f "), cube ? 6 : 8);
        EXPECT_EQ(Lines(obj.model, "vn "), cube ? 6 : 8);
        EXPECT_EQ(Lines(obj.model, "l "), 0);
        EXPECT_EQ(Lines(obj.materials, "newmtl "), 1);
        EXPECT_NE(obj.materials.find("Kd 0.2 0.4 0.8\n"), std::string::npos);
    }
}

TEST_F(PictureExportTest, TheDesktopCommandsShowAFailureInABox) {
    studio.Player().ShowDemo(0, 0);
    testing::ScopedPresenter presenter;
    EXPECT_FALSE(ExportObjCommand(studio, "/nonexistent-folder/x.obj"));
    EXPECT_EQ(presenter.Last().caption, ExportCaption);
    EXPECT_EQ(presenter.Last().text.rfind("cannot write /nonexistent-folder/x.mtl: ", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists("/nonexistent-folder/x.obj"));
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("pax3d_export_" + std::to_string(::getpid()) + ".svg");
    EXPECT_TRUE(ExportSvgCommand(studio, file.string()));
    EXPECT_EQ(studio.State().FlashText, "SVG written: " + file.string());
    EXPECT_TRUE(std::filesystem::remove(file));
}

}  // namespace
}  // namespace pax
