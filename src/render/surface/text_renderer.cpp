#include "render/surface/text_renderer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "render/surface/bitmap32_blend.h"

namespace pax {

namespace {

// Sizes outside this range are taken as its ends (points).
constexpr int MinPoints = 1, MaxPoints = 400;
constexpr size_t MaxFaces = 16;
constexpr size_t MaxGlyphsPerFace = 4096;

int PixelSizeOf(const TFont32& font) {
    const int points = std::clamp(std::abs(font.Size), MinPoints, MaxPoints);
    return std::max(1, (points * 96 + 36) / 72);
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return out;
}

// Faces of the original platform that have no file here; all are plain sans faces.
std::string FamilyFor(std::string_view face) {
    static const std::array<std::string_view, 10> sansNames = {
        "ms sans serif", "microsoft sans serif", "ms shell dlg", "ms shell dlg 2", "arial",
        "tahoma",        "verdana",              "segoe ui",     "helvetica",      ""};
    const std::string lower = Lower(face);
    for (std::string_view name : sansNames)
        if (lower == name) return "DejaVu Sans";
    return std::string(face);
}

// Next code point of UTF-8 text; malformed bytes give U+FFFD, one byte at a time.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    const unsigned char b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80) return b;
    int extra = b >= 0xF0 && b < 0xF8 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
    if (extra < 0 || i + extra > s.size()) return 0xFFFD;
    char32_t cp = b & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        const unsigned char c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (c & 0x3F);
    }
    i += extra;
    return cp;
}

struct Glyph {
    int left = 0, top = 0;          // bitmap origin relative to the pen on the baseline
    int width = 0, rows = 0;
    int advance = 0;                // 26.6
    unsigned index = 0;             // glyph index, for kerning
    std::vector<uint8_t> coverage;  // rows x width, 0..255
};

struct FontFile {
    std::string path;
    int index = 0;
    bool syntheticBold = false;
};

class Face {
public:
    Face(FT_Face face, bool syntheticBold) : m_face(face), m_bold(syntheticBold) {
        m_ascent = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
        m_descent = static_cast<int>((-face->size->metrics.descender + 63) >> 6);
    }
    ~Face() { FT_Done_Face(m_face); }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;

    int Ascent() const { return m_ascent; }
    int Height() const { return m_ascent + m_descent; }

    const Glyph& GlyphOf(char32_t cp) {
        auto it = m_glyphs.find(cp);
        if (it != m_glyphs.end()) return it->second;
        if (m_glyphs.size() >= MaxGlyphsPerFace) m_glyphs.clear();
        return m_glyphs.emplace(cp, Render(cp)).first->second;
    }

    // Kerning between two glyphs, 26.6.
    int Kerning(unsigned left, unsigned right) const {
        if (!FT_HAS_KERNING(m_face) || left == 0 || right == 0) return 0;
        FT_Vector k{};
        if (FT_Get_Kerning(m_face, left, right, FT_KERNING_DEFAULT, &k) != 0) return 0;
        return static_cast<int>(k.x);
    }

private:
    Glyph Render(char32_t cp) {
        Glyph g;
        if (cp < 0x20) return g;
        g.index = FT_Get_Char_Index(m_face, cp);
        if (FT_Load_Glyph(m_face, g.index, FT_LOAD_TARGET_NORMAL) != 0) return g;
        FT_GlyphSlot slot = m_face->glyph;
        if (m_bold) FT_GlyphSlot_Embolden(slot);
        g.advance = static_cast<int>(slot->advance.x);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return g;
        const FT_Bitmap& bm = slot->bitmap;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = static_cast<int>(bm.width);
        g.rows = static_cast<int>(bm.rows);
        g.coverage.resize(static_cast<size_t>(g.width) * g.rows);
        for (int r = 0; r < g.rows; ++r) {
            const unsigned char* src = bm.buffer + static_cast<ptrdiff_t>(r) * bm.pitch;
            uint8_t* dst = g.coverage.data() + static_cast<size_t>(r) * g.width;
            for (int c = 0; c < g.width; ++c) {
                if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                    dst[c] = (src[c >> 3] & (0x80 >> (c & 7))) ? 255 : 0;
                else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
                    dst[c] = static_cast<uint8_t>(bm.num_grays == 256 ? src[c] : src[c] * 255 / std::max(1, bm.num_grays - 1));
            }
        }
        return g;
    }

    FT_Face m_face;
    bool m_bold;
    int m_ascent = 0, m_descent = 0;
    std::unordered_map<char32_t, Glyph> m_glyphs;
};

// The process's FreeType library with its faces, guarded by one lock.
class FontCache {
public:
    static FontCache& Instance() {
        static FontCache cache;
        return cache;
    }
    ~FontCache() {
        m_faces.clear();
        if (m_library) FT_Done_FreeType(m_library);
    }

    std::mutex& Lock() { return m_lock; }

    // The face for font, or nullptr when no font can be loaded.
    Face* FaceFor(const TFont32& font) {
        if (!m_library) return nullptr;
        const int pixels = PixelSizeOf(font);
        const auto key = std::make_tuple(Lower(font.Face), font.Bold, pixels);
        auto it = m_faces.find(key);
        if (it != m_faces.end()) return it->second.get();
        const FontFile* file = FileFor(font);
        std::unique_ptr<Face> face;
        FT_Face ft = nullptr;
        if (file && FT_New_Face(m_library, file->path.c_str(), file->index, &ft) == 0) {
            // Points at 96 dots per inch, in 26.6.
            const int points = std::clamp(std::abs(font.Size), MinPoints, MaxPoints);
            if (FT_Set_Char_Size(ft, 0, points * 64, 96, 96) == 0 ||
                (ft->num_fixed_sizes > 0 && FT_Select_Size(ft, 0) == 0))
                face = std::make_unique<Face>(ft, file->syntheticBold);
            else
                FT_Done_Face(ft);
        }
        if (m_faces.size() >= MaxFaces) m_faces.clear();
        return m_faces.emplace(key, std::move(face)).first->second.get();
    }

private:
    FontCache() {
        if (FT_Init_FreeType(&m_library) != 0) m_library = nullptr;
    }

