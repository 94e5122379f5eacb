#pragma once
// The program's own sprite pictures, painted by code at start-up so that no resource file is
// needed: 0/1, 2 and 3 shaded balls of 26 x 26; 4 .. 13 stars, sparkles, flowers and balls of
// 32 x 32; 14 a broad-leaved tree of 146 x 257 and 15 a conifer of 120 x 297. All have a
// transparent background, soft (partly transparent) edges and draw in blend mode.

#include <cstdint>

#include "foundation/color32.h"
#include "render/surface/bitmap32.h"

namespace pax {

class SpriteStore;
class Eye3d;
class Light3d;

inline constexpr uint16_t LastOwnSpriteId = 15;
inline constexpr uint16_t SphereSpriteId = 16;
inline constexpr uint16_t CheckerSpriteId = 17;
inline constexpr TColor32 SphereSpriteColor = 0xFFFFA500;
inline constexpr int SphereSpriteSide = 64;
inline constexpr int CheckerSpriteSide = 16;

// The picture of identifier 0 .. 15 (1 for 0); an empty picture for any other identifier.
// The same identifier always gives the same pixels.
TBitmap32 MakeSpritePicture(uint16_t id);

// Fills a new store: the pictures 0 .. 15, sprite 16 the lit orange sphere as the eye sees it
// under the light, 17 the 16 x 16 checkerboard and 18 .. 40 copies of 17.
void InstallSpritePictures(SpriteStore& store, const Eye3d& eye, Light3d& light);

}  // namespace pax
