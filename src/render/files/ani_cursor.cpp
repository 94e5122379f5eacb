#include "render/files/ani_cursor.h"

#include <cstring>

#include "render/files/png_codec.h"

namespace pax {

namespace {

uint32_t Le32(std::span<const uint8_t> d, size_t at) {
    return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 | uint32_t(d[at + 3]) << 24;
}
uint16_t Le16(std::span<const uint8_t> d, size_t at) { return uint16_t(d[at] | d[at + 1] << 8); }
bool Tag(std::span<const uint8_t> d, size_t at, const char* tag) { return std::memcmp(d.data() + at, tag, 4) == 0; }

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// A DIB of a cursor: BITMAPINFOHEADER, the palette for 1, 4 and 8 bits, the colour rows
// bottom up, then the 1-bit AND mask (1 = transparent), rows padded to 4 bytes.
bool DecodeDib(std::span<const uint8_t> d, tCursorFrame& frame, std::string& error) {
    if (d.size() < 40 || Le32(d, 0) < 40) return (error = "cursor: the bitmap header is cut short", false);
    const uint32_t header = Le32(d, 0);
    const int32_t width = static_cast<int32_t>(Le32(d, 4));
    const int32_t doubleHeight = static_cast<int32_t>(Le32(d, 8));
    const int bits = Le16(d, 14);
    const uint32_t compression = Le32(d, 16);
    if (width <= 0 || doubleHeight <= 0 || width > MaxCursorSide || doubleHeight / 2 > MaxCursorSide ||
        doubleHeight < 2)
        return (error = "cursor: the picture size is out of range", false);
    if (compression != 0) return (error = "cursor: compressed bitmaps are not read", false);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return (error = "cursor: " + std::to_string(bits) + " bits per pixel are not read", false);
    const int height = doubleHeight / 2;
    uint32_t colours = bits <= 8 ? Le32(d, 32) : 0;
    if (bits <= 8 && (colours == 0 || colours > (1u << bits))) colours = 1u << bits;
    const size_t palette = header;
    const size_t pixels = palette + size_t(colours) * 4;
    const size_t colourRow = (size_t(width) * bits + 31) / 32 * 4;
    const size_t maskRow = (size_t(width) + 31) / 32 * 4;
    const size_t mask = pixels + colourRow * height;
    if (palette > d.size() || mask + maskRow * height > d.size())
        return (error = "cursor: the bitmap data is cut short", false);

    TBitmap32& picture = frame.Picture;
    picture.SetSize(width, height);
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const size_t row = pixels + colourRow * size_t(height - 1 - y);
        TColor32* out = picture.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            TColor32 c = 0;
            if (bits == 32) {
                const size_t p = row + size_t(x) * 4;
                c = TColor32(d[p + 3]) << 24 | TColor32(d[p + 2]) << 16 | TColor32(d[p + 1]) << 8 | d[p];
                anyAlpha = anyAlpha || d[p + 3] != 0;
            } else if (bits == 24) {
                const size_t p = row + size_t(x) * 3;
                c = 0xFF000000u | TColor32(d[p + 2]) << 16 | TColor32(d[p + 1]) << 8 | d[p];
            } else {
                const size_t bit = size_t(x) * bits;
                const int index = (d[row + bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
                const size_t p = palette + size_t(index < int(colours) ? index : 0) * 4;
                c = 0xFF000000u | TColor32(d[p + 2]) << 16 | TColor32(d[p + 1]) << 8 | d[p];
            }
            out[x] = c;
        }
    }
    // The AND mask makes pixels transparent; a 32-bit picture with alpha carries its own.
    for (int y = 0; y < height; ++y) {
        const size_t row = mask + maskRow * size_t(height - 1 - y);
        TColor32* out = picture.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            const bool transparent = (d[row + size_t(x) / 8] >> (7 - x % 8)) & 1;
            if (bits == 32 && anyAlpha) continue;
            out[x] = transparent ? 0 : out[x] | 0xFF000000u;
        }
    }
    return true;
}

}  // namespace

bool DecodeCursorImage(std::span<const uint8_t> d, tCursorFrame& frame, std::string& error) {
    if (d.size() < 22) return (error = "cursor: the icon directory is cut short", false);
    const uint16_t type = Le16(d, 2);
    if (Le16(d, 0) != 0 || (type != 1 && type != 2) || Le16(d, 4) == 0)
        return (error = "cursor: not a cursor or icon", false);
    // The first entry: hot spot (for a cursor), size and place of the image.
    frame.HotX = type == 2 ? Le16(d, 10) : 0;
    frame.HotY = type == 2 ? Le16(d, 12) : 0;
    const uint32_t size = Le32(d, 14), offset = Le32(d, 18);
    if (offset > d.size() || size > d.size() - offset) return (error = "cursor: the image lies outside the file", false);
    const std::span<const uint8_t> image = d.subspan(offset, size);
    if (image.size() >= 8 && image[0] == 0x89 && image[1] == 'P') {
        DecodeLimits limits;
        limits.MaxSide = MaxCursorSide;
        DecodeResult png = DecodePng(image, limits);
        if (!png.Ok()) return (error = "cursor: " + png.Error, false);
        frame.Picture = std::move(png.Picture);
    } else if (!DecodeDib(image, frame, error)) {
        return false;
    }
    if (frame.HotX >= frame.Picture.Width() || frame.HotY >= frame.Picture.Height()) frame.HotX = frame.HotY = 0;
    return true;
}

