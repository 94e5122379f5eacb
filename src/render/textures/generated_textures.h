#pragma once
// The nine textures the program ships, drawn by code at start-up: bricks, checks, wood,
// marble, stars, scales, waves, diamonds and grass. Each is TextureSide pixels square, opaque,
// and seamless: a tile's right edge continues into its left one, its bottom into its top.

#include <string_view>
#include <vector>

#include "render/surface/bitmap32.h"

namespace pax {

inline constexpr int TextureSide = 96;
inline constexpr int GeneratedTextureCount = 9;

// Texture 1 .. 9; another number gives an empty surface.
TBitmap32 MakeTexture(int number);
std::string_view TextureName(int number);

}  // namespace pax
