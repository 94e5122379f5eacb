#pragma once
// SpriteDisplay: the overlay layers of the picture on the screen. A layer holds its own copy
// of a sprite and is blended over the shown picture with its master alpha; the picture's
// surface itself is never touched, so saved and printed pictures have no overlays. The
// widget that shows the picture draws the layers in order over it.

#include <cstdint>
#include <vector>

#include "render/surface/bitmap32.h"

namespace pax {

class SpriteStore;

struct tSpriteLayer {
    TBitmap32 Picture;
    int32_t Left = 0, Top = 0;   // picture pixels of the layer's top-left corner
    uint8_t MasterAlpha = 255;
};

class SpriteDisplay {
public:
    // The first layer (made when there is none) takes a copy of sprite, blended with alpha,
    // centred on (x, y).
    void AddSprite(int32_t x, int32_t y, const TBitmap32& sprite, uint8_t alpha);
    // Layer index's top-left corner to (x, y); an index without a layer is ignored.
    void MoveSprite(size_t index, int32_t x, int32_t y);
    void ClearSprites();

    const std::vector<tSpriteLayer>& Layers() const { return m_layers; }
    // Counts the changes, so that the widget knows when to show the picture again.
    uint64_t Version() const { return m_version; }

private:
    std::vector<tSpriteLayer> m_layers;
    uint64_t m_version = 0;
};

// The sprite of id from the store as the display's first layer (ERangeError above id 40).
void AddSprite(SpriteDisplay& display, SpriteStore& sprites, int32_t x, int32_t y, uint16_t id, uint8_t alpha);

}  // namespace pax
