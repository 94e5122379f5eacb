// JPEG decoding of arbitrary bytes: no crash, no hang, no unbounded allocation; a picture that
// decodes is opaque and can be encoded again.
#include <cstdint>
#include <cstdlib>

#include "render/files/jpeg_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pax::DecodeLimits limits;
    limits.MaxPixels = 1 << 22;
    pax::DecodeResult decoded = pax::DecodeJpeg({data, size}, limits);
    if (!decoded.Ok()) {
        if (!decoded.Picture.Empty()) std::abort();
        return 0;
    }
    const pax::TBitmap32& picture = decoded.Picture;
    const size_t count = size_t(picture.Width()) * picture.Height();
    for (size_t i = 0; i < count; ++i)
        if (pax::AlphaOf(picture.Bits()[i]) != 255) std::abort();
    if (count <= 4096 && !pax::EncodeJpeg(picture, 75, pax::JpegScan::Progressive).Ok()) std::abort();
    return 0;
}
