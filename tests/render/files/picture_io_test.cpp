#include "render/files/picture_io.h"

#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>
#include <stdlib.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "render/files/bmp_codec.h"
#include "render/files/picture_utils.h"
#include "render/files/png_codec.h"
#include "render/surface_test_support.h"
#include "support/golden.h"
#include "support/scripted_presenter.h"

namespace pax {
namespace {

namespace fs = std::filesystem;
using testing::Pixels;
using testing::RandomPicture;
using testing::ScopedPresenter;
using Bytes = std::vector<uint8_t>;
using Px = std::vector<TColor32>;
using Decoder = DecodeResult (*)(std::span<const uint8_t>, const DecodeLimits&);

// The pixels of a file that must decode to a picture of the given width.
Px Decoded(Decoder decode, const Bytes& file, int width) {
    const DecodeResult r = decode(file, {});
    EXPECT_TRUE(r.Ok()) << r.Error;
    EXPECT_EQ(r.Picture.Width(), width);
    return Pixels(r.Picture);
}

// Each file refused with an error that contains its text, and no picture.
template <size_t N>
void ExpectRefused(Decoder decode, const std::pair<const char*, Bytes> (&cases)[N]) {
    for (const auto& [expected, file] : cases) {
        const DecodeResult r = decode(file, {});
        EXPECT_TRUE(!r.Ok() && r.Picture.Empty()) << expected;
        EXPECT_NE(r.Error.find(expected), std::string::npos) << r.Error;
    }
}

// A copy of a file with one change.
template <class Change>
Bytes With(Bytes file, Change change) {
    change(file);
    return file;
}

// --- PNG -------------------------------------------------------------------------------------

// A PNG written by libpng itself from rows in the stored layout, so that the decoder is
// checked against files it did not make.
struct PngLayout {
    uint32_t width = 1, height = 1;
    int bitDepth = 8;
    int colorType = PNG_COLOR_TYPE_RGB;
    std::vector<Bytes> rows;
    std::vector<png_color> palette = {};
    Bytes paletteAlpha = {};                        // tRNS of a palette
    std::optional<png_color_16> transparent = {};   // tRNS colour of grey or RGB: index, red, green, blue, grey
    bool interlaced = false;
};

void Append(png_structp png, png_bytep data, size_t n) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

Bytes MakePng(const PngLayout& s) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> rows;
    for (const Bytes& r : s.rows) rows.push_back(const_cast<png_bytep>(r.data()));
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "libpng could not write the test picture";
        return {};
    }
    png_set_write_fn(png, &out, Append, nullptr);
    png_set_IHDR(png, info, s.width, s.height, s.bitDepth, s.colorType,
                 s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!s.palette.empty()) png_set_PLTE(png, info, s.palette.data(), int(s.palette.size()));
    if (!s.paletteAlpha.empty())
        png_set_tRNS(png, info, s.paletteAlpha.data(), int(s.paletteAlpha.size()), nullptr);
    if (s.transparent) png_set_tRNS(png, info, nullptr, 0, &*s.transparent);
    png_write_info(png, info);
    if (s.interlaced) png_set_interlace_handling(png);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// A transparent colour gives alpha 0 to its pixels only (compared at full depth before the
// scaling to 8 bits); alpha channels and palette alpha are copied; low grey depths scale to
// the full range.
TEST(PngCodec, DecodesEveryColourTypeWithItsTransparency) {
    const std::pair<PngLayout, Px> cases[] = {
        {{3, 1, 8, PNG_COLOR_TYPE_RGB, {{10, 20, 30, 10, 20, 31, 200, 0, 0}}, {}, {}, png_color_16{0, 10, 20, 30, 0}},
         {0x000A141E, 0xFF0A141F, 0xFFC80000}},
        {{2, 1, 16, PNG_COLOR_TYPE_GRAY, {{0x12, 0x34, 0x12, 0x35}}, {}, {}, png_color_16{0, 0, 0, 0, 0x1234}},
         {0x00121212, 0xFF121212}},
        {{2, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA, {{100, 0, 200, 128}}}, {0x00646464, 0x80C8C8C8}},
        {{1, 1, 16, PNG_COLOR_TYPE_RGB_ALPHA, {{0xAB, 0xAB, 0x12, 0x12, 0xFF, 0xFF, 0x7F, 0x7F}}}, {0x7FAB12FF}},
        // The third palette entry has no alpha and is opaque.
        {{3, 1, 2, PNG_COLOR_TYPE_PALETTE, {{0b00011000}}, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {0, 77}},
         {0x00FF0000, 0x4D00FF00, 0xFF0000FF}},
        {{3, 1, 1, PNG_COLOR_TYPE_GRAY, {{0b10100000}}}, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
        {{2, 1, 2, PNG_COLOR_TYPE_GRAY, {{0b01100000}}}, {0xFF555555, 0xFFAAAAAA}},
    };
    for (const auto& [layout, expected] : cases)
        EXPECT_EQ(Decoded(DecodePng, MakePng(layout), int(layout.width)), expected) << layout.colorType;
}

TEST(PngCodec, InterlacedPictureEqualsItsRowsAndPicturesRoundTripExactly) {
    const TBitmap32 opaque = RandomPicture(11, 9, 7, true);
    PngLayout s{11, 9, 8, PNG_COLOR_TYPE_RGB, {}, {}, {}, {}, true};
    for (int y = 0; y < 9; ++y) {
        Bytes& row = s.rows.emplace_back();
        for (int x = 0; x < 11; ++x) {
            const TColor32 c = opaque.Pixel(x, y);
            row.insert(row.end(), {RedOf(c), GreenOf(c), BlueOf(c)});
        }
    }
    EXPECT_EQ(Decoded(DecodePng, MakePng(s), 11), Pixels(opaque));
    for (const TBitmap32& picture : {opaque, RandomPicture(13, 6, 8)}) {
        const EncodeResult png = EncodePng(picture);
        EXPECT_EQ(Decoded(DecodePng, png.Bytes, picture.Width()), Pixels(picture)) << png.Error;
    }
    EXPECT_FALSE(EncodePng(TBitmap32()).Ok());
}

// A copy of file with the IHDR's width and height replaced and its CRC made right again.
Bytes WithSize(Bytes file, uint32_t w, uint32_t h) {
    for (int i = 0; i < 4; ++i) {
        file[16 + i] = uint8_t(w >> (24 - 8 * i));
        file[20 + i] = uint8_t(h >> (24 - 8 * i));
    }
    const uint32_t crc = uint32_t(crc32(0, file.data() + 12, 17));
    for (int i = 0; i < 4; ++i) file[29 + i] = uint8_t(crc >> (24 - 8 * i));
    return file;
}

TEST(PngCodec, RefusesDamagedAndHostileFiles) {
    const Bytes good = MakePng({4, 4, 8, PNG_COLOR_TYPE_GRAY, std::vector<Bytes>(4, Bytes(4, 9))});
    ExpectRefused(DecodePng, {
        {"wrong signature", Bytes(good.begin() + 1, good.end())},
        {"at most 16384 x 16384", WithSize(good, 16385, 1)},
        {"at most 16384 x 16384", WithSize(good, 1, 0x7FFFFFFF)},
        // The declared 1 GiB cannot come out of a few bytes of compressed data.
        {"cannot fill a picture of 16384 x 16384", WithSize(good, 16384, 16384)},
        {"", With(good, [&](Bytes& b) { b[good.size() - 20] ^= 0x55; })},   // a bad CRC of the IDAT chunk
    });
    // Every cut of the file before the end of its image data fails cleanly.
    for (size_t n = 0; n + 12 < good.size(); ++n) {
        const DecodeResult r = DecodePng(std::span(good.data(), n));
        EXPECT_TRUE(!r.Ok() && r.Picture.Empty()) << n;
    }
}

// --- BMP -------------------------------------------------------------------------------------

void Put32(Bytes& b, uint32_t v, int size = 4) {
    for (int i = 0; i < size; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

void Put32At(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

struct BmpLayout {
    int32_t width = 0, height = 0;   // negative height: top-down
    uint16_t bits = 24;
    uint32_t compression = 0;
    std::vector<uint32_t> palette;   // 0x00RRGGBB
    std::vector<uint32_t> masks;     // written after the 40-byte header
    Bytes pixels;                    // rows as stored, padding included
};

// A file with a 40-byte header, built byte by byte as the format describes it.
Bytes MakeBmp(const BmpLayout& s) {
    const uint32_t offset = 14 + 40 + 4 * uint32_t(s.masks.size() + s.palette.size());
    Bytes b{'B', 'M'};
    for (uint32_t v : {offset + uint32_t(s.pixels.size()), 0u, offset, 40u, uint32_t(s.width), uint32_t(s.height)})
        Put32(b, v);
    Put32(b, 1, 2);
    Put32(b, s.bits, 2);
    for (uint32_t v : {s.compression, uint32_t(s.pixels.size()), 2835u, 2835u, uint32_t(s.palette.size()), 0u})
        Put32(b, v);
    for (uint32_t m : s.masks) Put32(b, m);
    for (uint32_t c : s.palette) Put32(b, c);
    b.insert(b.end(), s.pixels.begin(), s.pixels.end());
    return b;
}

const std::vector<uint32_t> Palette4{0x102030, 0xA0B0C0, 0xFF0000, 0x00FF00};

TColor32 Pal(int i) { return 0xFF000000 | Palette4[i]; }

TEST(BmpCodec, ReadsIndexedAndDirectColourDepthsBottomUpAndTopDown) {
    // Top row indices 1 0 1 / bottom row 0 1 1 for 1 bit; 1 2 3 / 3 2 0 for 4 and 8 bits;
    // 24 bits: 2 pixels = 6 bytes, padded to 8.
    struct Case {
        uint16_t bits;
        int width;
        Bytes top, bottom;
        Px expected;
    };
    const Case cases[] = {
        {1, 3, {0xA0, 0, 0, 0}, {0x60, 0, 0, 0}, {Pal(1), Pal(0), Pal(1), Pal(0), Pal(1), Pal(1)}},
        {4, 3, {0x12, 0x30, 0, 0}, {0x32, 0x00, 0, 0}, {Pal(1), Pal(2), Pal(3), Pal(3), Pal(2), Pal(0)}},
        {8, 3, {1, 2, 3, 0}, {3, 2, 0, 0}, {Pal(1), Pal(2), Pal(3), Pal(3), Pal(2), Pal(0)}},
        {24, 2, {0, 0, 255, 0, 255, 0, 0, 0}, {255, 0, 0, 255, 255, 255, 0, 0}, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}},
    };
    for (const Case& c : cases)
        for (bool topDown : {false, true}) {
            // The file stores the rows bottom first unless top-down.
            Bytes rows = topDown ? c.top : c.bottom;
            for (uint8_t v : topDown ? c.bottom : c.top) rows.push_back(v);
            const BmpLayout s{c.width, topDown ? -2 : 2, c.bits, 0, c.bits < 24 ? Palette4 : std::vector<uint32_t>{}, {}, rows};
            EXPECT_EQ(Decoded(DecodeBmp, MakeBmp(s), c.width), c.expected) << c.bits << (topDown ? " bits top-down" : " bits");
        }
    // 32 bits BI_RGB: the spare byte is no alpha.
    EXPECT_EQ(Decoded(DecodeBmp, MakeBmp({1, 1, 32, 0, {}, {}, {0x30, 0x20, 0x10, 0x00}}), 1), Px{0xFF102030});
    // 32 bits with masks after the header, alpha in the low byte (BI_ALPHABITFIELDS).
    const BmpLayout fields32{1, 1, 32, 6, {}, {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF}, {0x80, 0x30, 0x20, 0x10}};
    EXPECT_EQ(Decoded(DecodeBmp, MakeBmp(fields32), 1), Px{0x80102030});
    // 16 bits 5-6-5: full red and full blue; 16 bits BI_RGB is 5-5-5.
    const BmpLayout fields16{2, 1, 16, 3, {}, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0x1F, 0x00}};
    EXPECT_EQ(Decoded(DecodeBmp, MakeBmp(fields16), 2), (Px{0xFFFF0000, 0xFF0000FF}));
    EXPECT_EQ(Decoded(DecodeBmp, MakeBmp({1, 1, 16, 0, {}, {}, {0xE0, 0x03, 0, 0}}), 1), Px{0xFF00FF00});
}

TEST(BmpCodec, RoundTripsExactlyAndTwentyFourBitsDropTheAlpha) {
    for (int w : {1, 2, 3, 5, 17})
        for (BmpBits bits : {BmpBits::Bits24, BmpBits::Bits32}) {
            const TBitmap32 p = RandomPicture(w, 7, w, bits == BmpBits::Bits24);
            EXPECT_EQ(Decoded(DecodeBmp, EncodeBmp(p, bits).Bytes, w), Pixels(p)) << w;
        }
    EXPECT_EQ(Decoded(DecodeBmp, EncodeBmp(testing::FromPixels(1, {0x40112233}), BmpBits::Bits24).Bytes, 1), Px{0xFF112233u});
    EXPECT_FALSE(EncodeBmp(TBitmap32(), BmpBits::Bits24).Ok());
}

TEST(BmpCodec, RefusesDamagedFiles) {
    const Bytes good = MakeBmp({4, 2, 24, 0, {}, {}, Bytes(24, 7)});
    ExpectRefused(DecodeBmp, {
        {"wrong signature", With(good, [](Bytes& b) { b[0] = 'P'; })},
        {"too short", Bytes{'B', 'M', 0, 0}},
        {"unsupported header size", With(good, [](Bytes& b) { b[14] = 41; })},
        {"at most 16384 x 16384", With(good, [](Bytes& b) { Put32At(b, 18, 16385); })},
        {"at most 16384 x 16384", With(good, [](Bytes& b) { Put32At(b, 22, uint32_t(-20000)); })},
        {"is empty", With(good, [](Bytes& b) { Put32At(b, 18, 0); })},
        {"7 bits per pixel", With(good, [](Bytes& b) { b[28] = 7; })},
        {"compression 1 (RLE8)", With(good, [](Bytes& b) { b[28] = 8, b[30] = 1; })},
        {"colour table is cut short", With(good, [](Bytes& b) { b[28] = 8; Put32At(b, 46, 200); })},
        {"lies in the header", With(good, [](Bytes& b) { Put32At(b, 10, 20); })},
        {"cut short", With(good, [](Bytes& b) { b.pop_back(); })},
        {"cut short", With(good, [](Bytes& b) { Put32At(b, 10, 0xFFFFFFF0); })},
    });
}

// --- JPEG ------------------------------------------------------------------------------------

// A smooth picture, which JPEG keeps close: gradients and a soft circle, alpha varying.
TBitmap32 SmoothPicture(int w, int h) {
    TBitmap32 p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int d = (x - w / 2) * (x - w / 2) + (y - h / 2) * (y - h / 2);
            p.SetPixel(x, y, Color32(uint8_t(x * 255 / w), uint8_t(y * 255 / h), uint8_t(std::max(0, 255 - d / 4)),
                                     uint8_t(x * 7)));
        }
    return p;
}

// The largest difference of red, green or blue; 256 when the sizes differ or actual is not opaque.
int MaxChannelError(const TBitmap32& actual, const TBitmap32& expected) {
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height()) return 256;
    const Px a = Pixels(actual), e = Pixels(expected);
    int worst = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AlphaOf(a[i]) != 255) return 256;
        for (int shift : {0, 8, 16}) worst = std::max(worst, std::abs(int((a[i] >> shift) & 0xFF) - int((e[i] >> shift) & 0xFF)));
    }
    return worst;
}

