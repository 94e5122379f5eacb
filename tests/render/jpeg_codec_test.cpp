#include "render/jpeg_codec.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>

#include <algorithm>
#include <vector>

namespace pax {
namespace {

using Bytes = std::vector<uint8_t>;

// A smooth picture, which JPEG keeps close: gradients and a soft circle, alpha varying.
TBitmap32 SmoothPicture(int w, int h) {
    TBitmap32 p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int d = (x - w / 2) * (x - w / 2) + (y - h / 2) * (y - h / 2);
            p.SetPixel(x, y, Color32(uint8_t(x * 255 / w), uint8_t(y * 255 / h),
                                     uint8_t(std::max(0, 255 - d / 4)), uint8_t(x * 7)));
        }
    return p;
}

int MaxChannelError(const TBitmap32& a, const TBitmap32& b) {
    int worst = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int shift : {0, 8, 16})
                worst = std::max(worst, std::abs(int((a.Pixel(x, y) >> shift) & 0xFF) -
                                                 int((b.Pixel(x, y) >> shift) & 0xFF)));
    return worst;
}

TEST(JpegCodec, RoundTripKeepsColoursCloseAndMakesPixelsOpaque) {
    const TBitmap32 picture = SmoothPicture(37, 23);   // not a multiple of the block size
    for (JpegScan scan : {JpegScan::Sequential, JpegScan::Progressive}) {
        EncodeResult jpeg = EncodeJpeg(picture, JpegQualityForSaving, scan);
        ASSERT_TRUE(jpeg.Ok()) << jpeg.Error;
        // Start of frame: baseline C0, progressive C2.
        uint8_t sof = scan == JpegScan::Progressive ? 0xC2 : 0xC0;
        EXPECT_NE(std::search_n(jpeg.Bytes.begin(), jpeg.Bytes.end(), 1, sof), jpeg.Bytes.end());
        DecodeResult r = DecodeJpeg(jpeg.Bytes);
        ASSERT_TRUE(r.Ok()) << r.Error;
        ASSERT_EQ(r.Picture.Width(), 37);
        ASSERT_EQ(r.Picture.Height(), 23);
        EXPECT_LE(MaxChannelError(picture, r.Picture), 12);
        for (int i = 0; i < 37 * 23; ++i) ASSERT_EQ(AlphaOf(r.Picture.Bits()[i]), 255);
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

void ExpectNear(TColor32 actual, TColor32 expected) {
    EXPECT_EQ(AlphaOf(actual), 255);
    for (int shift : {0, 8, 16})
        EXPECT_NEAR(int((actual >> shift) & 0xFF), int((expected >> shift) & 0xFF), 4)
            << std::hex << actual << " vs " << expected;
}

TEST(JpegCodec, DecodesGreyAndAdobeCmyk) {
    DecodeResult grey = DecodeJpeg(MakeJpeg(JCS_GRAYSCALE, 1, {40, 200}));
    ASSERT_TRUE(grey.Ok()) << grey.Error;
    ExpectNear(grey.Picture.Pixel(0, 0), 0xFF282828);
    ExpectNear(grey.Picture.Pixel(1, 0), 0xFFC8C8C8);
    // libjpeg writes CMYK with an Adobe marker, inverted: 255 is no ink.
    DecodeResult cmyk = DecodeJpeg(MakeJpeg(JCS_CMYK, 4, {255, 0, 255, 255, 255, 255, 255, 128}));
    ASSERT_TRUE(cmyk.Ok()) << cmyk.Error;
    ExpectNear(cmyk.Picture.Pixel(0, 0), 0xFFFF00FF);
    ExpectNear(cmyk.Picture.Pixel(1, 0), 0xFF808080);
}

size_t FindMarker(const Bytes& b, uint8_t marker) {
    for (size_t i = 0; i + 1 < b.size(); ++i)
        if (b[i] == 0xFF && b[i + 1] == marker) return i;
    return b.size();
}

TEST(JpegCodec, RefusesDamagedAndHostileFiles) {
    const Bytes good = EncodeJpeg(SmoothPicture(32, 16), 90, JpegScan::Sequential).Bytes;
    const size_t sof = FindMarker(good, 0xC0), dht = FindMarker(good, 0xC4), sos = FindMarker(good, 0xDA);
    ASSERT_LT(sos, good.size());
    auto with = [&](auto change) {
        Bytes b = good;
        change(b);
        return b;
    };
    struct Case {
        const char* expected;
        Bytes file;
    };
    const std::vector<Case> cases{
        {"wrong signature", Bytes(good.begin() + 2, good.end())},
        {"at most 16384 x 16384", with([&](Bytes& b) { b[sof + 7] = 0x40, b[sof + 8] = 0x01; })},
        // Code counts of the first Huffman table summing past 256.
        {"Huffman", with([&](Bytes& b) { std::fill(b.begin() + dht + 5, b.begin() + dht + 21, 0xFF); })},
        {"Premature end", Bytes(good.begin(), good.begin() + (sos + good.size()) / 2)},
        {"", Bytes(good.begin(), good.begin() + sos)},
    };
    for (const Case& c : cases) {
        DecodeResult r = DecodeJpeg(c.file);
        EXPECT_FALSE(r.Ok()) << c.expected;
        EXPECT_NE(r.Error.find(c.expected), std::string::npos) << r.Error;
        EXPECT_TRUE(r.Picture.Empty());
    }
}

}  // namespace
}  // namespace pax