AniDecodeResult DecodeAni(std::span<const uint8_t> d) {
    AniDecodeResult result;
    const auto fail = [&](std::string text) {
        result.Cursor = {};
        result.Error = "animated cursor: " + std::move(text);
        return std::move(result);
    };
    if (d.size() < 12 || !Tag(d, 0, "RIFF") || !Tag(d, 8, "ACON")) return fail("not a RIFF ACON file");
    const size_t end = std::min<size_t>(d.size(), size_t(Le32(d, 4)) + 8);
    uint32_t frames = 0, steps = 0, rate = 0;
    bool header = false;
    std::vector<int> rates, sequence;
    tAnimatedCursor& cursor = result.Cursor;
    size_t at = 12;
    while (at + 8 <= end) {
        const uint32_t length = Le32(d, at + 4);
        const size_t body = at + 8;
        if (length > end - body) return fail("a chunk runs past the end of the file");
        const std::span<const uint8_t> chunk = d.subspan(body, length);
        if (Tag(d, at, "anih")) {
            if (length < 36) return fail("the header is cut short");
            frames = Le32(chunk, 4);
            steps = Le32(chunk, 8);
            rate = Le32(chunk, 28);
            if (frames == 0 || frames > MaxCursorFrames || steps == 0 || steps > MaxCursorSteps)
                return fail("the frame or step count is out of range");
            header = true;
        } else if (Tag(d, at, "rate") || Tag(d, at, "seq ")) {
            std::vector<int>& list = Tag(d, at, "rate") ? rates : sequence;
            for (size_t i = 0; i + 4 <= length && list.size() < MaxCursorSteps; i += 4)
                list.push_back(static_cast<int>(std::min<uint32_t>(Le32(chunk, i), 1u << 20)));
        } else if (Tag(d, at, "LIST") && length >= 4 && Tag(chunk, 0, "fram")) {
            size_t icon = 4;
            while (icon + 8 <= length) {
                const uint32_t size = Le32(chunk, icon + 4);
                if (size > length - icon - 8) return fail("a frame runs past its list");
                if (Tag(chunk, icon, "icon")) {
                    if (cursor.Frames.size() >= MaxCursorFrames) return fail("too many frames");
                    tCursorFrame frame;
                    std::string error;
                    if (!DecodeCursorImage(chunk.subspan(icon + 8, size), frame, error)) return fail(error);
                    cursor.Frames.push_back(std::move(frame));
                }
                icon += 8 + size + (size & 1);
            }
        }
        at = body + length + (length & 1);
    }
    if (!header) return fail("the header \"anih\" is missing");
    if (cursor.Frames.size() != frames) return fail("the header's frame count does not match the frames");
    for (uint32_t i = 0; i < steps; ++i) {
        const int frame = i < sequence.size() ? sequence[i] : static_cast<int>(i % frames);
        if (frame < 0 || frame >= static_cast<int>(frames)) return fail("a step shows a frame that does not exist");
        cursor.Sequence.push_back(frame);
        cursor.Rates.push_back(std::max(1, i < rates.size() ? rates[i] : static_cast<int>(std::min<uint32_t>(rate, 1u << 20))));
    }
    return result;
}

std::vector<uint8_t> EncodeAni(const std::vector<TBitmap32>& frames, int jiffiesPerFrame, int hotX, int hotY) {
    std::vector<uint8_t> list;
    PutTag(list, "fram");
    for (const TBitmap32& f : frames) {
        const int w = f.Width(), h = f.Height();
        const size_t maskRow = (size_t(w) + 31) / 32 * 4;
        std::vector<uint8_t> dib;
        Put32(dib, 40);
        Put32(dib, uint32_t(w));
        Put32(dib, uint32_t(2 * h));
        Put16(dib, 1);
        Put16(dib, 32);
        for (int i = 0; i < 6; ++i) Put32(dib, 0);
        for (int y = h - 1; y >= 0; --y)
            for (int x = 0; x < w; ++x) Put32(dib, f.Pixel(x, y));
        for (int y = h - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskRow, 0);
            for (int x = 0; x < w; ++x)
                if ((f.Pixel(x, y) >> 24) == 0) row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
            dib.insert(dib.end(), row.begin(), row.end());
        }
        std::vector<uint8_t> cur;
        Put16(cur, 0);
        Put16(cur, 2);
        Put16(cur, 1);
        cur.push_back(uint8_t(w));
        cur.push_back(uint8_t(h));
        cur.push_back(0);
        cur.push_back(0);
        Put16(cur, uint16_t(hotX));
        Put16(cur, uint16_t(hotY));
        Put32(cur, uint32_t(dib.size()));
        Put32(cur, 22);
        cur.insert(cur.end(), dib.begin(), dib.end());
        PutTag(list, "icon");
        Put32(list, uint32_t(cur.size()));
        list.insert(list.end(), cur.begin(), cur.end());
        if (cur.size() & 1) list.push_back(0);
    }
    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    Put32(out, 0);
    PutTag(out, "ACON");
    PutTag(out, "anih");
    Put32(out, 36);
    const uint32_t n = uint32_t(frames.size());
    for (uint32_t v : {36u, n, n, 0u, 0u, 0u, 0u, uint32_t(jiffiesPerFrame), 1u}) Put32(out, v);
    PutTag(out, "LIST");
    Put32(out, uint32_t(list.size()));
    out.insert(out.end(), list.begin(), list.end());
    const uint32_t riff = uint32_t(out.size() - 8);
    for (int i = 0; i < 4; ++i) out[4 + size_t(i)] = uint8_t(riff >> (8 * i));
    return out;
}

}  // namespace pax
