#include "render/files/picture_utils.h"

namespace pax {

void ColorKey(const TBitmap32& source, TBitmap32& destination, TColor32 key, int threshold, int radius) {
    if (&source != &destination) destination.Assign(source);
    const int64_t r2 = int64_t(radius) * radius;
    if (r2 == 0) return;
    const int keyRed = RedOf(key), keyGreen = GreenOf(key), keyBlue = BlueOf(key);
    for (int y = 0; y < destination.Height(); ++y) {
        TColor32* row = destination.ScanLine(y);
        for (int x = 0; x < destination.Width(); ++x) {
            const TColor32 c = row[x];
            const int dr = RedOf(c) - keyRed, dg = GreenOf(c) - keyGreen, db = BlueOf(c) - keyBlue;
            const int64_t d2 = int64_t(dr) * dr + int64_t(dg) * dg + int64_t(db) * db;
            if (d2 >= r2) continue;
            const int64_t alpha = (d2 * 255 + r2 / 2) / r2;
            row[x] = alpha < threshold ? 0x00000000u : SetAlpha(c, static_cast<uint8_t>(alpha));
        }
    }
    destination.Changed();
}

bool FitRect(const TRect& picture, const TRect& page, TRect& out) {
    const int64_t pw = int64_t(picture.Right) - picture.Left, ph = int64_t(picture.Bottom) - picture.Top;
    const int64_t gw = int64_t(page.Right) - page.Left, gh = int64_t(page.Bottom) - page.Top;
    if (pw <= 0 || ph <= 0 || gw <= 0 || gh <= 0) return false;
    // Sides reach 2^32 - 1, so their products need 128 bits.
    using Wide = __int128;
    if (Wide(gw) * ph > Wide(pw) * gh) {
        const int64_t w = static_cast<int64_t>(Wide(pw) * gh / ph);
        const int64_t left = page.Left + (gw - w) / 2;
        out = {static_cast<int32_t>(left), page.Top, static_cast<int32_t>(left + w), page.Bottom};
    } else {
        const int64_t h = static_cast<int64_t>(Wide(ph) * gw / pw);
        out = {page.Left, page.Top, page.Right, static_cast<int32_t>(page.Top + h)};
    }
    return true;
}

}  // namespace pax
