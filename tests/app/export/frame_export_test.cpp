#include "app/export/frame_export.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "app/app_test_support.h"
#include "app/demo_player.h"
#include "app/picture_loop.h"
#include "lsystem/interpreter.h"
#include "render/files/picture_io.h"

namespace pax {
namespace {

namespace fs = std::filesystem;

// Pixels whose colour differs (alpha aside: a picture file may store it or not); all of them
// when the sizes differ.
int DifferentPixels(const TBitmap32& a, const TBitmap32& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return a.Width() * a.Height() + 1;
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) n += ((a.Pixel(x, y) ^ b.Pixel(x, y)) & 0xFFFFFF) != 0;
    return n;
}

TEST(GrowthSteps, RunFromDepthZeroToTheFiguresDepthInEvenSteps) {
    struct Case {
        int index, count, depth, level;
        Extended fraction;
    };
    for (const Case& c : {Case{0, 9, 4, 0, 1}, Case{1, 9, 4, 1, 0.5L}, Case{2, 9, 4, 1, 1}, Case{3, 9, 4, 2, 0.5L},
                          Case{8, 9, 4, 4, 1}, Case{1, 3, 5, 3, 0.5L}, Case{0, 1, 5, 5, 1}, Case{3, 7, 0, 0, 1}}) {
        const GrowthStep step = GrowthStepOf(c.index, c.count, c.depth);
        EXPECT_EQ(step.depth, c.level) << c.index << " of " << c.count;
        EXPECT_EQ(step.fraction, c.fraction) << c.index << " of " << c.count;
    }
}

struct FrameExportTest : ::testing::Test {
    testing::ScopedAppSettings settings;
    Studio studio{testing::Headless()};
    fs::path directory = fs::temp_directory_path() / ("pax3d_frames_" + std::to_string(::getpid()));
    ~FrameExportTest() override { fs::remove_all(directory); }

    TBitmap32 Load(int index) {
        TBitmap32 picture;
        EXPECT_TRUE(LoadPicture(picture, (directory / FrameFileName(index)).string()));
        return picture;
    }
    // The figure at depth as the picture loop draws it.
    TBitmap32 DrawnAtDepth(int depth) {
        tLSDef def = *studio.Interpreter().FindLSDef("Plant-25d");
        def.deep = depth;
        studio.Interpreter().SetLSDef(def);
        studio.Pictures().ShowActualPicture();
        return studio.Picture();
    }
};

TEST_F(FrameExportTest, WritesCountNumberedPicturesOfTheRunningAnimation) {
    studio.Player().ShowDemo(4, 0);   // a 3-D plant that rotates
    FramesRequest request{directory.string(), 3, 10, FrameKind::Animation};
    const FramesResult result = ExportFrames(studio, request);
    ASSERT_TRUE(result.ok) << result.error;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"frame_0000.png", "frame_0001.png", "frame_0002.png"}));
    EXPECT_GT(DifferentPixels(Load(0), Load(2)), 100);   // it moved
    EXPECT_FALSE(Switches()[Switch::Paused]);
}

TEST_F(FrameExportTest, GrowthStartsAtDepthZeroAndEndsAsTheFigureAtItsDepth) {
    studio.Player().ShowDemo(1, 4);   // Plant-25d, a bush that grows from buds
    const int depth = 3;
    DrawnAtDepth(depth);
    FramesRequest request{directory.string(), 2 * depth + 1, 25, FrameKind::Growth};
    ASSERT_TRUE(ExportFrames(studio, request).ok);
    const TBitmap32 first = Load(0), half = Load(1), last = Load(2 * depth);
    EXPECT_EQ(DifferentPixels(first, DrawnAtDepth(0)), 0);
    EXPECT_EQ(DifferentPixels(Load(2), DrawnAtDepth(1)), 0);
    EXPECT_EQ(DifferentPixels(last, DrawnAtDepth(depth)), 0);
    // Half grown: more than depth 0 and less than depth 1.
    const int lit0 = testing::CountPixelsNot(first, first.Pixel(0, 0));
    const int lit1 = testing::CountPixelsNot(Load(2), first.Pixel(0, 0));
    const int litHalf = testing::CountPixelsNot(half, first.Pixel(0, 0));
    EXPECT_GT(litHalf, lit0);
    EXPECT_LT(litHalf, lit1);
}

}  // namespace
}  // namespace pax