    const FontFile* FileFor(const TFont32& font) {
        const auto key = std::make_pair(Lower(font.Face), font.Bold);
        auto it = m_files.find(key);
        if (it != m_files.end()) return it->second ? &*it->second : nullptr;
        if (m_files.size() >= MaxFaces) m_files.clear();
        auto& slot = m_files[key];
        slot = Match(FamilyFor(font.Face), font.Bold);
        return slot ? &*slot : nullptr;
    }

    static std::optional<FontFile> Match(const std::string& family, bool bold) {
        FcPattern* pattern = FcPatternCreate();
        if (!pattern) return std::nullopt;
        if (!family.empty()) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcPatternDestroy(pattern);
        if (!match) return std::nullopt;
        std::optional<FontFile> file;
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
            file = FontFile{reinterpret_cast<const char*>(path), 0, false};
            FcPatternGetInteger(match, FC_INDEX, 0, &file->index);
            int weight = FC_WEIGHT_REGULAR;
            FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
            file->syntheticBold = bold && weight < FC_WEIGHT_DEMIBOLD;
        }
        FcPatternDestroy(match);
        return file;
    }

    std::mutex m_lock;
    FT_Library m_library = nullptr;
    std::map<std::pair<std::string, bool>, std::optional<FontFile>> m_files;
    std::map<std::tuple<std::string, bool, int>, std::unique_ptr<Face>> m_faces;
};

// Calls place(glyph, x) for every glyph of text with its pen position in whole pixels relative
// to the text's start; returns the box width.
template <class Place>
int Layout(Face& face, std::string_view text, Place place) {
    constexpr int MaxPen = (1 << 24) * 64;   // no line is wider than this many pixels
    int pen = 0, right = 0;                  // pen in 26.6
    unsigned previous = 0;
    for (size_t i = 0; i < text.size() && pen < MaxPen;) {
        const Glyph& g = face.GlyphOf(NextCodePoint(text, i));
        pen += face.Kerning(previous, g.index);
        const int x = (pen + 32) >> 6;
        place(g, x);
        pen += g.advance;
        right = std::max({right, (pen + 32) >> 6, g.width > 0 ? x + g.left + g.width : 0});
        previous = g.index;
    }
    return right;
}

int EstimatedWidth(std::string_view text, const TFont32& font) {
    size_t count = 0;
    for (size_t i = 0; i < text.size();) {
        NextCodePoint(text, i);
        ++count;
    }
    return static_cast<int>(std::lround(count * PixelSizeOf(font) * 0.55));
}

void BlendGlyph(TBitmap32& surface, const TRect& clip, const Glyph& g, int x, int y, TColor32 color) {
    const int x0 = std::max(x, clip.Left), x1 = std::min(x + g.width, clip.Right);
    const int y0 = std::max(y, clip.Top), y1 = std::min(y + g.rows, clip.Bottom);
    const uint32_t alpha = AlphaOf(color);
    for (int row = y0; row < y1; ++row) {
        const uint8_t* cover = g.coverage.data() + static_cast<size_t>(row - y) * g.width - x;
        TColor32* pixels = surface.ScanLine(row);
        for (int col = x0; col < x1; ++col)
            if (cover[col]) blend::MixInto(pixels[col], color, blend::Div255(cover[col] * alpha));
    }
}

}  // namespace

void DrawText(TBitmap32& surface, int x, int y, std::string_view text, const TFont32& font) {
    if (surface.ClipRect().Empty() || text.empty() || AlphaOf(font.Color) == 0) return;
    x = blend::ClampCoord(x);
    y = blend::ClampCoord(y);
    FontCache& cache = FontCache::Instance();
    std::lock_guard lock(cache.Lock());
    Face* face = cache.FaceFor(font);
    if (!face) return;
    const int width = Layout(*face, text, [](const Glyph&, int) {});
    const TRect box = IntersectRect(surface.ClipRect(), {x, y, x + width, y + face->Height()});
    if (box.Empty()) return;
    const int baseline = y + face->Ascent();
    Layout(*face, text, [&](const Glyph& g, int pen) {
        if (g.width > 0) BlendGlyph(surface, box, g, x + pen + g.left, baseline - g.top, font.Color);
    });
}

int TextBoxWidth(std::string_view text, const TFont32& font) {
    FontCache& cache = FontCache::Instance();
    std::lock_guard lock(cache.Lock());
    Face* face = cache.FaceFor(font);
    if (!face) return EstimatedWidth(text, font);
    return Layout(*face, text, [](const Glyph&, int) {});
}

int TextBoxHeight(const TFont32& font) {
    FontCache& cache = FontCache::Instance();
    std::lock_guard lock(cache.Lock());
    Face* face = cache.FaceFor(font);
    if (!face) return static_cast<int>(std::lround(PixelSizeOf(font) * 1.2));
    return face->Height();
}

bool HasFontFile(const TFont32& font) {
    FontCache& cache = FontCache::Instance();
    std::lock_guard lock(cache.Lock());
    return cache.FaceFor(font) != nullptr;
}

}  // namespace pax
