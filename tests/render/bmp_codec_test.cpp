#include "render/bmp_codec.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace pax {
namespace {

using Bytes = std::vector<uint8_t>;
using Pixels = std::vector<TColor32>;

void Put32(Bytes& b, uint32_t v, int size = 4) {
    for (int i = 0; i < size; ++i) b.push_back(uint8_t(v >> (8 * i)));
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

// The picture's pixels row by row, top first; empty when the file is refused.
Pixels Decoded(const Bytes& file, int width) {
    DecodeResult r = DecodeBmp(file);
    EXPECT_TRUE(r.Ok()) << r.Error;
    EXPECT_EQ(r.Picture.Width(), width);
    return {r.Picture.Bits(), r.Picture.Bits() + size_t(r.Picture.Width()) * r.Picture.Height()};
}

const std::vector<uint32_t> Palette4{0x102030, 0xA0B0C0, 0xFF0000, 0x00FF00};

TColor32 Pal(int i) { return 0xFF000000 | Palette4[i]; }

// Rows given top first; the file stores them bottom first unless top-down.
Bytes Rows(const Bytes& top, const Bytes& bottom, bool topDown) {
    Bytes r = topDown ? top : bottom;
    r.insert(r.end(), topDown ? bottom.begin() : top.begin(), topDown ? bottom.end() : top.end());
    return r;
}

TEST(BmpCodec, ReadsIndexedAndDirectColourDepthsBottomUpAndTopDown) {
    // Top row indices 1 0 1 / bottom row 0 1 1 for 1 bit; 1 2 3 / 3 2 0 for 4 and 8 bits;
    // 24 bits: 2 pixels = 6 bytes, padded to 8.
    struct Case {
        uint16_t bits;
        int width;
        Bytes top, bottom;
        Pixels expected;
    };
    const Case cases[] = {
        {1, 3, {0xA0, 0, 0, 0}, {0x60, 0, 0, 0}, {Pal(1), Pal(0), Pal(1), Pal(0), Pal(1), Pal(1)}},
        {4, 3, {0x12, 0x30, 0, 0}, {0x32, 0x00, 0, 0}, {Pal(1), Pal(2), Pal(3), Pal(3), Pal(2), Pal(0)}},
        {8, 3, {1, 2, 3, 0}, {3, 2, 0, 0}, {Pal(1), Pal(2), Pal(3), Pal(3), Pal(2), Pal(0)}},
        {24, 2, {0, 0, 255, 0, 255, 0, 0, 0}, {255, 0, 0, 255, 255, 255, 0, 0}, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}},
    };
    for (const Case& c : cases)
        for (bool topDown : {false, true}) {
            const std::vector<uint32_t> palette = c.bits < 24 ? Palette4 : std::vector<uint32_t>{};
            const BmpSpec s{c.width, topDown ? -2 : 2, c.bits, 0, palette, {}, Rows(c.top, c.bottom, topDown)};
            EXPECT_EQ(Decoded(MakeBmp(s), c.width), c.expected) << c.bits << (topDown ? " bits top-down" : " bits");
        }
    // 32 bits BI_RGB: the spare byte is no alpha.
    EXPECT_EQ(Decoded(MakeBmp({1, 1, 32, 0, {}, {}, {0x30, 0x20, 0x10, 0x00}}), 1), Pixels{0xFF102030});
    // 32 bits with masks after the header, alpha in the low byte (BI_ALPHABITFIELDS).
    const BmpSpec fields32{1, 1, 32, 6, {}, {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF}, {0x80, 0x30, 0x20, 0x10}};
    EXPECT_EQ(Decoded(MakeBmp(fields32), 1), Pixels{0x80102030});
    // 16 bits 5-6-5: full red and full blue; 16 bits BI_RGB is 5-5-5.
    const BmpSpec fields16{2, 1, 16, 3, {}, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0x1F, 0x00}};
    EXPECT_EQ(Decoded(MakeBmp(fields16), 2), (Pixels{0xFFFF0000, 0xFF0000FF}));
    EXPECT_EQ(Decoded(MakeBmp({1, 1, 16, 0, {}, {}, {0xE0, 0x03, 0, 0}}), 1), Pixels{0xFF00FF00});
}

TEST(BmpCodec, RoundTripsExactlyAndTwentyFourBitsDropTheAlpha) {
    std::mt19937 rng(1);
    for (int w : {1, 2, 3, 5, 17})
        for (BmpBits bits : {BmpBits::Bits24, BmpBits::Bits32}) {
            TBitmap32 p(w, 7);
            for (int i = 0; i < w * 7; ++i) p.Bits()[i] = bits == BmpBits::Bits32 ? rng() : (rng() | 0xFF000000);
            EXPECT_EQ(Decoded(EncodeBmp(p, bits).Bytes, w), Pixels(p.Bits(), p.Bits() + w * 7)) << w;
        }
    TBitmap32 one(1, 1);
    one.SetPixel(0, 0, 0x40112233);
    EXPECT_EQ(Decoded(EncodeBmp(one, BmpBits::Bits24).Bytes, 1), Pixels{0xFF112233u});
    EXPECT_FALSE(EncodeBmp(TBitmap32(), BmpBits::Bits24).Ok());
}

TEST(BmpCodec, RefusesDamagedFiles) {
    const BmpSpec good{4, 2, 24, 0, {}, {}, Bytes(24, 7)};
    auto with = [&](auto change) {
        Bytes b = MakeBmp(good);
        change(b);
        return b;
    };
    const std::pair<const char*, Bytes> cases[] = {
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
    for (const auto& [expected, file] : cases) {
        DecodeResult r = DecodeBmp(file);
        EXPECT_FALSE(r.Ok()) << expected;
        EXPECT_NE(r.Error.find(expected), std::string::npos) << r.Error;
        EXPECT_TRUE(r.Picture.Empty());
    }
}

}  // namespace
}  // namespace pax
