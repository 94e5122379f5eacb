#pragma once
// Sprites made on request: the checkerboard placeholder, lit spheres, copies and pictures
// loaded from files. Each works on the store's pictures; the identifiers of made sprites are
// held within 16 .. 40, the part of the store that is not the program's own pictures.

#include <cstdint>
#include <functional>
#include <string>

#include "foundation/color32.h"
#include "foundation/vector3d.h"

namespace pax {

class SpriteStore;
class Eye3d;
class Light3d;

inline constexpr uint16_t FirstMadeSpriteId = 16;
// Sides of made sprites are held within 1 .. this, so a wrong size cannot exhaust memory.
inline constexpr int MaxMadeSpriteSide = 2048;
inline constexpr TColor32 CheckerDark = 0xFF7F7F7F;
inline constexpr TColor32 CheckerLight = 0x3F7F7F7F;

// A width x height picture of 4 x 4 squares, CheckerDark where (y div 4 + x div 4) is odd and
// CheckerLight elsewhere, drawn in blend mode. Returns the identifier used (id held in 16 .. 40).
uint16_t CreateRenderSprite(SpriteStore& store, uint16_t id, int width, int height);

// A sphere of colour as the eye sees it under the light: a soft-edged disc (alpha ramps over
// the outer rim) shaded by the light model with the eye's frame. Returns the identifier used.
uint16_t CreateSphereSprite(SpriteStore& store, const Eye3d& eye, Light3d& light, uint16_t id, int width,
                            TColor32 colour, int height);

// The same, each pixel coloured by colouring(world direction of its normal) before the light.
using SphereColoring = std::function<TColor32(const tVector3d& direction)>;
uint16_t CreateColoredSphereSprite(SpriteStore& store, const Eye3d& eye, Light3d& light, uint16_t id, int width,
                                   int height, const SphereColoring& colouring);

// The picture of to becomes a copy of the picture of from; nothing when either has none.
void CopySprite(SpriteStore& store, uint16_t from, uint16_t to);

// Loads a BMP, JPEG or PNG file into the sprite's picture (made for 16 .. 40 when missing).
// An identifier above 40 or a file that cannot be loaded is reported with the caption
// "FSprite: TPaxSpriteForm.LoadSprite" and false returned; the picture is then unchanged.
bool LoadSprite(SpriteStore& store, uint16_t id, const std::string& file);

}  // namespace pax
