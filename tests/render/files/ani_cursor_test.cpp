#include "render/files/ani_cursor.h"

#include <gtest/gtest.h>

#include <cstring>


namespace pax {
namespace {

std::vector<TBitmap32> TwoFrames() {
    std::vector<TBitmap32> frames;
    for (int f = 0; f < 2; ++f) {
        TBitmap32 picture(32, 32);
        picture.Clear(0);   // transparent
        for (int i = 0; i < 32; ++i) picture.SetPixel(i, (i + f * 5) % 32, 0xFF10A0F0);
        frames.push_back(std::move(picture));
    }
    return frames;
}

TEST(AniCursor, FramesRatesAndHotSpotSurviveTheFile) {
    const std::vector<TBitmap32> frames = TwoFrames();
    const AniDecodeResult decoded = DecodeAni(EncodeAni(frames, 6, 15, 12));
    ASSERT_TRUE(decoded.Ok()) << decoded.Error;
    ASSERT_EQ(decoded.Cursor.Frames.size(), 2u);
    EXPECT_EQ(decoded.Cursor.Sequence, (std::vector<int>{0, 1}));
    EXPECT_EQ(decoded.Cursor.Rates, (std::vector<int>{6, 6}));
    for (size_t f = 0; f < 2; ++f) {
        const tCursorFrame& frame = decoded.Cursor.Frames[f];
        EXPECT_EQ(frame.HotX, 15);
        EXPECT_EQ(frame.HotY, 12);
        ASSERT_EQ(frame.Picture.Width(), 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) ASSERT_EQ(frame.Picture.Pixel(x, y), frames[f].Pixel(x, y)) << x << "," << y;
    }
}

// A classic cursor: one bit per pixel with its palette and the AND mask; the step list of
// the "seq " chunk picks the frames.
TEST(AniCursor, PaletteBitmapsMasksAndSequences) {
    std::vector<uint8_t> cur = {0, 0, 2, 0, 1, 0, 8, 8, 0, 0, 3, 0, 4, 0};
    const uint32_t dibSize = 40 + 8 + 8 * 4 + 8 * 4;
    for (uint32_t v : {dibSize, 22u})
        for (int i = 0; i < 4; ++i) cur.push_back(uint8_t(v >> (8 * i)));
    const uint32_t header[10] = {40, 8, 16, 1 | (1 << 16), 0, 0, 0, 0, 2, 0};
    for (uint32_t v : header)
        for (int i = 0; i < 4; ++i) cur.push_back(uint8_t(v >> (8 * i)));
    for (uint8_t b : {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0}) cur.push_back(b);   // black, white
    for (int row = 0; row < 8; ++row)                                      // bottom row first
        for (uint8_t b : {uint8_t(row == 7 ? 0x80 : 0), uint8_t(0), uint8_t(0), uint8_t(0)}) cur.push_back(b);
    for (int row = 0; row < 8; ++row)   // the left column transparent
        for (uint8_t b : {uint8_t(0x80), uint8_t(0), uint8_t(0), uint8_t(0)}) cur.push_back(b);
    tCursorFrame frame;
    std::string error;
    ASSERT_TRUE(DecodeCursorImage(cur, frame, error)) << error;
    EXPECT_EQ(frame.HotX, 3);
    EXPECT_EQ(frame.HotY, 4);
    EXPECT_EQ(frame.Picture.Pixel(0, 0), 0u);            // masked
    EXPECT_EQ(frame.Picture.Pixel(1, 0), 0xFF000000u);   // black, top row
    EXPECT_EQ(frame.Picture.Pixel(1, 1), 0xFF000000u);

    std::vector<uint8_t> ani = EncodeAni(TwoFrames(), 4, 0, 0);
    const uint8_t seq[] = {'s', 'e', 'q', ' ', 12, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    ani.insert(ani.end(), std::begin(seq), std::end(seq));
    ani[4 + 0] = uint8_t(ani.size() - 8);
    ani[4 + 1] = uint8_t((ani.size() - 8) >> 8);
    ani[12 + 8 + 8] = 3;   // three steps in the header
    const AniDecodeResult decoded = DecodeAni(ani);
    ASSERT_TRUE(decoded.Ok()) << decoded.Error;
    EXPECT_EQ(decoded.Cursor.Sequence, (std::vector<int>{1, 1, 0}));
}

TEST(AniCursor, DamagedFilesGiveAnErrorAndNoFrames) {
    const std::vector<uint8_t> good = EncodeAni(TwoFrames(), 6, 0, 0);
    const auto fails = [](std::vector<uint8_t> bytes) {
        const AniDecodeResult r = DecodeAni(bytes);
        return !r.Ok() && r.Cursor.Frames.empty();
    };
    EXPECT_TRUE(fails({}));
    EXPECT_TRUE(fails({good.begin(), good.begin() + static_cast<long>(good.size() / 2)}));
    std::vector<uint8_t> bad = good;
    bad[8] = 'X';   // not ACON
    EXPECT_TRUE(fails(bad));
    bad = good;
    bad[12 + 8 + 4] = 3;   // three frames announced, two there
    EXPECT_TRUE(fails(bad));
    bad = good;
    bad[12 + 8 + 36 + 8 + 4 + 8 + 14] = 0xFF;   // a frame's image outside its file
    bad[12 + 8 + 36 + 8 + 4 + 8 + 15] = 0xFF;
    EXPECT_TRUE(fails(bad));
    // Every cut of the file fails cleanly.
    for (size_t n = 0; n < good.size(); n += 97) EXPECT_TRUE(fails({good.begin(), good.begin() + static_cast<long>(n)}));
}

}  // namespace
}  // namespace pax
