#include "app/options/background_pictures.h"

#include <gtest/gtest.h>

#include <fstream>

#include "app/app_test_support.h"
#include "app/config/config_test_support.h"
#include "app/options/option_form.h"
#include "app/options/option_controls.h"
#include "app/picture_loop.h"
#include "render/files/picture_io.h"
#include "support/scripted_presenter.h"
#include "system/settings.h"

namespace pax {
namespace {

struct Backgrounds : ::testing::Test {
    Backgrounds() { studio.SetCallbacks(&callbacks); }
    ~Backgrounds() override { studio.SetCallbacks(nullptr); }

    std::string Picture(const std::string& name, int w, int h) {
        TBitmap32 p(w, h);
        p.Clear(0xFF204080);
        const std::string file = dir.File(name);
        EXPECT_TRUE(SavePicture(p, file));
        return file;
    }

    testing::ScopedAppSettings settings;
    testing::ScopedPresenter boxes;
    testing::TempDir dir;
    Studio studio{testing::Headless()};
    testing::RecordingCallbacks callbacks;
    BackgroundPictures& pictures = studio.Options().Background();
};

TEST_F(Backgrounds, LoadingTellsTheTypeAndAMissingFileChangesNothing) {
    EXPECT_TRUE(pictures.LoadBackgroundFile(Picture("wide.png", 1000, 400)));
    EXPECT_EQ(pictures.Type(), BackgroundType::Panorama);
    EXPECT_TRUE(Switches()[Switch::BackgroundPicture]);
    EXPECT_TRUE(pictures.LoadBackgroundFile(Picture("plain.png", 800, 400)));
    EXPECT_EQ(pictures.Type(), BackgroundType::Picture);
    EXPECT_EQ(pictures.Loaded().Width(), 800);
    // The tiles check box rebuilds what each picture copies from.
    ASSERT_TRUE(Switches()[Switch::TilesBackground]);
    EXPECT_EQ(studio.Pictures().Background().TileWidth, 800);
    studio.Options().Change(OptionId::Tiles, 0);
    // Untiled, twice as wide as high is a panorama scaled to the picture's height.
    EXPECT_EQ(studio.Pictures().Background().TileWidth, 2 * studio.Picture().Height());

    const std::string missing = dir.File("gone.jpg");
    EXPECT_FALSE(pictures.LoadBackgroundFile(missing));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "Unit PaxUtils:  LoadBackgroundFile");
    EXPECT_EQ(boxes.Last().text, "file '" + missing + "' do not exist\r\n");
    EXPECT_EQ(pictures.Loaded().Width(), 800);
    EXPECT_TRUE(Switches()[Switch::BackgroundPicture]);

    std::ofstream(dir.File("damaged.png")) << "not a picture";
    EXPECT_FALSE(pictures.LoadBackgroundFile(dir.File("damaged.png")));
    // A damaged file keeps the old background.
    EXPECT_TRUE(Switches()[Switch::BackgroundPicture]);
    EXPECT_EQ(pictures.Loaded().Width(), 800);
}

TEST_F(Backgrounds, ThePictureListIsWalkedAndTrimmed) {
    pictures.OpenChosen(Picture("a.png", 8, 8));
    pictures.OpenChosen(Picture("b.png", 8, 8));
    pictures.OpenChosen(Picture("c.png", 8, 8));
    const tConfigValues& v = ConfigValues();
    ASSERT_EQ(v.PictureList.size(), 3u);   // newest first: c, b, a
    EXPECT_EQ(v.UsedPicture, dir.File("c.png"));
    pictures.Previous();
    EXPECT_EQ(v.UsedPicture, dir.File("a.png"));
    pictures.Next();
    EXPECT_EQ(v.UsedPicture, dir.File("c.png"));
    pictures.RemoveSelected();
    EXPECT_EQ(v.PictureList.size(), 2u);
    EXPECT_EQ(v.UsedPicture, dir.File("b.png"));
}

TEST(RebuildBackground, PanoramasAreScaledToThePictureHeightOthersStretchedOrTiled) {
    TBitmap32 wide(1000, 400);
    tBackground b;
    RebuildBackground(wide, false, 480, 360, b);
    EXPECT_EQ(b.TileWidth, 900);
    EXPECT_EQ(b.TileHeight, 360);
    EXPECT_EQ(b.Picture.Width(), 1800);
    // Exactly twice as wide counts as a panorama here.
    RebuildBackground(TBitmap32(800, 400), false, 480, 360, b);
    EXPECT_EQ(b.TileWidth, 720);
    TBitmap32 plain(600, 400);
    RebuildBackground(plain, false, 480, 360, b);
    EXPECT_EQ(b.TileWidth, 480);
    EXPECT_EQ(b.Picture.Height(), 360);
    RebuildBackground(plain, true, 480, 360, b);
    EXPECT_EQ(b.TileWidth, 600);
    EXPECT_EQ(b.Picture.Width(), 480 + 1200);
    RebuildBackground(TBitmap32(), true, 480, 360, b);
    EXPECT_TRUE(b.Picture.Empty());
    EXPECT_EQ(WithPictureType("Images/Pax_0003.JPG", 0), "Images/Pax_0003.png");
    EXPECT_EQ(WithPictureType("Images/Pax_0003.JPG", 7), "Images/Pax_0003.JPG");
}

}  // namespace
}  // namespace pax
