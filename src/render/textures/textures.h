#pragma once
// Textures: the registry of up to nine pictures that can be tiled over the background, the
// current texture that the background code reads, and the tiling and shifting routines.

#include <array>
#include <cstdint>
#include <memory>

#include "render/surface/bitmap32.h"

namespace pax {

using TTextureRef = std::shared_ptr<const TBitmap32>;

class tTextures {
public:
    static constexpr int MaxTextures = 9;

    virtual ~tTextures() = default;

    // Appends the surface; a tenth one is refused with an error box. A null surface is not
    // registered. Returns whether it was registered.
    bool RegisterTexture(TTextureRef surface);

    // Wraps index into 1 .. count (0 selects the last texture, count + 1 the first), writes
    // it back and makes that texture the current texture. With no texture registered,
    // nothing changes.
    void SelectTexture(int& index);

    uint16_t TextureCount() const { return m_count; }
    // Texture 1 .. count; null outside.
    TTextureRef Texture(int index) const;

    void SetTextureSize(uint16_t width, uint16_t height) {
        m_textureWidth = width;
        m_textureHeight = height;
    }
    uint16_t TextureWidth() const { return m_textureWidth; }
    uint16_t TextureHeight() const { return m_textureHeight; }

private:
    // Slots 1 .. 10 (index 0 unused), of which 1 .. 9 are filled by registration.
    std::array<TTextureRef, 11> m_slots;
    uint16_t m_count = 0;
    uint16_t m_textureWidth = 0, m_textureHeight = 0;
};

// The current texture of the background (none at start).
TTextureRef CurrentTexture();
void SetCurrentTexture(TTextureRef texture);

// Fills destination with copies of texture laid edge to edge, each drawn with the texture's
// draw mode. A positive start is first reduced by whole texture sizes until it is not
// positive; the copies then run from the start to the destination's right and bottom edges.
void TileTexture(int startX, int startY, const TBitmap32& texture, TBitmap32& destination);

// The whole source stretched to the rectangle's size, tiled over destination from the
// rectangle's top left corner. Rectangles without area, or of more than 2^26 pixels, draw
// nothing (the latter after a message).
void TileToRect(const TBitmap32& source, TBitmap32& destination, const TRect& rect);

// Zooms by n pixels on every side, rectangles right and bottom exclusive, width and height
// the source's: n > 0 stretches the source's (n, n, width - 1 - n, height - 1 - n) onto the
// destination's (0, 0, width - 1, height - 1) (zoom in); n < 0 stretches the source's
// (0, 0, width - 1, height - 1) onto the destination's (n, n, width - 1 - n, height - 1 - n)
// (zoom out); n = 0 does nothing. |n| is limited to 2^20.
void ShiftSurface(const TBitmap32& source, TBitmap32& destination, int n);

}  // namespace pax
