#pragma once
// Windows bitmap files, our own small codec. Reads 1, 4 and 8 bits per pixel with a colour
// table, 16, 24 and 32 bits (BI_RGB and BI_BITFIELDS), bottom-up and top-down rows. Alpha is
// taken only from an explicit alpha mask (BI_BITFIELDS with a V4 or newer header); the spare
// byte of a 32-bit BI_RGB pixel is ignored, so such pictures load opaque.

#include <cstdint>
#include <span>

#include "render/files/picture_codec.h"

namespace pax {

enum class BmpBits { Bits24, Bits32 };

DecodeResult DecodeBmp(std::span<const uint8_t> data, const DecodeLimits& limits = {});

// 24 bits: BI_RGB, alpha dropped. 32 bits: a V4 header with BI_BITFIELDS masks for red, green,
// blue and alpha, so the alpha survives. Rows are written bottom-up.
EncodeResult EncodeBmp(const TBitmap32& picture, BmpBits bits);

}  // namespace pax
