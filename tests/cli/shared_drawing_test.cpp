// The parts of a picture drawn by two or four threads give the picture of one thread, to the
// last bit, for figures of every kind of part: lines, tubes and leaves, lit polygons, lit circles, tinted sprites,
// sprites and text among polygons, and the z-buffer.

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/studio.h"
#include "cli/picture_session.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"

namespace pax {
namespace {

struct Drawn {
    TBitmap32 picture;
    int32_t sharedParts = 0;
    int32_t parts = 0;
};

Drawn Draw(const std::string& figureName, int threads, std::optional<int> lightModel, bool zbuffer) {
    PictureOptions options;
    options.threads = threads;
    options.lightModel = lightModel;
    options.zbuffer = zbuffer;
    options.timeLimit = 0;
    std::ostringstream err;
    PictureSession session(options, err);
    FigureSelection selection;
    selection.name = figureName;
    const DrawnPicture picture = session.Draw(session.Resolve(selection));
    EXPECT_FALSE(picture.stopped || picture.failed) << figureName << ": " << picture.failure;
    Drawn drawn;
    drawn.picture.Assign(session.Picture());
    drawn.sharedParts = session.GetStudio().GetStage().View().SharedParts();
    drawn.parts = session.GetStudio().GetStage().View().PartCount();
    return drawn;
}

TEST(SharedDrawing, ThreadsDrawThePictureOfOneThread) {
    struct Case {
        const char* figure;
        std::optional<int> lightModel;
        bool zbuffer;
        bool everyPartShared = false;   // lines, polygons and lit circles only
    };
    const std::vector<Case> cases = {
        {"Plant-26", std::nullopt, false},          {"Boll3", std::nullopt, false},
        {"SierpinskiCarpet1", std::nullopt, false}, {"TrumpetFlower127", 2, false},
        {"shape test", std::nullopt, false},        {"Hilbert3dCurve-20", std::nullopt, true},
        {"BlueBerryBush1", std::nullopt, false, true}, {"Phyllotaxis-100", std::nullopt, false, true},
    };
    int32_t shared = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.figure);
        const Drawn alone = Draw(c.figure, 1, c.lightModel, c.zbuffer);
        EXPECT_EQ(alone.sharedParts, 0);
        for (int threads : {2, 4}) {
            const Drawn together = Draw(c.figure, threads, c.lightModel, c.zbuffer);
            ASSERT_EQ(together.picture.Width(), alone.picture.Width());
            ASSERT_EQ(together.picture.Height(), alone.picture.Height());
            int differing = 0;
            for (int y = 0; y < alone.picture.Height(); ++y)
                for (int x = 0; x < alone.picture.Width(); ++x)
                    differing += alone.picture.Pixel(x, y) != together.picture.Pixel(x, y);
            EXPECT_EQ(differing, 0) << threads << " threads";
            if (c.everyPartShared) {
                EXPECT_EQ(together.sharedParts, together.parts) << threads << " threads";
            }
            shared += together.sharedParts;
        }
    }
    // The heavy figures are drawn in shares, or the comparison would prove nothing.
    EXPECT_GT(shared, 10000);
}

TEST(SharedDrawing, PicturesStayTheSameAsTheBandsMove) {
    // The bands follow the threads' timed speeds from picture to picture, so each picture of a
    // session may be cut elsewhere; each must still be the picture of one thread.
    const Drawn alone = Draw("BlueBerryBush1", 1, std::nullopt, false);
    PictureOptions options;
    options.threads = 2;
    options.timeLimit = 0;
    std::ostringstream err;
    PictureSession session(options, err);
    FigureSelection selection;
    selection.name = "BlueBerryBush1";
    const FigureToDraw figure = session.Resolve(selection);
    for (int picture = 0; picture < 8; ++picture) {
        session.Draw(figure);
        const TBitmap32& drawn = session.Picture();
        int differing = 0;
        for (int y = 0; y < drawn.Height(); ++y)
            for (int x = 0; x < drawn.Width(); ++x) differing += alone.picture.Pixel(x, y) != drawn.Pixel(x, y);
        EXPECT_EQ(differing, 0) << "picture " << picture;
        EXPECT_GT(session.GetStudio().GetStage().View().SharedParts(), 0);
    }
}

}  // namespace
}  // namespace pax
