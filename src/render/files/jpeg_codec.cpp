#include "render/files/jpeg_codec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

// libjpeg reports errors through the error manager, whose exit routine must not return: ours
// longjmps back into the function that set the jump. Those functions run nothing but C calls
// and plain arithmetic after setjmp, so no C++ object is skipped by the jump.

namespace pax {
namespace {

static_assert(std::endian::native == std::endian::little,
              "JCS_EXT_BGRA rows are TColor32 pixels only on a little-endian machine");

// A progressive picture may repeat scans without end; real encoders use about a dozen.
constexpr int MaxScans = 500;
// Coefficient buffers of a multi-scan picture: at most 4 components of 2-byte samples, with
// room for blocks padded at the picture's edges.
constexpr long CodecBytesPerPixel = 10;
constexpr long CodecBytesReserve = 16L << 20;

struct ErrorManager {
    jpeg_error_mgr pub;   // first, so that cinfo->err can be cast back
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void OnError(j_common_ptr cinfo) { JumpBack(cinfo); }

// Warnings about damaged entropy-coded data end the decoding: libjpeg would fill the rest of
// the picture with grey and call it a success.
bool IsFatalWarning(j_common_ptr cinfo) {
    const int code = cinfo->err->msg_code;
    // The number of the arithmetic-coding warning depends on how the library was built.
    if (code >= 0 && code <= cinfo->err->last_jpeg_message &&
        std::strcmp(cinfo->err->jpeg_message_table[code], "Corrupt JPEG data: bad arithmetic code") == 0)
        return true;
    switch (code) {
        case JWRN_BOGUS_PROGRESSION:
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_JPEG_EOF:
        case JWRN_MUST_RESYNC:
        case JWRN_NOT_SEQUENTIAL:
        case JWRN_TOO_MUCH_DATA:
            return true;
        default:
            return false;
    }
}

void OnMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;   // trace output
    if (IsFatalWarning(cinfo)) JumpBack(cinfo);
    ++cinfo->err->num_warnings;
}

void OutputNothing(j_common_ptr) {}

void OnProgress(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor) return;
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= MaxScans) return;
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "more than %d scans", MaxScans);
    std::longjmp(err->jump, 1);
}

void InstallErrorManager(ErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.emit_message = OnMessage;
    err.pub.output_message = OutputNothing;
    err.message[0] = '\0';
}

uint8_t Mul255(unsigned a, unsigned b) { return uint8_t((a * b + 127) / 255); }

// Adobe writes CMYK inverted (255 = no ink); others write ink amounts.
void CmykToBgra(const uint8_t* cmyk, int width, bool inverted, TColor32* out) {
    for (int x = 0; x < width; ++x, cmyk += 4) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        out[x] = Color32(Mul255(c, k), Mul255(m, k), Mul255(y, k));
    }
}

class JpegReader {
public:
    JpegReader() {
        InstallErrorManager(m_err);
        m_progress.progress_monitor = OnProgress;
        m_cinfo.err = &m_err.pub;
    }
    // Safe after a failed or missing create: the zeroed struct has no memory manager.
    ~JpegReader() { jpeg_destroy_decompress(&m_cinfo); }
    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;

    std::string Error() const { return m_err.message; }
    int Width() const { return int(m_cinfo.image_width); }
    int Height() const { return int(m_cinfo.image_height); }
    bool IsCmyk() const { return m_cinfo.out_color_space == JCS_CMYK; }

    bool ReadHeader(std::span<const uint8_t> data, long maxMemory) {
        if (setjmp(m_err.jump)) return false;
        jpeg_create_decompress(&m_cinfo);
        m_cinfo.progress = &m_progress;
        m_cinfo.mem->max_memory_to_use = maxMemory;
        jpeg_mem_src(&m_cinfo, data.data(), static_cast<unsigned long>(data.size()));
        jpeg_read_header(&m_cinfo, TRUE);
        return true;
    }

    // Chooses the output colour space; false for colour spaces we cannot show.
    bool ChooseOutput() {
        switch (m_cinfo.jpeg_color_space) {
            case JCS_GRAYSCALE:
            case JCS_RGB:
            case JCS_YCbCr: m_cinfo.out_color_space = JCS_EXT_BGRA; return true;
            case JCS_CMYK:
            case JCS_YCCK: m_cinfo.out_color_space = JCS_CMYK; return true;
            default: return false;
        }
    }

    bool Start() {
        if (setjmp(m_err.jump)) return false;
        jpeg_start_decompress(&m_cinfo);
        return true;
    }

