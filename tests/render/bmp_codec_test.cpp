#include "render/bmp_codec.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace pax {
namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

void Put32At(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

struct BmpSpec {
    int32_t width = 0, height = 0;   // negative height: top-down
    uint16_t bits = 24;
    uint32_t compression = 0;
    std::vector<uint32_t> palette;   // 0x00RRGGBB
    std::vector<uint32_t> masks;     // written after the 40-byte header
    Bytes pixels;                    // rows as stored, padding included
};

// A file with a 40-byte header, built byte by byte as the format describes it.
Bytes MakeBmp(const BmpSpec& s) {
    const uint32_t offset = 14 + 40 + 4 * uint32_t(s.masks.size() + s.palette.size());
    Bytes b{'B', 'M'};
    Put32(b, offset + uint32_t(s.pixels.size()));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, uint32_t(s.width));
    Put32(b, uint32_t(s.height));
    Put16(b, 1);
    Put16(b, s.bits);
    Put32(b, s.compression);
    Put32(b, uint32_t(s.pixels.size()));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, uint32_t(s.palette.size()));
    Put32(b, 0);
    for (uint32_t m : s.masks) Put32(b, m);
    for (uint32_t c : s.palette) Put32(b, c);
    b.insert(b.end(), s.pixels.begin(), s.pixels.end());
    return b;
}

const std::vector<uint32_t> Palette4{0x102030, 0xA0B0C0, 0xFF0000, 0x00FF00};

// Rows given top first; the file stores them bottom first unless topDown.
Bytes Rows(const Bytes& top, const Bytes& bottom, bool topDown) {
    Bytes r = topDown ? top : bottom;
    const Bytes& second = topDown ? bottom : top;
    r.insert(r.end(), second.begin(), second.end());
    return r;
}

void ExpectPixels(const TBitmap32& p, const std::vector<std::vector<TColor32>>& rows) {
    ASSERT_EQ(p.Height(), int(rows.size()));
    ASSERT_EQ(p.Width(), int(rows[0].size()));
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            EXPECT_EQ(p.Pixel(x, y), rows[y][x]) << "at " << x << ", " << y;
}

TColor32 Pal(int i) { return 0xFF000000 | Palette4[i]; }

TEST(BmpCodec, ReadsIndexedDepthsBottomUpAndTopDown) {
    // Top row indices 1 0 1 / bottom row 0 1 1 for 1 bit; 1 2 3 / 3 2 0 for 4 and 8 bits.
    struct Case {
        uint16_t bits;
        Bytes top, bottom;
        std::vector<std::vector<TColor32>> expected;
    };
    const std::vector<Case> cases{
        {1, {0xA0, 0, 0, 0}, {0x60, 0, 0, 0}, {{Pal(1), Pal(0), Pal(1)}, {Pal(0), Pal(1), Pal(1)}}},
        {4, {0x12, 0x30, 0, 0}, {0x32, 0x00, 0, 0}, {{Pal(1), Pal(2), Pal(3)}, {Pal(3), Pal(2), Pal(0)}}},
        {8, {1, 2, 3, 0}, {3, 2, 0, 0}, {{Pal(1), Pal(2), Pal(3)}, {Pal(3), Pal(2), Pal(0)}}},
    };
    for (const Case& c : cases) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(std::to_string(c.bits) + (topDown ? " bits top-down" : " bits bottom-up"));
            BmpSpec s{3, topDown ? -2 : 2, c.bits, 0, Palette4, {}, Rows(c.top, c.bottom, topDown)};
            DecodeResult r = DecodeBmp(MakeBmp(s));
            ASSERT_TRUE(r.Ok()) << r.Error;
            ExpectPixels(r.Picture, c.expected);
        }
    }
}

