#pragma once
// What the picture codecs share: their results and the limits that keep a hostile file from
// making a decoder allocate or work without bound. The codecs are pure functions over bytes;
// reporting to the user is the business of picture_io.

#include <cstdint>
#include <string>
#include <vector>

#include "render/surface/bitmap32.h"

namespace pax {

// Neither side of a decoded picture may exceed this; checked before any pixel is allocated.
inline constexpr int MaxPictureSide = 16384;

struct DecodeLimits {
    int MaxSide = MaxPictureSide;
    int64_t MaxPixels = int64_t{MaxPictureSide} * MaxPictureSide;
};

// A decoded picture, or an empty one and the reason. The texts name the format ("PNG: ...").
struct DecodeResult {
    TBitmap32 Picture;
    std::string Error;
    bool Ok() const { return Error.empty(); }
};

struct EncodeResult {
    std::vector<uint8_t> Bytes;
    std::string Error;
    bool Ok() const { return Error.empty(); }
};

// An empty text when a picture of width x height may be decoded under limits, otherwise why not.
std::string CheckPictureSize(int64_t width, int64_t height, const DecodeLimits& limits);

inline DecodeResult DecodeFailure(std::string error) { return {TBitmap32{}, std::move(error)}; }
inline EncodeResult EncodeFailure(std::string error) { return {{}, std::move(error)}; }

}  // namespace pax
