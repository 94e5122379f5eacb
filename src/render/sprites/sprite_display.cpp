#include "render/sprites/sprite_display.h"

#include "render/sprites/sprite_store.h"

namespace pax {

void SpriteDisplay::AddSprite(int32_t x, int32_t y, const TBitmap32& sprite, uint8_t alpha) {
    if (m_layers.empty()) m_layers.emplace_back();
    tSpriteLayer& layer = m_layers.front();
    layer.Picture.Assign(sprite);
    layer.Left = x - sprite.Width() / 2;
    layer.Top = y - sprite.Height() / 2;
    layer.MasterAlpha = alpha;
    ++m_version;
}

void SpriteDisplay::MoveSprite(size_t index, int32_t x, int32_t y) {
    if (index >= m_layers.size()) return;
    m_layers[index].Left = x;
    m_layers[index].Top = y;
    ++m_version;
}

void SpriteDisplay::ClearSprites() {
    if (m_layers.empty()) return;
    m_layers.clear();
    ++m_version;
}

void AddSprite(SpriteDisplay& display, SpriteStore& sprites, int32_t x, int32_t y, uint16_t id, uint8_t alpha) {
    display.AddSprite(x, y, sprites.GetSprite(id), alpha);
}

}  // namespace pax
