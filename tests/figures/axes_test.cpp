#include "figures/axes.h"

#include <gtest/gtest.h>

#include <set>

#include "figures/figure_test_support.h"

namespace pax {
namespace {

struct AxesTest : ::testing::Test {
    testing::FigureScene scene;
    testing::ColourRecordingWindow window;
    AxesTest() {
        scene.pax().SetWindow(&window);
        scene.stage().Bee().SetWindow(&window);
    }
};

TEST_F(AxesTest, LinesStyleDrawsEveryHalfAxisInItsColourAndOtherStylesNothing) {
    for (int style : {AxisStyle::None, 6, -1}) DrawAxis(scene.stage(), 200, style);
    EXPECT_EQ(window.projections, 0);
    const auto before = testing::TurtleState(scene.pax());
    DrawAxis(scene.stage(), 200, AxisStyle::Lines);
    const std::pair<tVector3d, TColor32> ends[] = {
        {{-200, 0, 0}, NegativeAxisColor}, {{0, 0, -200}, NegativeAxisColor}, {{0, -200, 0}, NegativeAxisColor},
        {{200, 0, 0}, AxisColorX},         {{0, 200, 0}, AxisColorY},         {{0, 0, 200}, AxisColorZ}};
    ASSERT_EQ(window.lines.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_NEAR(Extent(window.lines[i].from), 0, 1e-12L) << i;
        EXPECT_NEAR(Distance(window.lines[i].to, ends[i].first), 0, 1e-12L) << i;
        EXPECT_EQ(window.lines[i].color & 0xFFFFFF, ends[i].second & 0xFFFFFF) << i;   // alpha: the pen's
    }
    EXPECT_EQ(testing::TurtleState(scene.pax()), before);
}

TEST_F(AxesTest, LetteredStylesNameThePositiveAxesInTheirColoursAndDashesLeaveGaps) {
    const std::vector<std::string> letters{"X", "Y", "Z"};
    const std::vector<TColor32> colours{AxisColorX, AxisColorY, AxisColorZ};
    for (int style : {AxisStyle::Dashed, AxisStyle::Arrows, AxisStyle::Solids, AxisStyle::SolidsLetters}) {
        window.texts.clear();
        window.textColors.clear();
        DrawAxis(scene.stage(), 200, style);
        const bool lettered = style != AxisStyle::Solids;
        EXPECT_EQ(window.texts, lettered ? letters : std::vector<std::string>{}) << style;
        EXPECT_EQ(window.textColors, lettered ? colours : std::vector<TColor32>{}) << style;
        if (style == AxisStyle::Dashed) {
            // Negatives in twenty pieces of 10, drawn and skipped in turn; positives in twenty.
            ASSERT_EQ(window.lines.size(), 3u * 10 + 3 * 20);
            EXPECT_NEAR(Distance(window.lines[2].from, {-40, 0, 0}), 0, 1e-12L);
            EXPECT_NEAR(Distance(window.lines[2].to, {-50, 0, 0}), 0, 1e-12L);
        }
    }
    // The solid axes: grey negatives, coloured rods and cones, all in window objects.
    EXPECT_EQ(std::set<TColor32>(window.fills.begin(), window.fills.end()),
              (std::set<TColor32>{NegativeAxisColor, AxisColorX, AxisColorY, AxisColorZ}));
    EXPECT_EQ(scene.view().NestingDepth(), 0);
}

TEST(Axes, TheWindowColourIsKeptAndTheLettersAreParts) {
    testing::FigureScene scene;
    scene.view().SetColor(0xFF123456);
    DrawAxis(scene.stage(), 200, AxisStyle::Dashed);   // lines outside objects are drawn at once
    EXPECT_EQ(scene.view().PartCount(), 3);
    EXPECT_EQ(scene.view().Color(), 0xFF123456u);
}

}  // namespace
}  // namespace pax