size_t FindMarker(const Bytes& b, uint8_t marker) {
    for (size_t i = 0; i + 1 < b.size(); ++i)
        if (b[i] == 0xFF && b[i + 1] == marker) return i;
    return b.size();
}

TEST(JpegCodec, RoundTripKeepsColoursCloseAndMakesPixelsOpaque) {
    const TBitmap32 picture = SmoothPicture(37, 23);   // not a multiple of the block size
    for (JpegScan scan : {JpegScan::Sequential, JpegScan::Progressive}) {
        const EncodeResult jpeg = EncodeJpeg(picture, JpegQualityForSaving, scan);
        // Start of frame: baseline C0, progressive C2.
        EXPECT_LT(FindMarker(jpeg.Bytes, scan == JpegScan::Progressive ? 0xC2 : 0xC0), jpeg.Bytes.size()) << jpeg.Error;
        const DecodeResult r = DecodeJpeg(jpeg.Bytes);
        EXPECT_LE(MaxChannelError(r.Picture, picture), 12) << r.Error;
    }
    // Quality is clamped to 1..100 and changes the size.
    EXPECT_LT(EncodeJpeg(picture, -5, JpegScan::Sequential).Bytes.size(),
              EncodeJpeg(picture, 500, JpegScan::Sequential).Bytes.size());
    EXPECT_FALSE(EncodeJpeg(TBitmap32(), 95, JpegScan::Sequential).Ok());
}

