#include "render/jpeg_codec.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>

#include <algorithm>
#include <array>
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
            p.SetPixel(x, y, Color32(uint8_t(x * 255 / w), uint8_t(y * 255 / h), uint8_t(std::max(0, 255 - d / 4)),
                                     uint8_t(x * 7)));
        }
    return p;
}

// The largest difference of red, green or blue; alpha must be 255 in actual.
int MaxChannelError(const TBitmap32& actual, const TBitmap32& expected) {
    int worst = 0;
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x) {
            const TColor32 a = actual.Pixel(x, y), e = expected.Pixel(x, y);
            if (AlphaOf(a) != 255) return 256;
            for (int shift : {0, 8, 16}) worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((e >> shift) & 0xFF)));
        }
    return worst;
}

TEST(JpegCodec, RoundTripKeepsColoursCloseAndMakesPixelsOpaque) {
    const TBitmap32 picture = SmoothPicture(37, 23);   // not a multiple of the block size
    for (JpegScan scan : {JpegScan::Sequential, JpegScan::Progressive}) {
        EncodeResult jpeg = EncodeJpeg(picture, JpegQualityForSaving, scan);
        ASSERT_TRUE(jpeg.Ok()) << jpeg.Error;
        // Start of frame: baseline C0, progressive C2.
        const uint8_t sof = scan == JpegScan::Progressive ? 0xC2 : 0xC0;
        EXPECT_NE(std::search_n(jpeg.Bytes.begin(), jpeg.Bytes.end(), 1, sof), jpeg.Bytes.end());
        DecodeResult r = DecodeJpeg(jpeg.Bytes);
        ASSERT_TRUE(r.Ok()) << r.Error;
        ASSERT_EQ(r.Picture.Width(), 37);
        ASSERT_EQ(r.Picture.Height(), 23);
        EXPECT_LE(MaxChannelError(r.Picture, picture), 12);
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
    const std::pair<Bytes, std::array<TColor32, 2>> cases[] = {
        {MakeJpeg(JCS_GRAYSCALE, 1, {40, 200}), {0xFF282828, 0xFFC8C8C8}},
        {MakeJpeg(JCS_CMYK, 4, {255, 0, 255, 255, 255, 255, 255, 128}), {0xFFFF00FF, 0xFF808080}},
    };
    for (const auto& [file, colours] : cases) {
        DecodeResult r = DecodeJpeg(file);
        ASSERT_TRUE(r.Ok()) << r.Error;
        ASSERT_TRUE(r.Picture.Width() == 2 && r.Picture.Height() == 1);
        TBitmap32 want(2, 1);
        for (int x = 0; x < 2; ++x) want.SetPixel(x, 0, colours[x]);
        EXPECT_LE(MaxChannelError(r.Picture, want), 4) << std::hex << colours[0];
    }
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
    const std::pair<const char*, Bytes> cases[] = {
        {"wrong signature", Bytes(good.begin() + 2, good.end())},
        {"at most 16384 x 16384", with([&](Bytes& b) { b[sof + 7] = 0x40, b[sof + 8] = 0x01; })},
        // Code counts of the first Huffman table summing past 256.
        {"Huffman", with([&](Bytes& b) { std::fill(b.begin() + dht + 5, b.begin() + dht + 21, 0xFF); })},
        {"Premature end", Bytes(good.begin(), good.begin() + (sos + good.size()) / 2)},
        {"", Bytes(good.begin(), good.begin() + sos)},
    };
    for (const auto& [expected, file] : cases) {
        DecodeResult r = DecodeJpeg(file);
        EXPECT_FALSE(r.Ok()) << expected;
        EXPECT_NE(r.Error.find(expected), std::string::npos) << r.Error;
        EXPECT_TRUE(r.Picture.Empty());
    }
}

}  // namespace
}  // namespace pax
