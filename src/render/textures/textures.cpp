#include "render/textures/textures.h"

#include <algorithm>

#include "system/error_reporting.h"

namespace pax {

namespace {

TTextureRef& CurrentTextureSlot() {
    static TTextureRef current;
    return current;
}

// A start moved by whole tile sizes into (-size, 0]: copies left of or above the destination
// draw nothing, so this changes no pixel, and a start far off needs no walk to get there.
int ReduceStart(int start, int size) {
    const int64_t r = int64_t(start) % size;   // sign of start
    return static_cast<int>(r > 0 ? r - size : r);
}

}  // namespace

bool tTextures::RegisterTexture(TTextureRef surface) {
    if (!surface) return false;
    if (m_count >= MaxTextures) {
        ShowError("Textures:  tTextures.RegisterTexture", "too much textures", 258);
        return false;
    }
    m_slots[++m_count] = std::move(surface);
    return true;
}

void tTextures::SelectTexture(int& index) {
    if (m_count == 0) return;
    // Floor modulo, so that an index far below 1 still lands in 1 .. count.
    const int64_t count = m_count;
    int64_t wrapped = (int64_t(index) - 1) % count;
    if (wrapped < 0) wrapped += count;
    index = static_cast<int>(wrapped + 1);
    SetCurrentTexture(m_slots[index]);
}

TTextureRef tTextures::Texture(int index) const {
    if (index < 1 || index > m_count) return nullptr;
    return m_slots[index];
}

TTextureRef CurrentTexture() { return CurrentTextureSlot(); }

void SetCurrentTexture(TTextureRef texture) { CurrentTextureSlot() = std::move(texture); }

void TileTexture(int startX, int startY, const TBitmap32& texture, TBitmap32& destination) {
    const int tw = texture.Width(), th = texture.Height();
    if (tw <= 0 || th <= 0 || destination.Empty()) return;
    TBitmap32 copy;
    const TBitmap32* tile = &texture;
    if (&texture == &destination) {
        copy.Assign(texture);
        tile = &copy;
    }
    const int x0 = ReduceStart(startX, tw), y0 = ReduceStart(startY, th);
    for (int y = y0; y < destination.Height(); y += th)
        for (int x = x0; x < destination.Width(); x += tw) tile->DrawTo(destination, x, y);
    destination.Changed();
}

void TileToRect(const TBitmap32& source, TBitmap32& destination, const TRect& rect) {
    const int64_t w = int64_t(rect.Right) - rect.Left, h = int64_t(rect.Bottom) - rect.Top;
    if (w <= 0 || h <= 0) return;
    if (w * h > (int64_t(1) << 26)) {
        ShowPaxError("Textures:  TileToRect",
                     "rectangle too large: " + std::to_string(w) + " x " + std::to_string(h) + " pixels");
        return;
    }
    TBitmap32 tile(static_cast<int>(w), static_cast<int>(h));
    source.StretchTo(tile, TRect{0, 0, tile.Width(), tile.Height()});
    TileTexture(rect.Left, rect.Top, tile, destination);
}

void ShiftSurface(const TBitmap32& source, TBitmap32& destination, int n) {
    if (n == 0) return;
    n = std::clamp(n, -(1 << 20), 1 << 20);
    const int w = source.Width(), h = source.Height();
    if (n > 0)
        source.StretchTo(destination, TRect{0, 0, w - 1, h - 1}, TRect{n, n, w - 1 - n, h - 1 - n});
    else
        source.StretchTo(destination, TRect{n, n, w - 1 - n, h - 1 - n}, TRect{0, 0, w - 1, h - 1});
    destination.Changed();
}

}  // namespace pax
