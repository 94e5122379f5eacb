// Reference pictures: library figures that together reach every stage of the engine, drawn
// at the command line's default 480 x 360 and compared pixel for pixel with the PNGs in
// tests/golden/reference. Any change to what the engine draws shows here first; when a change
// is meant, PAX3D_REGENERATE_GOLDEN=1 rewrites the files, and each one is looked at before it
// is committed.

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/options/background_pictures.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "cli/picture_session.h"
#include "render/files/picture_io.h"
#include "support/golden.h"
#include "system/settings.h"

namespace pax {
namespace {

struct Reference {
    std::string golden;     // tests/golden/reference/<golden>.png
    std::string figure;     // a library figure's name
    std::optional<int> projection = std::nullopt;
    std::optional<int> lightModel = std::nullopt;
    bool zbuffer = false;
    // Over the sample night sky stretched to the picture, filtered by the default convolution.
    bool filteredBackground = false;
};

void PrintTo(const Reference& reference, std::ostream* out) { *out << reference.golden; }

const std::vector<Reference>& References() {
    // Without options a figure is drawn in perspective with the diffuse light model 3.
    static const std::vector<Reference> references = {
        {.golden = "koch_snowflake", .figure = "KochSnowflake-2"},
        {.golden = "sphinx_tiles", .figure = "SphinxTiles1"},
        {.golden = "plant_tubes_leaves", .figure = "TrumpetFlower127"},
        {.golden = "light_constant", .figure = "TrumpetFlower127", .lightModel = 0},
        {.golden = "light_diffuse", .figure = "TrumpetFlower127", .lightModel = 2},
        {.golden = "light_white", .figure = "TrumpetFlower127", .lightModel = 4},
        {.golden = "light_normal_colours", .figure = "TrumpetFlower127", .lightModel = 5},
        {.golden = "light_hue", .figure = "TrumpetFlower127", .lightModel = 6},
        {.golden = "zbuffer_depth", .figure = "Hilbert3dCurve-20", .zbuffer = true},
        {.golden = "projection_parallel", .figure = "TrumpetFlower127", .projection = 0},
        {.golden = "projection_dimetric", .figure = "TrumpetFlower127", .projection = 1},
        {.golden = "projection_stereo", .figure = "Hilbert3dCurve-20", .projection = 3},
        {.golden = "projection_panorama", .figure = "Hilbert3dCurve-20", .projection = 4},
        {.golden = "projection_spherical", .figure = "Hilbert3dCurve-20", .projection = 5},
        {.golden = "sprites", .figure = "shape test"},
        {.golden = "background_filter", .figure = "KochSnowflake-2", .filteredBackground = true},
    };
    return references;
}

// One case per picture, so that CTest runs them side by side and names the one that differs.
class ReferencePicture : public ::testing::TestWithParam<Reference> {};

TEST_P(ReferencePicture, MatchesItsPng) {
    const Reference& reference = GetParam();
    PictureOptions options;
    options.projection = reference.projection;
    options.lightModel = reference.lightModel;
    options.zbuffer = reference.zbuffer;
    options.timeLimit = 0;   // a slow sanitizer build must not cut a picture short
    std::ostringstream err;
    PictureSession session(options, err);
    FigureSelection selection;
    selection.name = reference.figure;
    const FigureToDraw figure = session.Resolve(selection);
    if (reference.filteredBackground) {
        TBitmap32 sky;
        ASSERT_TRUE(LoadPicture(sky, PAX3D_SOURCE_DIR "/data/pics/night_sky.png"));
        const TBitmap32& surface = session.Picture();
        RebuildBackground(sky, false, surface.Width(), surface.Height(), session.GetStudio().Pictures().Background());
        Switches()[Switch::BackgroundPicture] = true;
        Switches()[Switch::FilterBackground] = true;
    }
    const DrawnPicture picture = session.Draw(figure);
    EXPECT_FALSE(picture.stopped);
    EXPECT_FALSE(picture.failed) << picture.failure;
    EXPECT_EQ(picture.errors, 0) << err.str();
    EXPECT_TRUE(testing::MatchesGolden(session.Picture(), "reference/" + reference.golden));
}

INSTANTIATE_TEST_SUITE_P(Library, ReferencePicture, ::testing::ValuesIn(References()),
                         [](const ::testing::TestParamInfo<Reference>& info) { return info.param.golden; });

}  // namespace
}  // namespace pax