    // cmykRow holds 4 bytes per pixel when the output is CMYK.
    bool ReadRows(TBitmap32& picture, uint8_t* cmykRow) {
        if (setjmp(m_err.jump)) return false;
        const bool inverted = m_cinfo.saw_Adobe_marker;
        while (m_cinfo.output_scanline < m_cinfo.output_height) {
            TColor32* out = picture.ScanLine(int(m_cinfo.output_scanline));
            JSAMPROW row = cmykRow ? cmykRow : reinterpret_cast<JSAMPROW>(out);
            if (jpeg_read_scanlines(&m_cinfo, &row, 1) != 1) {
                std::snprintf(m_err.message, sizeof m_err.message, "no more rows");
                return false;
            }
            if (cmykRow) CmykToBgra(cmykRow, picture.Width(), inverted, out);
        }
        return true;
    }

private:
    ErrorManager m_err;
    jpeg_progress_mgr m_progress{};
    jpeg_decompress_struct m_cinfo{};
};

constexpr size_t OutputChunk = 1 << 16;

// Collects the compressed stream in a vector.
struct VectorDestination {
    jpeg_destination_mgr pub;   // first, so that cinfo->dest can be cast back
    std::vector<uint8_t>* bytes;
    std::array<JOCTET, OutputChunk> buffer;
};

void InitDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    dest->pub.next_output_byte = dest->buffer.data();
    dest->pub.free_in_buffer = dest->buffer.size();
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    dest->bytes->insert(dest->bytes->end(), dest->buffer.begin(), dest->buffer.end());
    InitDestination(cinfo);
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    size_t used = dest->buffer.size() - dest->pub.free_in_buffer;
    dest->bytes->insert(dest->bytes->end(), dest->buffer.begin(), dest->buffer.begin() + used);
}

bool Compress(jpeg_compress_struct& cinfo, ErrorManager& err, VectorDestination& dest,
              const TBitmap32& picture, int quality, JpegScan scan) {
    if (setjmp(err.jump)) return false;
    jpeg_create_compress(&cinfo);
    cinfo.dest = &dest.pub;
    cinfo.image_width = JDIMENSION(picture.Width());
    cinfo.image_height = JDIMENSION(picture.Height());
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (scan == JpegScan::Progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        // libjpeg reads the rows and never writes them.
        JSAMPROW row = reinterpret_cast<JSAMPROW>(
            const_cast<TColor32*>(picture.ScanLine(int(cinfo.next_scanline))));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

}  // namespace

DecodeResult DecodeJpeg(std::span<const uint8_t> data, const DecodeLimits& limits) {
    auto fail = [](const std::string& why) { return DecodeFailure("JPEG: " + why); };
    if (data.size() < 3 || data[0] != 0xFF || data[1] != 0xD8 || data[2] != 0xFF)
        return fail("not a JPEG file (wrong signature)");
    JpegReader reader;
    const long maxMemory = long(std::min<int64_t>(limits.MaxPixels * CodecBytesPerPixel + CodecBytesReserve,
                                                  std::numeric_limits<long>::max()));
    if (!reader.ReadHeader(data, maxMemory)) return fail(reader.Error());
    if (std::string e = CheckPictureSize(reader.Width(), reader.Height(), limits); !e.empty())
        return fail(e);
    if (!reader.ChooseOutput()) return fail("unsupported colour space");
    if (!reader.Start()) return fail(reader.Error());

    DecodeResult result;
    result.Picture.SetSize(reader.Width(), reader.Height());
    std::vector<uint8_t> cmykRow(reader.IsCmyk() ? size_t(reader.Width()) * 4 : 0);
    if (!reader.ReadRows(result.Picture, cmykRow.empty() ? nullptr : cmykRow.data()))
        return fail(reader.Error());
    // libjpeg writes alpha 255 only for JCS_EXT_BGRA; CMYK rows were converted opaque.
    return result;
}

EncodeResult EncodeJpeg(const TBitmap32& picture, int quality, JpegScan scan) {
    if (picture.Empty()) return EncodeFailure("JPEG: the picture is empty");
    ErrorManager err;
    InstallErrorManager(err);
    jpeg_compress_struct cinfo{};
    cinfo.err = &err.pub;
    std::vector<uint8_t> bytes;
    auto dest = std::make_unique<VectorDestination>();
    dest->pub.init_destination = InitDestination;
    dest->pub.empty_output_buffer = EmptyOutputBuffer;
    dest->pub.term_destination = TermDestination;
    dest->bytes = &bytes;
    bool written = Compress(cinfo, err, *dest, picture, std::clamp(quality, 1, 100), scan);
    jpeg_destroy_compress(&cinfo);
    if (!written) return EncodeFailure(std::string("JPEG: ") + err.message);
    return {std::move(bytes), {}};
}

}  // namespace pax
