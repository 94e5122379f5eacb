#pragma once
// JPEG pictures through libjpeg (libjpeg-turbo). Grey, colour and CMYK pictures decode to
// opaque pixels. Corrupt data (bad Huffman codes, a premature end) is an error, not a grey
// patch: a damaged file gives no picture.

#include <cstdint>
#include <span>

#include "render/files/picture_codec.h"

namespace pax {

inline constexpr int JpegQualityForSaving = 95;

enum class JpegScan { Sequential, Progressive };

DecodeResult DecodeJpeg(std::span<const uint8_t> data, const DecodeLimits& limits = {});

// quality 1..100 (clamped); the alpha channel is dropped.
EncodeResult EncodeJpeg(const TBitmap32& picture, int quality, JpegScan scan);

}  // namespace pax
