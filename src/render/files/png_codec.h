#pragma once
// PNG pictures through libpng. Every colour type and bit depth decodes to TColor32: a
// transparent colour (tRNS) gives its pixels alpha 0, an alpha channel or a palette with
// alpha entries is copied into the pixels' alpha, everything else is opaque. 16-bit samples
// are scaled to 8 bits.

#include <cstdint>
#include <span>

#include "render/files/picture_codec.h"

namespace pax {

inline constexpr int PngCompressionForSaving = 9;

// Refuses, before allocating, a picture whose declared size the compressed data could not
// possibly fill (a decompression bomb), besides the size limits.
DecodeResult DecodePng(std::span<const uint8_t> data, const DecodeLimits& limits = {});

// 8-bit RGBA, alpha kept; compressionLevel 0..9 (zlib).
EncodeResult EncodePng(const TBitmap32& picture, int compressionLevel = PngCompressionForSaving);

}  // namespace pax
