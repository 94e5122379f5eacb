#include "render/picture_io.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "render/png_codec.h"
#include "render/surface_test_support.h"
#include "support/golden.h"
#include "support/scripted_presenter.h"

namespace pax {
namespace {

namespace fs = std::filesystem;
using testing::ScopedPresenter;

class PictureDir {
public:
    PictureDir() {
        std::string pattern = (fs::temp_directory_path() / "pax3d_pictures_XXXXXX").string();
        if (::mkdtemp(pattern.data())) m_path = pattern;
    }
    ~PictureDir() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    std::string operator/(const std::string& leaf) const { return (m_path / leaf).string(); }
    const fs::path& Path() const { return m_path; }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_path)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path m_path;
};

void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TBitmap32 TestPicture(bool transparent) { return testing::RandomPicture(19, 11, transparent ? 5 : 6, !transparent); }

TEST(PictureIO, FormatFollowsUpperCasedExtension) {
    for (const char* png : {"a.png", "Images/Pax_0001.PnG"}) EXPECT_EQ(PictureFormatOf(png), PictureFormat::Png);
    for (const char* jpeg : {"b.jpg", "b.JPEG"}) EXPECT_EQ(PictureFormatOf(jpeg), PictureFormat::Jpeg);
    for (const char* bmp : {"c.bmp", "c.ico", "pics.png/noext", "x.png.jpe"}) EXPECT_EQ(PictureFormatOf(bmp), PictureFormat::Bmp);
}

TEST(PictureIO, SaveAndLoadRoundTripByExtensionAndContentsWinOverAMisleadingOne) {
    PictureDir dir;
    ScopedPresenter boxes;
    for (bool transparent : {false, true}) {
        const TBitmap32 picture = TestPicture(transparent);
        for (const char* leaf : {"p.png", "p.PNG", "p.bmp", "p.ico"}) {
            SCOPED_TRACE(leaf);
            ASSERT_TRUE(SavePicture(picture, dir / leaf));
            TBitmap32 loaded;
            ASSERT_TRUE(LoadPicture(loaded, dir / leaf));
            EXPECT_TRUE(testing::SamePicture(picture, loaded));
        }
        // BMP: 32 bits only when some pixel is not opaque (24-bit rows of 19 pixels pad to 60 bytes).
        EXPECT_EQ(ReadBytes(dir / "p.bmp").size(), transparent ? 122u + 19 * 4 * 11 : 54u + 60 * 11);
        ASSERT_TRUE(SavePicture(picture, dir / "p.JPEG"));
        EXPECT_EQ(ReadBytes(dir / "p.JPEG")[0], 0xFF);
    }
    WriteBytes(dir / "really_a_png.jpg", EncodePng(TestPicture(true)).Bytes);
    TBitmap32 loaded;
    EXPECT_TRUE(LoadPicture(loaded, dir / "really_a_png.jpg"));
    EXPECT_TRUE(testing::SamePicture(TestPicture(true), loaded));
    // The explicit savers need a surface.
    EXPECT_FALSE(SaveBMP(nullptr, dir / "a.bmp"));
    EXPECT_FALSE(SaveJPEG(nullptr, dir / "a.jpg", 95, JpegScan::Sequential));
    EXPECT_TRUE(SaveBMP(&loaded, dir / "b.bmp"));
    EXPECT_TRUE(SaveJPEG(&loaded, dir / "b.jpg", 50, JpegScan::Progressive));
    EXPECT_TRUE(LoadPicture(loaded, dir / "b.jpg"));
    EXPECT_EQ(loaded.Width(), 19);
    EXPECT_EQ(boxes.Count(), 0u);
    // No temporary file is left behind.
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"b.bmp", "b.jpg", "p.JPEG", "p.PNG", "p.bmp", "p.ico", "p.png",
                                                     "really_a_png.jpg"}));
}

TEST(PictureIO, DamagedFileGivesOneErrorBoxAndAnEmptyPicture) {
    PictureDir dir;
    std::vector<uint8_t> png = EncodePng(TestPicture(false)).Bytes;
    std::vector<uint8_t> bmp(40, 0);
    bmp[0] = 'B', bmp[1] = 'M';
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> files{
        {"cut.png", std::vector<uint8_t>(png.begin(), png.begin() + png.size() / 2)},
        {"text.jpg", {'h', 'e', 'l', 'l', 'o'}},
        {"empty.bmp", {}},
        {"short.bmp", bmp},
    };
    for (const auto& [leaf, bytes] : files) {
        SCOPED_TRACE(leaf);
        WriteBytes(dir / leaf, bytes);
        ScopedPresenter boxes;
        TBitmap32 bitmap(5, 5);
        EXPECT_FALSE(LoadPicture(bitmap, dir / leaf));
        EXPECT_TRUE(bitmap.Empty());
        ASSERT_EQ(boxes.Count(), 1u);
        EXPECT_EQ(boxes.Last().caption, "PictureIO:  LoadPicture");
        EXPECT_NE(boxes.Last().text.find(dir / leaf), std::string::npos) << boxes.Last().text;
        EXPECT_EQ(boxes.Last().buttons, 258);
    }
}