// A 2 x 1 picture in the given colour space, written by libjpeg directly.
Bytes MakeJpeg(J_COLOR_SPACE space, int components, const Bytes& samples) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = 2;
    cinfo.image_height = 1;
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    JSAMPROW row = const_cast<JSAMPROW>(samples.data());
    jpeg_write_scanlines(&cinfo, &row, 1);
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

TEST(JpegCodec, DecodesGreyAndAdobeCmyk) {
    // libjpeg writes CMYK with an Adobe marker, inverted: 255 is no ink.
    const std::pair<Bytes, TBitmap32> cases[] = {
        {MakeJpeg(JCS_GRAYSCALE, 1, {40, 200}), testing::FromPixels(2, {0xFF282828, 0xFFC8C8C8})},
        {MakeJpeg(JCS_CMYK, 4, {255, 0, 255, 255, 255, 255, 255, 128}), testing::FromPixels(2, {0xFFFF00FF, 0xFF808080})},
    };
    for (const auto& [file, want] : cases) {
        const DecodeResult r = DecodeJpeg(file);
        EXPECT_LE(MaxChannelError(r.Picture, want), 4) << r.Error << std::hex << want.Pixel(0, 0);
    }
}

TEST(JpegCodec, RefusesDamagedAndHostileFiles) {
    const Bytes good = EncodeJpeg(SmoothPicture(32, 16), 90, JpegScan::Sequential).Bytes;
    const size_t sof = FindMarker(good, 0xC0), dht = FindMarker(good, 0xC4), sos = FindMarker(good, 0xDA);
    ASSERT_LT(sos, good.size());
    ExpectRefused(DecodeJpeg, {
        {"wrong signature", Bytes(good.begin() + 2, good.end())},
        {"at most 16384 x 16384", With(good, [&](Bytes& b) { b[sof + 7] = 0x40, b[sof + 8] = 0x01; })},
        // Code counts of the first Huffman table summing past 256.
        {"Huffman", With(good, [&](Bytes& b) { std::fill(b.begin() + dht + 5, b.begin() + dht + 21, 0xFF); })},
        {"Premature end", Bytes(good.begin(), good.begin() + (sos + good.size()) / 2)},
        {"", Bytes(good.begin(), good.begin() + sos)},
    });
}

