#include "cli/contact_sheet.h"

#include <gtest/gtest.h>

#include "cli/all_figures.h"

namespace pax {
namespace {

TEST(ContactSheet, ThumbnailsKeepTheAspectAndLinesOnePixelThick) {
    TBitmap32 picture(480, 360);
    picture.Clear(clBlack32);
    for (int x = 0; x < 480; ++x) picture.SetPixel(x, 181, 0xFFFFFFFF);
    const TBitmap32 thumb = Thumbnail(picture, ContactSheet::ThumbWidth, ContactSheet::ThumbHeight);
    ASSERT_EQ(thumb.Width(), 160);
    ASSERT_EQ(thumb.Height(), 120);
    // Row 60 covers source rows 180..182: a third lit on average, all of it at the peak.
    for (int x = 0; x < 160; ++x) {
        EXPECT_EQ(thumb.Pixel(x, 60), 0xFFAAAAAAu) << x;
        EXPECT_EQ(thumb.Pixel(x, 59), 0xFF000000u) << x;
    }

    const TBitmap32 wide = Thumbnail(TBitmap32(400, 100), 160, 120);
    EXPECT_EQ(wide.Width(), 160);
    EXPECT_EQ(wide.Height(), 40);
    const TBitmap32 tall = Thumbnail(TBitmap32(100, 400), 160, 120);
    EXPECT_EQ(tall.Width(), 30);
    EXPECT_EQ(tall.Height(), 120);
}

TEST(ContactSheet, FigureFilesAreNamedByIndexWithUnsafeCharactersReplaced) {
    EXPECT_EQ(FigureFileName(0, 0, "KochSnowflake-2"), "0_0_KochSnowflake-2.png");
    EXPECT_EQ(FigureFileName(4, 0, "Plant-25d 3d"), "4_0_Plant-25d_3d.png");
    EXPECT_EQ(FigureFileName(1, 2, "a/b\\c:d"), "1_2_a_b_c_d.png");
    EXPECT_EQ(FigureFileName(7, 3, "Gr\xC3\xBCn"), "7_3_Gr__n.png");
}

TEST(ContactSheet, RowsHoldTwelveThumbnailsAndEachCategoryStartsANewRow) {
    ContactSheet sheet("title");
    TBitmap32 picture(48, 36);
    picture.Clear(0xFF00FF00);
    for (int i = 0; i < 13; ++i) sheet.Add("first", std::string("f").append(std::to_string(i)), picture);
    sheet.Add("second", "s", picture);
    const TBitmap32 one = [&] {
        ContactSheet single("title");
        single.Add("first", "f", picture);
        return single.Compose();
    }();
    const TBitmap32 composed = sheet.Compose();
    EXPECT_EQ(composed.Width(), one.Width());
    // Two rows for the first category and a header and a row for the second.
    const int row = ContactSheet::ThumbHeight + ContactSheet::Gap;
    EXPECT_GT(composed.Height(), one.Height() + 2 * row);
    // The thirteenth thumbnail opens the second row below the first.
    int greenRows = 0;
    for (int y = 0; y < composed.Height(); ++y) greenRows += composed.Pixel(12 + 80, y) == 0xFF00FF00;
    EXPECT_EQ(greenRows, 3 * ContactSheet::ThumbHeight);
}

}  // namespace
}  // namespace pax
