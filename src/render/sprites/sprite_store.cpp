#include "render/sprites/sprite_store.h"

#include <cmath>
#include <string>

#include "system/exceptions.h"

namespace pax {

namespace {

// Sprite rectangles far off the surface are held here before rounding, so that the stretch
// never sees coordinates beyond the int32 range.
constexpr float CoordinateLimit = 1 << 30;

int32_t RoundCoordinate(float v) {
    if (!(v > -CoordinateLimit)) v = -CoordinateLimit;   // also NaN
    if (v > CoordinateLimit) v = CoordinateLimit;
    return static_cast<int32_t>(std::lrint(v));
}

}  // namespace

SpriteStore::SpriteStore() {
    // The resource pictures (1 .. 15; 0 shares 1) exist from the start.
    for (uint16_t id = 1; id <= 15; ++id) m_pictures[id] = std::make_unique<TBitmap32>();
}

TBitmap32& SpriteStore::GetSprite(uint16_t id) {
    if (id > MaxSpriteId) throw ERangeError("wrong sprite id " + std::to_string(id));
    std::unique_ptr<TBitmap32>& picture = m_pictures[Slot(id)];
    if (!picture) picture = std::make_unique<TBitmap32>();
    return *picture;
}

bool SpriteStore::HasSprite(uint16_t id) const { return id <= MaxSpriteId && m_pictures[Slot(id)] != nullptr; }

void SpriteStore::SetColor(uint16_t id, TColor32 colour) {
    TBitmap32& sprite = GetSprite(id);
    const TColor32 rgb = colour & 0x00FFFFFF;
    for (int y = 0; y < sprite.Height(); ++y) {
        TColor32* row = sprite.ScanLine(y);
        for (int x = 0; x < sprite.Width(); ++x) row[x] = (row[x] & 0xFF000000) | rgb;
    }
}

void SpriteStore::AddScaledSprite(uint16_t id, const tRectF& rect, uint8_t alpha, TBitmap32& dest) {
    const tSpriteDraw draw = PlanScaledSprite(id, rect, alpha);
    // Only the part on the surface matters; the stretch itself maps from the whole rectangle.
    if (draw.Picture) draw.Picture->StretchTo(dest, draw.Target);
}

tSpriteDraw SpriteStore::PlanScaledSprite(uint16_t id, const tRectF& rect, uint8_t alpha) {
    TBitmap32& sprite = GetSprite(id);
    tSpriteDraw draw;
    if (sprite.Empty() || alpha == 0) return draw;
    sprite.DrawMode = TDrawMode::dmBlend;
    sprite.MasterAlpha = alpha;
    draw.Target = TRect{RoundCoordinate(rect.Left), RoundCoordinate(rect.Top), RoundCoordinate(rect.Right),
                        RoundCoordinate(rect.Bottom)};
    if (!draw.Target.Empty()) draw.Picture = &sprite;
    draw.Alpha = alpha;
    return draw;
}

tSpriteDraw SpriteStore::PlanTintedSprite(uint16_t id, TColor32 colour, const tRectF& rect, uint8_t alpha) {
    tSpriteDraw draw = PlanScaledSprite(id, rect, alpha);   // also refuses a wrong id
    std::optional<TColor32>& tint = m_plannedTints[Slot(id)];
    if ((colour & 0x00FFFFFF) != 0) tint = colour & 0x00FFFFFF;
    if (tint) {
        draw.Tinted = true;
        draw.Tint = *tint;
    }
    return draw;
}

void SpriteStore::CommitPlannedTints() {
    for (size_t slot = 0; slot < m_plannedTints.size(); ++slot) {
        if (!m_plannedTints[slot]) continue;
        SetColor(static_cast<uint16_t>(slot), *m_plannedTints[slot]);
        m_plannedTints[slot].reset();
    }
}

tSpriteSize SpriteStore::GetSpriteSize(uint16_t id) {
    const TBitmap32& sprite = GetSprite(id);
    if (sprite.Empty()) return m_defaultSize;
    return {sprite.Width(), sprite.Height()};
}

}  // namespace pax