TEST(PictureIO, FileErrorsAreReportedAndLeaveNothingBehind) {
    PictureDir dir;
    ScopedPresenter boxes;
    TBitmap32 bitmap(3, 3);
    EXPECT_FALSE(LoadPicture(bitmap, dir / "none.png"));
    EXPECT_TRUE(bitmap.Empty());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "File Error");
    EXPECT_EQ(boxes.Last().text, "error 2 at file \"" + (dir / "none.png") + "\"\nNo such file or directory");
    const TBitmap32 picture = TestPicture(false);
    EXPECT_FALSE(SavePicture(picture, dir / "missing/p.png"));
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Last().caption, "File Error");
    EXPECT_NE(boxes.Last().text.find("error 2 at file"), std::string::npos);
    // The temporary file is written, but cannot replace a directory of the same name.
    fs::create_directory(dir / "taken.bmp");
    EXPECT_FALSE(SavePicture(picture, dir / "taken.bmp"));
    ASSERT_EQ(boxes.Count(), 3u);
    EXPECT_NE(boxes.Last().text.find("error 21 at file"), std::string::npos) << boxes.Last().text;
    // An empty picture is refused before any file is made.
    EXPECT_FALSE(SavePicture(TBitmap32(), dir / "empty.png"));
    ASSERT_EQ(boxes.Count(), 4u);
    EXPECT_EQ(boxes.Last().caption, "PictureIO:  SavePicture");
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"taken.bmp"});
}

TEST(PictureIO, NextPictureNameSkipsEveryExistingNumber) {
    PictureDir dir;
    for (const char* leaf : {"Pax_0001.JPG", "Pax_0002.png", "pax_0003.bmp", "Pax_0005.tar.gz", "Pax_0006"})
        WriteBytes(dir / leaf, {});
    PictureNamer namer(dir.Path().string());
    EXPECT_EQ(namer.Next(".JPG"), dir / "Pax_0004.JPG");
    EXPECT_EQ(namer.Next(".BMP"), dir / "Pax_0006.BMP");   // "Pax_0006" has no extension
    EXPECT_EQ(namer.Counter(), 6);
    // The counter runs on from its last value, it does not look back.
    fs::remove(dir / "Pax_0001.JPG");
    EXPECT_EQ(namer.Next(".PNG"), dir / "Pax_0007.PNG");
    // 16 bits wrap.
    PictureNamer high(dir.Path().string(), 65534);
    EXPECT_EQ(high.Next(".JPG"), dir / "Pax_65535.JPG");
    EXPECT_EQ(high.Next(".JPG"), dir / "Pax_0000.JPG");
    EXPECT_EQ(PictureNamer("no/such/dir").Next(".JPG"), "no/such/dir/Pax_0001.JPG");
}

TEST(GoldenPicture, MatchesWithinToleranceAndCountsDifferences) {
    TBitmap32 picture(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            picture.SetPixel(x, y, Color32(uint8_t(x * 4), uint8_t(y * 4), uint8_t((x ^ y) * 4), uint8_t(255 - y)));
    EXPECT_TRUE(testing::MatchesGolden(picture, "render/picture_io_pattern"));
    if (testing::RegeneratingGolden()) return;
    picture.SetPixel(3, 4, picture.Pixel(3, 4) + 2);   // blue off by 2
    picture.SetPixel(9, 9, picture.Pixel(9, 9) ^ 0x00800000);
    EXPECT_TRUE(testing::MatchesGolden(picture, "render/picture_io_pattern", 2, 1));
    ::testing::AssertionResult tooStrict = testing::MatchesGolden(picture, "render/picture_io_pattern", 1, 1);
    EXPECT_FALSE(tooStrict);
    EXPECT_NE(std::string(tooStrict.message()).find("2 pixels differ"), std::string::npos);
    EXPECT_TRUE(fs::remove("render_picture_io_pattern.actual.png"));
    EXPECT_FALSE(testing::MatchesGolden(TBitmap32(8, 8), "render/picture_io_pattern", 255, 64 * 64));
    fs::remove("render_picture_io_pattern.actual.png");
}

}  // namespace
}  // namespace pax