TEST(BmpCodec, ReadsDirectColourDepths) {
    // 24 bits: 2 pixels = 6 bytes, padded to 8.
    for (bool topDown : {false, true}) {
        BmpSpec s{2, topDown ? -2 : 2, 24, 0, {}, {},
                  Rows({0, 0, 255, 0, 255, 0, 0, 0}, {255, 0, 0, 255, 255, 255, 0, 0}, topDown)};
        DecodeResult r = DecodeBmp(MakeBmp(s));
        ASSERT_TRUE(r.Ok()) << r.Error;
        ExpectPixels(r.Picture, {{0xFFFF0000, 0xFF00FF00}, {0xFF0000FF, 0xFFFFFFFF}});
    }
    // 32 bits BI_RGB: the spare byte is no alpha.
    BmpSpec rgb32{1, 1, 32, 0, {}, {}, {0x30, 0x20, 0x10, 0x00}};
    ExpectPixels(DecodeBmp(MakeBmp(rgb32)).Picture, {{0xFF102030}});
    // 32 bits with masks after the header, alpha in the low byte (BI_ALPHABITFIELDS).
    BmpSpec fields32{1, 1, 32, 6, {}, {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF}, {0x80, 0x30, 0x20, 0x10}};
    ExpectPixels(DecodeBmp(MakeBmp(fields32)).Picture, {{0x80102030}});
    // 16 bits 5-6-5: full red and full blue.
    BmpSpec fields16{2, 1, 16, 3, {}, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0x1F, 0x00}};
    ExpectPixels(DecodeBmp(MakeBmp(fields16)).Picture, {{0xFFFF0000, 0xFF0000FF}});
    // 16 bits BI_RGB is 5-5-5.
    BmpSpec rgb16{1, 1, 16, 0, {}, {}, {0xE0, 0x03, 0, 0}};
    ExpectPixels(DecodeBmp(MakeBmp(rgb16)).Picture, {{0xFF00FF00}});
}

TBitmap32 RandomPicture(int w, int h, uint32_t seed, bool transparent) {
    std::mt19937 rng(seed);
    TBitmap32 p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.SetPixel(x, y, transparent ? rng() : (rng() | 0xFF000000));
    return p;
}

TEST(BmpCodec, RoundTripsExactly) {
    for (int w : {1, 2, 3, 5, 17}) {
        TBitmap32 opaque = RandomPicture(w, 7, w, false);
        DecodeResult r24 = DecodeBmp(EncodeBmp(opaque, BmpBits::Bits24).Bytes);
        ASSERT_TRUE(r24.Ok()) << r24.Error;
        EXPECT_TRUE(std::equal(opaque.Bits(), opaque.Bits() + w * 7, r24.Picture.Bits())) << w;

        TBitmap32 transparent = RandomPicture(w, 7, 100 + w, true);
        DecodeResult r32 = DecodeBmp(EncodeBmp(transparent, BmpBits::Bits32).Bytes);
        ASSERT_TRUE(r32.Ok()) << r32.Error;
        EXPECT_TRUE(std::equal(transparent.Bits(), transparent.Bits() + w * 7, r32.Picture.Bits())) << w;
    }
    // 24 bits drops the alpha.
    TBitmap32 one(1, 1);
    one.SetPixel(0, 0, 0x40112233);
    EXPECT_EQ(DecodeBmp(EncodeBmp(one, BmpBits::Bits24).Bytes).Picture.Pixel(0, 0), 0xFF112233u);
    EXPECT_FALSE(EncodeBmp(TBitmap32(), BmpBits::Bits24).Ok());
}

TEST(BmpCodec, RefusesDamagedFiles) {
    const BmpSpec good{4, 2, 24, 0, {}, {}, Bytes(24, 7)};
    auto with = [&](auto change) {
        Bytes b = MakeBmp(good);
        change(b);
        return b;
    };
    struct Case {
        const char* expected;
        Bytes file;
    };
    const std::vector<Case> cases{
        {"wrong signature", with([](Bytes& b) { b[0] = 'P'; })},
        {"too short", Bytes{'B', 'M', 0, 0}},
        {"unsupported header size", with([](Bytes& b) { b[14] = 41; })},
        {"at most 16384 x 16384", with([](Bytes& b) { Put32At(b, 18, 16385); })},
        {"at most 16384 x 16384", with([](Bytes& b) { Put32At(b, 22, uint32_t(-20000)); })},
        {"is empty", with([](Bytes& b) { Put32At(b, 18, 0); })},
        {"7 bits per pixel", with([](Bytes& b) { b[28] = 7; })},
        {"compression 1 (RLE8)", with([](Bytes& b) { b[28] = 8, b[30] = 1; })},
        {"colour table is cut short", with([](Bytes& b) { b[28] = 8; Put32At(b, 46, 200); })},
        {"lies in the header", with([](Bytes& b) { Put32At(b, 10, 20); })},
        {"cut short", with([](Bytes& b) { b.pop_back(); })},
        {"cut short", with([](Bytes& b) { Put32At(b, 10, 0xFFFFFFF0); })},
    };
    for (const Case& c : cases) {
        DecodeResult r = DecodeBmp(c.file);
        EXPECT_FALSE(r.Ok()) << c.expected;
        EXPECT_NE(r.Error.find(c.expected), std::string::npos) << r.Error;
        EXPECT_TRUE(r.Picture.Empty());
    }
}

}  // namespace
}  // namespace pax
