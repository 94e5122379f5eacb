#include "render/textures/generated_textures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace pax {
namespace {

TEST(GeneratedTextures, NineOpaqueSeamlessTiles) {
    for (int n = 1; n <= GeneratedTextureCount; ++n) {
        const TBitmap32 t = MakeTexture(n);
        ASSERT_EQ(t.Width(), TextureSide);
        EXPECT_FALSE(TextureName(n).empty());
        // Across each seam the colours change no more than between the most different
        // neighbouring columns (rows) inside the tile, give or take the grain.
        const auto diff = [](TColor32 a, TColor32 b) {
            long d = 0;
            for (int s = 0; s < 24; s += 8) d += std::labs(long((a >> s) & 0xFF) - long((b >> s) & 0xFF));
            return d;
        };
        const auto columns = [&](int a, int b) {
            long d = 0;
            for (int y = 0; y < TextureSide; ++y) d += diff(t.Pixel(a, y), t.Pixel(b, y));
            return d;
        };
        const auto rows = [&](int a, int b) {
            long d = 0;
            for (int x = 0; x < TextureSide; ++x) d += diff(t.Pixel(x, a), t.Pixel(x, b));
            return d;
        };
        long insideColumns = 0, insideRows = 0;
        for (int i = 0; i + 1 < TextureSide; ++i) {
            insideColumns = std::max(insideColumns, columns(i, i + 1));
            insideRows = std::max(insideRows, rows(i, i + 1));
        }
        EXPECT_LE(columns(TextureSide - 1, 0), insideColumns * 11 / 10) << TextureName(n);
        EXPECT_LE(rows(TextureSide - 1, 0), insideRows * 11 / 10) << TextureName(n);
        for (int y = 0; y < TextureSide; ++y) EXPECT_EQ(t.Pixel(y, y) >> 24, 0xFFu);
    }
    EXPECT_TRUE(MakeTexture(0).Empty());
    EXPECT_TRUE(MakeTexture(10).Empty());
}

}  // namespace
}  // namespace pax
