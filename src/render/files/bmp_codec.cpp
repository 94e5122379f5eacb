#include "render/files/bmp_codec.h"

#include <array>
#include <bit>
#include <cstdlib>
#include <string>

namespace pax {
namespace {

constexpr size_t FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t V4HeaderSize = 108;
constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiBitfields = 3;
constexpr uint32_t BiAlphaBitfields = 6;
constexpr int32_t PixelsPerMetre = 3780;   // 96 dots per inch

uint16_t U16(std::span<const uint8_t> d, size_t at) { return uint16_t(d[at] | d[at + 1] << 8); }
uint32_t U32(std::span<const uint8_t> d, size_t at) {
    return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 |
           uint32_t(d[at + 3]) << 24;
}

// One channel of a bit-field pixel, scaled to 0..255. A zero mask yields `absent`.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    uint8_t Of(uint32_t pixel, uint8_t absent) const {
        if (max == 0) return absent;
        uint64_t v = (pixel & mask) >> shift;
        return uint8_t((v * 255 + max / 2) / max);
    }
};

struct Header {
    int64_t width = 0;
    int64_t height = 0;   // always positive; topDown tells the row order
    bool topDown = false;
    uint32_t infoSize = 0;
    uint32_t bits = 0;
    uint32_t compression = BiRgb;
    uint32_t colorsUsed = 0;
    uint32_t dataOffset = 0;
    std::array<uint32_t, 4> masks{};   // red, green, blue, alpha
};

std::string CompressionName(uint32_t c) {
    switch (c) {
        case 1: return " (RLE8)";
        case 2: return " (RLE4)";
        case 4: return " (JPEG)";
        case 5: return " (PNG)";
        default: return "";
    }
}

std::string ReadHeader(std::span<const uint8_t> d, Header& h) {
    if (d.size() < FileHeaderSize + 4) return "the file is too short for a bitmap header";
    if (d[0] != 'B' || d[1] != 'M') return "not a bitmap file (wrong signature)";
    h.dataOffset = U32(d, 10);
    h.infoSize = U32(d, 14);
    bool core = h.infoSize == CoreHeaderSize;
    if (!core && h.infoSize != 40 && h.infoSize != 52 && h.infoSize != 56 && h.infoSize != 108 &&
        h.infoSize != 124)
        return "unsupported header size " + std::to_string(h.infoSize);
    if (d.size() < FileHeaderSize + h.infoSize) return "the bitmap header is cut short";
    int64_t rawHeight;
    if (core) {
        h.width = U16(d, 18);
        rawHeight = U16(d, 20);
        h.bits = U16(d, 24);
    } else {
        h.width = int32_t(U32(d, 18));
        rawHeight = int32_t(U32(d, 22));
        h.bits = U16(d, 28);
        h.compression = U32(d, 30);
        h.colorsUsed = U32(d, 46);
    }
    h.topDown = rawHeight < 0;
    h.height = std::abs(rawHeight);
    return {};
}

std::string ReadMasks(std::span<const uint8_t> d, Header& h) {
    if (h.compression == BiRgb) {
        if (h.bits == 16) h.masks = {0x7C00, 0x03E0, 0x001F, 0};
        if (h.bits == 32) h.masks = {0xFF0000, 0xFF00, 0xFF, 0};
        return {};
    }
    if (h.compression != BiBitfields && h.compression != BiAlphaBitfields)
        return "compression " + std::to_string(h.compression) + CompressionName(h.compression) +
               " is not supported";
    if (h.bits != 16 && h.bits != 32)
        return "bit fields with " + std::to_string(h.bits) + " bits per pixel are not supported";
    // The masks are part of a 52-byte or longer header, or follow a 40-byte one.
    bool withAlpha = h.compression == BiAlphaBitfields || h.infoSize >= 56;
    size_t end = FileHeaderSize + InfoHeaderSize + (withAlpha ? 16 : 12);
    if (d.size() < end) return "the colour masks are cut short";
    for (size_t i = 0; i < (withAlpha ? 4u : 3u); ++i) h.masks[i] = U32(d, 54 + 4 * i);
    if (h.masks[0] == 0 && h.masks[1] == 0 && h.masks[2] == 0) return "the colour masks are empty";
    return {};
}

std::string ReadPalette(std::span<const uint8_t> d, const Header& h, std::vector<TColor32>& palette) {
    if (h.bits > 8) return {};
    size_t entries = size_t{1} << h.bits;
    if (h.colorsUsed != 0 && h.colorsUsed < entries) entries = h.colorsUsed;
    size_t entrySize = h.infoSize == CoreHeaderSize ? 3 : 4;
    size_t start = FileHeaderSize + h.infoSize;
    if (d.size() - start < entries * entrySize) return "the colour table is cut short";
    palette.assign(size_t{1} << h.bits, clBlack32);   // indices past the table read black
    for (size_t i = 0; i < entries; ++i) {
        const uint8_t* p = d.data() + start + i * entrySize;
        palette[i] = Color32(p[2], p[1], p[0]);
    }
    return {};
}

void DecodeIndexedRow(const uint8_t* src, int width, uint32_t bits,
                      const std::vector<TColor32>& palette, TColor32* dst) {
    const uint32_t perByte = 8 / bits;
    const uint32_t mask = (1u << bits) - 1;
    for (int x = 0; x < width; ++x) {
        uint32_t byte = src[x / perByte];
        uint32_t shift = 8 - bits * (x % perByte + 1);   // leftmost pixel in the high bits
        dst[x] = palette[(byte >> shift) & mask];
    }
}

