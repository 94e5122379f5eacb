#include "render/png_codec.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <optional>
#include <random>
#include <vector>

#include "render/surface_test_support.h"

namespace pax {
namespace {

using testing::Pixels;
using Bytes = std::vector<uint8_t>;

// A PNG written by libpng itself from rows in the stored layout, so that the decoder is
// checked against files it did not make.
struct PngSpec {
    uint32_t width = 1, height = 1;
    int bitDepth = 8;
    int colorType = PNG_COLOR_TYPE_RGB;
    std::vector<Bytes> rows;
    std::vector<png_color> palette = {};
    Bytes paletteAlpha = {};                        // tRNS of a palette
    std::optional<png_color_16> transparent = {};   // tRNS colour of grey or RGB
    bool interlaced = false;
};

void Append(png_structp png, png_bytep data, size_t n) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

Bytes MakePng(const PngSpec& s) {
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

std::vector<TColor32> Decoded(const Bytes& file) {
    DecodeResult r = DecodePng(file);
    EXPECT_TRUE(r.Ok()) << r.Error;
    return Pixels(r.Picture);
}

png_color_16 Key(uint16_t red, uint16_t green, uint16_t blue, uint16_t gray) {
    png_color_16 key{};
    key.red = red, key.green = green, key.blue = blue, key.gray = gray;
    return key;
}

// A transparent colour gives alpha 0 to its pixels only (compared at full depth before the
// scaling to 8 bits); alpha channels and palette alpha are copied; low grey depths scale to
// the full range.
TEST(PngCodec, DecodesEveryColourTypeWithItsTransparency) {
    const std::pair<PngSpec, std::vector<TColor32>> cases[] = {
        {{3, 1, 8, PNG_COLOR_TYPE_RGB, {{10, 20, 30, 10, 20, 31, 200, 0, 0}}, {}, {}, Key(10, 20, 30, 0)},
         {0x000A141E, 0xFF0A141F, 0xFFC80000}},
        {{2, 1, 16, PNG_COLOR_TYPE_GRAY, {{0x12, 0x34, 0x12, 0x35}}, {}, {}, Key(0, 0, 0, 0x1234)},
         {0x00121212, 0xFF121212}},
        {{2, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA, {{100, 0, 200, 128}}}, {0x00646464, 0x80C8C8C8}},
        {{1, 1, 16, PNG_COLOR_TYPE_RGB_ALPHA, {{0xAB, 0xAB, 0x12, 0x12, 0xFF, 0xFF, 0x7F, 0x7F}}}, {0x7FAB12FF}},
        // The third palette entry has no alpha and is opaque.
        {{3, 1, 2, PNG_COLOR_TYPE_PALETTE, {{0b00011000}}, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {0, 77}},
         {0x00FF0000, 0x4D00FF00, 0xFF0000FF}},
        {{3, 1, 1, PNG_COLOR_TYPE_GRAY, {{0b10100000}}}, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
        {{2, 1, 2, PNG_COLOR_TYPE_GRAY, {{0b01100000}}}, {0xFF555555, 0xFFAAAAAA}},
    };
    for (const auto& [layout, expected] : cases) EXPECT_EQ(Decoded(MakePng(layout)), expected) << layout.colorType;
}

TEST(PngCodec, InterlacedPictureEqualsItsRowsAndPicturesRoundTripExactly) {
    std::mt19937 rng(7);
    PngSpec s{11, 9, 8, PNG_COLOR_TYPE_RGB, {}};
    s.interlaced = true;
    std::vector<TColor32> expected;
    for (uint32_t y = 0; y < s.height; ++y) {
        Bytes row;
        for (uint32_t x = 0; x < s.width; ++x) {
            uint8_t r = uint8_t(rng()), g = uint8_t(rng()), b = uint8_t(rng());
            row.insert(row.end(), {r, g, b});
            expected.push_back(Color32(r, g, b));
        }
        s.rows.push_back(row);
    }
    EXPECT_EQ(Decoded(MakePng(s)), expected);
    for (bool transparent : {false, true}) {
        TBitmap32 picture(13, 6);
        for (int i = 0; i < 13 * 6; ++i) picture.Bits()[i] = transparent ? rng() : (rng() | 0xFF000000);
        EncodeResult png = EncodePng(picture);
        ASSERT_TRUE(png.Ok()) << png.Error;
        EXPECT_EQ(Decoded(png.Bytes), Pixels(picture));
    }
    EXPECT_FALSE(EncodePng(TBitmap32()).Ok());
}

// A copy of file with the IHDR's width and height replaced and its CRC made right again.
Bytes WithSize(Bytes file, uint32_t w, uint32_t h) {
    for (int i = 0; i < 4; ++i) {
        file[16 + i] = uint8_t(w >> (24 - 8 * i));
        file[20 + i] = uint8_t(h >> (24 - 8 * i));
    }
    uint32_t crc = uint32_t(crc32(0, file.data() + 12, 17));
    for (int i = 0; i < 4; ++i) file[29 + i] = uint8_t(crc >> (24 - 8 * i));
    return file;
}

TEST(PngCodec, RefusesDamagedAndHostileFiles) {
    const Bytes good = MakePng({4, 4, 8, PNG_COLOR_TYPE_GRAY, std::vector<Bytes>(4, Bytes(4, 9))});
    Bytes badCrc = good;
    badCrc[good.size() - 20] ^= 0x55;   // inside the IDAT chunk
    const std::pair<const char*, Bytes> cases[] = {
        {"wrong signature", Bytes(good.begin() + 1, good.end())},
        {"at most 16384 x 16384", WithSize(good, 16385, 1)},
        {"at most 16384 x 16384", WithSize(good, 1, 0x7FFFFFFF)},
        // The declared 1 GiB cannot come out of a few bytes of compressed data.
        {"cannot fill a picture of 16384 x 16384", WithSize(good, 16384, 16384)},
        {"", badCrc},
    };
    for (const auto& [expected, file] : cases) {
        DecodeResult r = DecodePng(file);
        EXPECT_FALSE(r.Ok()) << expected;
        EXPECT_NE(r.Error.find(expected), std::string::npos) << r.Error;
        EXPECT_TRUE(r.Picture.Empty());
    }
    // Every cut of the file before the end of its image data fails cleanly.
    for (size_t n = 0; n + 12 < good.size(); ++n) {
        DecodeResult r = DecodePng(std::span(good.data(), n));
        EXPECT_TRUE(!r.Ok() && r.Picture.Empty()) << n;
    }
}

}  // namespace
}  // namespace pax
