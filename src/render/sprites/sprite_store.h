#pragma once
// SpriteStore: the pictures that the renderer draws at projected positions instead of
// geometry. Identifiers 0 .. 40; 0 and 1 share one picture. The pictures of 0 .. 15 are the
// program's own resources (loaded into the store by their owner); 16 .. 40 are made on first
// use. An empty picture stands for a sprite of the default size that draws nothing.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "foundation/color32.h"
#include "render/surface/bitmap32.h"

namespace pax {

struct tSpriteSize {
    int32_t Width = 0, Height = 0;
    bool operator==(const tSpriteSize&) const = default;
};

// A rectangle in window pixels: left, top, right, bottom.
struct tRectF {
    float Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// A sprite drawing worked out ahead by the store, to be drawn later, possibly by several
// threads on their own rows, while the store stays unchanged.
struct tSpriteDraw {
    const TBitmap32* Picture = nullptr;   // nullptr: nothing to draw
    TRect Target;
    uint8_t Alpha = 0;
    bool Tinted = false;                  // every pixel takes Tint's red, green and blue
    TColor32 Tint = 0;

    void DrawInto(TBitmap32& dest) const {
        if (Picture) Picture->StretchBlendTo(dest, Target, Alpha, Tinted, Tint);
    }
};

class SpriteStore {
public:
    static constexpr uint16_t MaxSpriteId = 40;
    static constexpr int SpriteCount = MaxSpriteId + 1;
    static constexpr tSpriteSize InitialDefaultSize{32, 32};

    SpriteStore();
    SpriteStore(const SpriteStore&) = delete;
    SpriteStore& operator=(const SpriteStore&) = delete;

    // The picture of id, made empty on first use. ERangeError "wrong sprite id <id>" above 40.
    TBitmap32& GetSprite(uint16_t id);
    // Whether id already has a picture object (0 .. 15 always do).
    bool HasSprite(uint16_t id) const;

    // Every pixel gets the colour's red, green and blue; alphas stay (a tinted silhouette).
    void SetColor(uint16_t id, TColor32 colour);

    // The sprite blended with master alpha into rect (rounded to whole pixels) of dest.
    void AddScaledSprite(uint16_t id, const tRectF& rect, uint8_t alpha, TBitmap32& dest);

    // Drawings planned ahead: PlanTintedSprite gives what SetColor(id, colour) (unless
    // colour's red, green and blue are 0) and then AddScaledSprite would draw, and leaves the
    // sprite's mode and alpha as they would, but keeps the new colour aside until
    // CommitPlannedTints, which recolours each sprite as the last plan asked.
    tSpriteDraw PlanTintedSprite(uint16_t id, TColor32 colour, const tRectF& rect, uint8_t alpha);
    void CommitPlannedTints();

    // The picture's size, or the default size for an empty picture.
    tSpriteSize GetSpriteSize(uint16_t id);
    tSpriteSize DefaultSize() const { return m_defaultSize; }
    void SetDefaultSize(tSpriteSize size) { m_defaultSize = size; }

private:
    static int Slot(uint16_t id) { return id == 0 ? 1 : id; }

    // What AddScaledSprite draws; the sprite's mode and alpha set as it sets them.
    tSpriteDraw PlanScaledSprite(uint16_t id, const tRectF& rect, uint8_t alpha);

    std::array<std::unique_ptr<TBitmap32>, SpriteCount> m_pictures;
    std::array<std::optional<TColor32>, SpriteCount> m_plannedTints;   // by slot
    tSpriteSize m_defaultSize = InitialDefaultSize;
};

}  // namespace pax
