#include "render/files/png_codec.h"

#include <png.h>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

// libpng reports errors by longjmp. Every function below that calls setjmp runs nothing but
// C calls after it, so no C++ object is skipped by the jump.

namespace pax {
namespace {

static_assert(std::endian::native == std::endian::little,
              "rows are handed to the codecs as bytes B, G, R, A");

// deflate cannot expand one byte to more than 1032 (a 258-byte match in 2 bits).
constexpr uint64_t MaxInflateRatio = 1032;
// No ancillary chunk of ours needs more; zTXt and iCCP bombs stop here.
constexpr png_alloc_size_t MaxChunkBytes = 1 << 20;

// The total length of the IDAT chunks, counting only bytes that are present.
uint64_t CountIdatBytes(std::span<const uint8_t> data) {
    uint64_t total = 0;
    size_t pos = 8;
    while (data.size() - pos >= 8) {
        const uint8_t* c = data.data() + pos;
        uint64_t length = uint64_t(c[0]) << 24 | uint64_t(c[1]) << 16 | uint64_t(c[2]) << 8 | c[3];
        uint64_t available = data.size() - pos - 8;
        if (std::memcmp(c + 4, "IDAT", 4) == 0) total += std::min(length, available);
        if (std::memcmp(c + 4, "IEND", 4) == 0 || length + 4 > available) break;
        pos += size_t(length) + 12;
    }
    return total;
}

struct ReadSource {
    std::span<const uint8_t> data;
    size_t pos = 0;
    char message[160] = {};
};

void OnError(png_structp png, png_const_charp message) {
    auto* source = static_cast<ReadSource*>(png_get_error_ptr(png));
    std::snprintf(source->message, sizeof source->message, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep out, size_t length) {
    auto* source = static_cast<ReadSource*>(png_get_io_ptr(png));
    if (source->data.size() - source->pos < length) png_error(png, "the file is cut short");
    std::memcpy(out, source->data.data() + source->pos, length);
    source->pos += length;
}

class PngReader {
public:
    explicit PngReader(std::span<const uint8_t> data) {
        m_source.data = data;
        m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &m_source, OnError, OnWarning);
        if (m_png) m_info = png_create_info_struct(m_png);
    }
    ~PngReader() { png_destroy_read_struct(&m_png, &m_info, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    bool Created() const { return m_png && m_info; }
    std::string Error() const { return m_source.message; }
    uint32_t Width() const { return png_get_image_width(m_png, m_info); }
    uint32_t Height() const { return png_get_image_height(m_png, m_info); }
    // The bytes of one unfiltered row as stored, before any transformation.
    size_t StoredRowBytes() const { return png_get_rowbytes(m_png, m_info); }

    bool ReadInfo() {
        if (setjmp(png_jmpbuf(m_png))) return false;
        png_set_read_fn(m_png, &m_source, ReadBytes);
        png_set_chunk_malloc_max(m_png, MaxChunkBytes);
        // Our own size check follows and says more than libpng's "Invalid IHDR data".
        png_set_user_limits(m_png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
        // Everything but IHDR, PLTE, tRNS, IDAT and IEND is skipped unread.
        png_set_keep_unknown_chunks(m_png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
        png_read_info(m_png, m_info);
        return true;
    }

    // Any colour type and depth to 8-bit B, G, R, A per pixel.
    bool SetBgraOutput(size_t& rowBytes) {
        if (setjmp(png_jmpbuf(m_png))) return false;
        int colorType = png_get_color_type(m_png, m_info);
        bool hasTrns = png_get_valid(m_png, m_info, PNG_INFO_tRNS) != 0;
        png_set_expand(m_png);
        png_set_scale_16(m_png);
        png_set_gray_to_rgb(m_png);
        png_set_bgr(m_png);
        if (!(colorType & PNG_COLOR_MASK_ALPHA) && !hasTrns)
            png_set_filler(m_png, 0xFF, PNG_FILLER_AFTER);
        png_set_interlace_handling(m_png);
        png_read_update_info(m_png, m_info);
        rowBytes = png_get_rowbytes(m_png, m_info);
        return true;
    }

    bool ReadImage(png_bytepp rows) {
        if (setjmp(png_jmpbuf(m_png))) return false;
        png_read_image(m_png, rows);
        return true;
    }

private:
    ReadSource m_source;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

struct WriteTarget {
    std::vector<uint8_t> bytes;
    char message[160] = {};
};

void OnWriteError(png_structp png, png_const_charp message) {
    auto* target = static_cast<WriteTarget*>(png_get_error_ptr(png));
    std::snprintf(target->message, sizeof target->message, "%s", message);
    png_longjmp(png, 1);
}

void WriteBytes(png_structp png, png_bytep data, size_t length) {
    auto* target = static_cast<WriteTarget*>(png_get_io_ptr(png));
    target->bytes.insert(target->bytes.end(), data, data + length);
}

void FlushNothing(png_structp) {}

bool IsOpaque(const TBitmap32& picture) {
    const TColor32* p = picture.Bits();
    return std::all_of(p, p + size_t(picture.Width()) * picture.Height(),
                       [](TColor32 c) { return AlphaOf(c) == 255; });
}

bool WritePng(png_structp png, png_infop info, WriteTarget& target, const TBitmap32& picture,
              int level, bool opaque, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, &target, WriteBytes, FlushNothing);
    png_set_compression_level(png, level);
    png_set_IHDR(png, info, uint32_t(picture.Width()), uint32_t(picture.Height()), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    if (opaque) png_set_filler(png, 0, PNG_FILLER_AFTER);   // drop the alpha byte
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

DecodeResult DecodePng(std::span<const uint8_t> data, const DecodeLimits& limits) {
    auto fail = [](const std::string& why) { return DecodeFailure("PNG: " + why); };
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0)
        return fail("not a PNG file (wrong signature)");
    PngReader reader(data);
    if (!reader.Created()) return fail("out of memory");
    if (!reader.ReadInfo()) return fail(reader.Error());
    const int64_t width = reader.Width(), height = reader.Height();
    if (std::string e = CheckPictureSize(width, height, limits); !e.empty()) return fail(e);
    const uint64_t stored = uint64_t(height) * reader.StoredRowBytes();
    const uint64_t compressed = CountIdatBytes(data);
    if (stored > (compressed + 16) * MaxInflateRatio)
        return fail("the image data (" + std::to_string(compressed) +
                    " bytes) cannot fill a picture of " + std::to_string(width) + " x " +
                    std::to_string(height) + " pixels");
    size_t rowBytes = 0;
    if (!reader.SetBgraOutput(rowBytes)) return fail(reader.Error());
    if (rowBytes != size_t(width) * 4) return fail("unexpected row layout");

    DecodeResult result;
    result.Picture.SetSize(int(width), int(height));
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < int(height); ++y)
        rows[y] = reinterpret_cast<png_bytep>(result.Picture.ScanLine(y));
    if (!reader.ReadImage(rows.data())) return fail(reader.Error());
    return result;
}

EncodeResult EncodePng(const TBitmap32& picture, int compressionLevel) {
    if (picture.Empty()) return EncodeFailure("PNG: the picture is empty");
    WriteTarget target;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &target, OnWriteError, OnWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_bytep> rows(size_t(picture.Height()));
    for (int y = 0; y < picture.Height(); ++y)
        rows[y] = reinterpret_cast<png_bytep>(const_cast<TColor32*>(picture.ScanLine(y)));
    bool written = info && WritePng(png, info, target, picture, std::clamp(compressionLevel, 0, 9),
                                    IsOpaque(picture), rows.data());
    png_destroy_write_struct(&png, &info);
    if (!written) return EncodeFailure(std::string("PNG: ") + (info ? target.message : "out of memory"));
    return {std::move(target.bytes), {}};
}

}  // namespace pax