void DecodeFieldRow(const uint8_t* src, int width, uint32_t bits, const std::array<Channel, 4>& ch,
                    TColor32* dst) {
    for (int x = 0; x < width; ++x) {
        uint32_t v;
        if (bits == 16) {
            v = uint32_t(src[2 * x]) | uint32_t(src[2 * x + 1]) << 8;
        } else {
            const uint8_t* p = src + 4 * x;
            v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        }
        dst[x] = Color32(ch[0].Of(v, 0), ch[1].Of(v, 0), ch[2].Of(v, 0), ch[3].Of(v, 255));
    }
}

void DecodeRgbRow(const uint8_t* src, int width, TColor32* dst) {
    for (int x = 0; x < width; ++x, src += 3) dst[x] = Color32(src[2], src[1], src[0]);
}

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

}  // namespace

DecodeResult DecodeBmp(std::span<const uint8_t> data, const DecodeLimits& limits) {
    auto fail = [](const std::string& why) { return DecodeFailure("BMP: " + why); };
    Header h;
    if (std::string e = ReadHeader(data, h); !e.empty()) return fail(e);
    if (std::string e = CheckPictureSize(h.width, h.height, limits); !e.empty()) return fail(e);
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
        return fail(std::to_string(h.bits) + " bits per pixel are not supported");
    if (h.bits <= 8 || h.bits == 24) {
        if (h.compression != BiRgb)
            return fail("compression " + std::to_string(h.compression) +
                        CompressionName(h.compression) + " is not supported");
    }
    if (std::string e = ReadMasks(data, h); !e.empty()) return fail(e);
    std::vector<TColor32> palette;
    if (std::string e = ReadPalette(data, h, palette); !e.empty()) return fail(e);

    // Rows are padded to 4 bytes; the last row's padding may be missing.
    const int64_t rowBytes = (h.width * h.bits + 31) / 32 * 4;
    const int64_t needed = rowBytes * (h.height - 1) + (h.width * h.bits + 7) / 8;
    if (h.dataOffset < FileHeaderSize + h.infoSize)
        return fail("the pixel data offset " + std::to_string(h.dataOffset) + " lies in the header");
    if (h.dataOffset > data.size() || int64_t(data.size() - h.dataOffset) < needed)
        return fail("the pixel data is cut short");

    const std::array<Channel, 4> channels{Channel(h.masks[0]), Channel(h.masks[1]),
                                          Channel(h.masks[2]), Channel(h.masks[3])};
    DecodeResult result;
    const int width = int(h.width), height = int(h.height);
    result.Picture.SetSize(width, height);
    for (int row = 0; row < height; ++row) {
        const uint8_t* src = data.data() + h.dataOffset + rowBytes * row;
        TColor32* dst = result.Picture.ScanLine(h.topDown ? row : height - 1 - row);
        if (h.bits <= 8)
            DecodeIndexedRow(src, width, h.bits, palette, dst);
        else if (h.bits == 24)
            DecodeRgbRow(src, width, dst);
        else
            DecodeFieldRow(src, width, h.bits, channels, dst);
    }
    return result;
}

EncodeResult EncodeBmp(const TBitmap32& picture, BmpBits bits) {
    if (picture.Empty()) return EncodeFailure("BMP: the picture is empty");
    const bool alpha = bits == BmpBits::Bits32;
    const uint32_t infoSize = alpha ? V4HeaderSize : InfoHeaderSize;
    const uint64_t rowBytes = alpha ? uint64_t(picture.Width()) * 4
                                    : (uint64_t(picture.Width()) * 3 + 3) / 4 * 4;
    const uint64_t imageBytes = rowBytes * uint64_t(picture.Height());
    const uint64_t offset = FileHeaderSize + infoSize;
    if (offset + imageBytes > 0xFFFFFFFFu) return EncodeFailure("BMP: the picture is too large");

    std::vector<uint8_t> out;
    out.reserve(size_t(offset + imageBytes));
    out.push_back('B');
    out.push_back('M');
    PutU32(out, uint32_t(offset + imageBytes));
    PutU32(out, 0);
    PutU32(out, uint32_t(offset));
    PutU32(out, infoSize);
    PutU32(out, uint32_t(picture.Width()));
    PutU32(out, uint32_t(picture.Height()));   // positive: bottom-up
    PutU16(out, 1);
    PutU16(out, alpha ? 32 : 24);
    PutU32(out, alpha ? BiBitfields : BiRgb);
    PutU32(out, uint32_t(imageBytes));
    PutU32(out, PixelsPerMetre);
    PutU32(out, PixelsPerMetre);
    PutU32(out, 0);
    PutU32(out, 0);
    if (alpha) {
        for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) PutU32(out, mask);
        PutU32(out, 0x73524742);        // 'sRGB'
        out.resize(out.size() + 48);    // colour end points and gammas, unused with sRGB
    }
    for (int y = picture.Height() - 1; y >= 0; --y) {
        const TColor32* src = picture.ScanLine(y);
        size_t rowStart = out.size();
        for (int x = 0; x < picture.Width(); ++x) {
            out.push_back(BlueOf(src[x]));
            out.push_back(GreenOf(src[x]));
            out.push_back(RedOf(src[x]));
            if (alpha) out.push_back(AlphaOf(src[x]));
        }
        out.resize(rowStart + rowBytes);
    }
    return {std::move(out), {}};
}

}  // namespace pax
