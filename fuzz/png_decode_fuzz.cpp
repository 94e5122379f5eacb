// PNG decoding of arbitrary bytes: no crash, no unbounded allocation, and every picture that
// decodes survives our own encoder unchanged. The mutator repairs chunk CRCs after each
// mutation, so that most inputs get past libpng's checksum test into inflating and
// transforming the image data.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "render/files/png_codec.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

void FixChunkCrcs(uint8_t* data, size_t size) {
    size_t pos = 8;
    while (size >= pos + 12) {
        uint64_t length = BigEndian32(data + pos);
        if (length > size - pos - 12) return;
        uint32_t crc = uint32_t(crc32(0, data + pos + 4, uInt(length + 4)));
        uint8_t* at = data + pos + 8 + length;
        for (int i = 0; i < 4; ++i) at[i] = uint8_t(crc >> (24 - 8 * i));
        pos += size_t(length) + 12;
    }
}

}  // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int) {
    size = LLVMFuzzerMutate(data, size, maxSize);
    FixChunkCrcs(data, size);
    return size;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pax::DecodeLimits limits;
    limits.MaxPixels = 1 << 22;   // 16 MiB of pixels keeps the run inside the fuzzer's memory
    pax::DecodeResult decoded = pax::DecodePng({data, size}, limits);
    if (!decoded.Ok()) {
        if (!decoded.Picture.Empty()) std::abort();
        return 0;
    }
    const pax::TBitmap32& picture = decoded.Picture;
    pax::EncodeResult encoded = pax::EncodePng(picture, 1);
    if (!encoded.Ok()) std::abort();
    pax::DecodeResult again = pax::DecodePng(encoded.Bytes, limits);
    if (!again.Ok() || again.Picture.Width() != picture.Width() || again.Picture.Height() != picture.Height())
        std::abort();
    const size_t count = size_t(picture.Width()) * picture.Height();
    if (std::memcmp(again.Picture.Bits(), picture.Bits(), count * sizeof(pax::TColor32)) != 0) std::abort();
    return 0;
}
