#include "render/files/picture_codec.h"

namespace pax {

std::string CheckPictureSize(int64_t width, int64_t height, const DecodeLimits& limits) {
    std::string size = std::to_string(width) + " x " + std::to_string(height) + " pixels";
    if (width <= 0 || height <= 0) return "the picture size " + size + " is empty";
    if (width > limits.MaxSide || height > limits.MaxSide)
        return "the picture size " + size + " is too large (at most " +
               std::to_string(limits.MaxSide) + " x " + std::to_string(limits.MaxSide) + ")";
    if (width * height > limits.MaxPixels)
        return "the picture size " + size + " is too large (at most " +
               std::to_string(limits.MaxPixels) + " pixels)";
    return {};
}

}  // namespace pax