// --- Picture files ---------------------------------------------------------------------------

struct PictureDir {
    fs::path path = [] {
        std::string pattern = (fs::temp_directory_path() / "pax3d_pictures_XXXXXX").string();
        return ::mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
    }();
    ~PictureDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string operator/(const std::string& leaf) const { return (path / leaf).string(); }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(path)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

void WriteBytes(const std::string& name, const Bytes& bytes) {
    std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TBitmap32 TestPicture(bool transparent) { return RandomPicture(19, 11, transparent ? 5 : 6, !transparent); }

TEST(PictureIO, FormatFollowsUpperCasedExtension) {
    for (const char* png : {"a.png", "Images/Pax_0001.PnG"}) EXPECT_EQ(PictureFormatOf(png), PictureFormat::Png);
    for (const char* jpeg : {"b.jpg", "b.JPEG"}) EXPECT_EQ(PictureFormatOf(jpeg), PictureFormat::Jpeg);
    for (const char* bmp : {"c.bmp", "c.ico", "pics.png/noext", "x.png.jpe"}) EXPECT_EQ(PictureFormatOf(bmp), PictureFormat::Bmp);
}

TEST(PictureIO, SaveAndLoadRoundTripByExtensionAndContentsWinOverAMisleadingOne) {
    PictureDir dir;
    ScopedPresenter boxes;
    TBitmap32 loaded;
    for (bool transparent : {false, true}) {
        const TBitmap32 picture = TestPicture(transparent);
        for (const char* leaf : {"p.png", "p.PNG", "p.bmp", "p.ico"}) {
            SCOPED_TRACE(leaf);
            ASSERT_TRUE(SavePicture(picture, dir / leaf));
            ASSERT_TRUE(LoadPicture(loaded, dir / leaf));
            EXPECT_TRUE(testing::SamePicture(picture, loaded));
        }
        // BMP: 32 bits only when some pixel is not opaque (24-bit rows of 19 pixels pad to 60 bytes).
        EXPECT_EQ(fs::file_size(dir / "p.bmp"), transparent ? 122u + 19 * 4 * 11 : 54u + 60 * 11);
        ASSERT_TRUE(SavePicture(picture, dir / "p.JPEG"));
        EXPECT_EQ(std::ifstream(dir / "p.JPEG", std::ios::binary).get(), 0xFF);
    }
    WriteBytes(dir / "really_a_png.jpg", EncodePng(TestPicture(true)).Bytes);
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
    const Bytes png = EncodePng(TestPicture(false)).Bytes;
    const std::pair<std::string, Bytes> files[] = {
        {"cut.png", Bytes(png.begin(), png.begin() + png.size() / 2)},
        {"text.jpg", {'h', 'e', 'l', 'l', 'o'}},
        {"empty.bmp", {}},
        {"short.bmp", With(Bytes(40), [](Bytes& b) { b[0] = 'B', b[1] = 'M'; })},
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
    PictureNamer namer(dir.path.string());
    EXPECT_EQ(namer.Next(".JPG"), dir / "Pax_0004.JPG");
    EXPECT_EQ(namer.Next(".BMP"), dir / "Pax_0006.BMP");   // "Pax_0006" has no extension
    EXPECT_EQ(namer.Counter(), 6);
    // The counter runs on from its last value, it does not look back.
    fs::remove(dir / "Pax_0001.JPG");
    EXPECT_EQ(namer.Next(".PNG"), dir / "Pax_0007.PNG");
    // 16 bits wrap.
    PictureNamer high(dir.path.string(), 65534);
    EXPECT_EQ(high.Next(".JPG"), dir / "Pax_65535.JPG");
    EXPECT_EQ(high.Next(".JPG"), dir / "Pax_0000.JPG");
    EXPECT_EQ(PictureNamer("no/such/dir").Next(".JPG"), "no/such/dir/Pax_0001.JPG");
}

// --- Picture utilities -----------------------------------------------------------------------

TEST(ColorKey, AlphaRampsWithTheDistanceInsideTheRadiusAndRadiusZeroOnlyCopies) {
    const TBitmap32 plain = testing::FromPixels(3, {0xFF000000, 0x80102030, 0x00FFFFFF});
    TBitmap32 copy(5, 5);
    ColorKey(plain, copy, 0xFF000000, 255, 0);
    EXPECT_EQ(Pixels(copy), Pixels(plain));
    // Key red 100; radius 100 (r^2 = 10000). d2 = 900 + 1600 = 2500 -> 2500 255 / 10000 = 63.75 -> 64;
    // d2 = 10000 is not inside; d2 = 25 -> 0.6375 -> 1, below the threshold: cleared, as is the
    // key itself; d2 = 9801 -> 249.9 -> 250.
    const TBitmap32 source = testing::FromPixels(5, {Color32(130, 40, 0), Color32(160, 80, 0), Color32(105, 0, 0),
                                                     Color32(100, 0, 0), Color32(100, 0, 99)});
    TBitmap32 dest;
    ColorKey(source, dest, Color32(100, 0, 0, 17), 10, 100);
    EXPECT_EQ(Pixels(dest), (Px{Color32(130, 40, 0, 64), Color32(160, 80, 0), 0, 0, Color32(100, 0, 99, 250)}));
    // In place, negative radius as its magnitude, threshold 0 keeps even alpha 0 colours.
    TBitmap32 same = testing::FromPixels(2, {Color32(130, 40, 0), Color32(100, 0, 0)});
    ColorKey(same, same, Color32(100, 0, 0), 0, -100);
    EXPECT_EQ(Pixels(same), (Px{Color32(130, 40, 0, 64), Color32(100, 0, 0, 0)}));
}

TEST(FitRect, WiderPageCentresFullHeightTallerPageFillsWidthFromTheTop) {
    // Width 400 500 / 300 = 666 (truncated), offset (1000 - 666) / 2 = 167; an odd unused
    // width rounds the offset towards zero; extreme sides do not overflow.
    const TRect cases[][3] = {
        {{0, 0, 400, 300}, {10, 20, 1010, 520}, {177, 20, 843, 520}},
        {{5, 5, 405, 305}, {0, 0, 500, 1000}, {0, 0, 500, 375}},
        {{0, 0, 40, 30}, {0, 0, 800, 600}, {0, 0, 800, 600}},
        {{0, 0, 1, 1}, {0, 0, 5, 2}, {1, 0, 3, 2}},
        {{-2000000000, 0, 2000000000, 1}, {0, 0, 100, 2000000000}, {0, 0, 100, 0}},
    };
    for (const auto& [picture, page, expected] : cases) {
        TRect out;
        ASSERT_TRUE(FitRect(picture, page, out));
        EXPECT_EQ(out, expected) << expected.Left << "," << expected.Top << "," << expected.Right;
    }
    // Rectangles without area give false and leave out alone.
    const TRect marker{1, 2, 3, 4};
    for (auto [picture, page] : {std::pair{TRect{0, 0, 0, 10}, TRect{0, 0, 10, 10}}, {TRect{0, 0, 10, 0}, TRect{0, 0, 10, 10}},
                                 {TRect{0, 0, 10, 10}, TRect{5, 5, 5, 20}}, {TRect{0, 0, 10, 10}, TRect{0, 9, 10, 3}}}) {
        TRect out = marker;
        EXPECT_FALSE(FitRect(picture, page, out));
        EXPECT_EQ(out, marker);
    }
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
    // The failure leaves the picture and the difference in the build folder: red where the
    // two pixels differ, the expected picture dimmed elsewhere.
    const fs::path actual = testing::GoldenFailureFile("render/picture_io_pattern", ".actual.png");
    const fs::path difference = testing::GoldenFailureFile("render/picture_io_pattern", ".difference.png");
    TBitmap32 written, marked;
    ASSERT_TRUE(LoadPicture(written, actual.string()));
    EXPECT_EQ(written.Pixel(9, 9), picture.Pixel(9, 9));
    ASSERT_TRUE(LoadPicture(marked, difference.string()));
    EXPECT_EQ(marked.Pixel(3, 4), 0xFFFF0000u);
    EXPECT_EQ(marked.Pixel(9, 9), 0xFFFF0000u);
    EXPECT_EQ(marked.Pixel(0, 1), 0xFF000000u | ((picture.Pixel(0, 1) >> 2) & 0x3F3F3Fu));
    int red = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) red += marked.Pixel(x, y) == 0xFFFF0000u;
    EXPECT_EQ(red, 2);
    fs::remove(actual);
    fs::remove(difference);
    // Another size: the picture is written, no difference can be.
    EXPECT_FALSE(testing::MatchesGolden(TBitmap32(8, 8), "render/picture_io_pattern", 255, 64 * 64));
    EXPECT_TRUE(fs::remove(actual));
    EXPECT_FALSE(fs::exists(difference));
}

}  // namespace
}  // namespace pax
