// BMP decoding of arbitrary bytes: no crash, no read outside the data, and every picture that
// decodes survives our own 32-bit encoder unchanged.
#include <cstdint>
#include <cstdlib>

#include "render/files/bmp_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pax::DecodeLimits limits;
    limits.MaxPixels = 1 << 22;
    pax::DecodeResult decoded = pax::DecodeBmp({data, size}, limits);
    if (!decoded.Ok()) {
        if (!decoded.Picture.Empty()) std::abort();
        return 0;
    }
    const pax::TBitmap32& picture = decoded.Picture;
    pax::EncodeResult encoded = pax::EncodeBmp(picture, pax::BmpBits::Bits32);
    if (!encoded.Ok()) std::abort();
    pax::DecodeResult again = pax::DecodeBmp(encoded.Bytes, limits);
    if (!again.Ok() || again.Picture.Width() != picture.Width() || again.Picture.Height() != picture.Height())
        std::abort();
    const size_t count = size_t(picture.Width()) * picture.Height();
    for (size_t i = 0; i < count; ++i)
        if (again.Picture.Bits()[i] != picture.Bits()[i]) std::abort();
    return 0;
}
