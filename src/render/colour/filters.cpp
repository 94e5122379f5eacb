#include "render/colour/filters.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "render/colour/kuwahara.h"
#include "system/error_reporting.h"
#include "system/stop_request.h"

namespace pax {

static_assert(std::endian::native == std::endian::little, "pixels are read as bytes blue, green, red, alpha");

namespace {

// A filter record from the rows of its centred kernel (9, 25 or 49 weights).
tConvolutionFilter Filter(const char* name, std::initializer_list<int32_t> weights, int32_t divisor) {
    tConvolutionFilter f;
    f.Name = name;
    f.Divisor = divisor;
    const int size = weights.size() == 9 ? 3 : weights.size() == 25 ? 5 : 7;
    f.SizeClass = (size - 3) / 2;
    const int offset = (7 - size) / 2;
    int i = 0;
    for (int32_t w : weights) {
        f.Kernel[static_cast<size_t>(offset + i / size) * 7 + offset + i % size] = w;
        ++i;
    }
    return f;
}

tConvolutionFilter Bartlett() {
    constexpr int a[7] = {1, 2, 3, 4, 3, 2, 1};
    tConvolutionFilter f{"Blur Bartlett", 2, {}, 256};
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c) f.Kernel[r * 7 + c] = a[r] * a[c];
    return f;
}

tConvolutionFilter Waggle() {
    tConvolutionFilter f{"Waggle", 2, {}, 3};
    f.Kernel[0 * 7 + 1] = f.Kernel[1 * 7 + 6] = f.Kernel[6 * 7 + 2] = 1;
    return f;
}

// Weights on the border of the 7 x 7 only, clockwise from the top left corner.
tConvolutionFilter BorderTest() {
    tConvolutionFilter f{"Test", 2, {}, 84};
    constexpr int top[7] = {1, 2, 3, 4, 5, 6, 1}, bottom[7] = {1, 6, 5, 4, 3, 2, 1};
    constexpr int right[5] = {2, 3, 4, 5, 6}, left[5] = {6, 5, 4, 3, 2};
    for (int c = 0; c < 7; ++c) {
        f.Kernel[c] = top[c];
        f.Kernel[6 * 7 + c] = bottom[c];
    }
    for (int r = 1; r <= 5; ++r) {
        f.Kernel[r * 7 + 6] = right[r - 1];
        f.Kernel[r * 7] = left[r - 1];
    }
    return f;
}

std::array<tConvolutionFilter, FilterCount> BuildTable() {
    return {
        Filter("No filtering", {0, 0, 0, 0, 1, 0, 0, 0, 0}, 1),
        Filter("Emboss Color", {-1, -1, -1, 0, 1, 0, 1, 1, 1}, 1),
        Filter("Emboss Light", {0, -1, 0, 0, 0, 0, 0, 1, 0}, 1),
        Filter("Emboss Medium", {-1, -2, -1, 0, 0, 0, 1, 2, 1}, 1),
        Filter("Emboss Dark", {-1, -2, -1, 0, 0, 0, 1, 2, 1}, 1),
        Filter("Edge Enhance", {-1, -2, -1, -2, 16, -2, -1, -2, -1}, 4),
        Bartlett(),
        Filter("Blur Gaussian",
               {1, 4,  8,  10, 8,  4,  1, 4, 12, 25, 29, 25, 12, 4, 8, 25, 49, 58, 49, 25, 8, 10, 29, 58, 67,
                58, 29, 10, 8, 25, 49, 58, 49, 25, 8, 4, 12, 25, 29, 25, 12, 4, 1, 4, 8, 10, 8, 4, 1},
               999),
        Filter("Blur Average", {1, 1, 1, 1, 1, 1, 1, 1, 1}, 9),
        Filter("Blur Linear", {1, 2, 1, 2, 4, 2, 1, 2, 1}, 16),
        Filter("Blur Softly", {1, 3, 1, 3, 16, 3, 1, 3, 1}, 32),
        Filter("Blur More", {0, 1, 2, 1, 0, 1, 4, 6, 4, 1, 2, 6, 8, 6, 2, 1, 4, 6, 4, 1, 0, 1, 2, 1, 0}, 64),
        Filter("Prewitt", {1, 1, 1, 1, -2, 1, -1, -1, -1}, 1),
        Filter("Trace contour", {-6, -2, -6, -1, 32, -1, -6, -2, -6}, 1),
        Filter("Sharpen", {-1, -1, -1, -1, 16, -1, -1, -1, -1}, 8),
        Filter("Sharpen more", {-1, -1, -1, -1, 12, -1, -1, -1, -1}, 4),
        Filter("Sharpen less", {-1, -1, -1, -1, 24, -1, -1, -1, -1}, 16),
        Filter("Unsharp mask", {-1, -2, -1, -2, 16, -2, -1, -2, -1}, 4),
        Filter("Edges Strong", {1, 3, 1, 3, -16, 3, 1, 3, 1}, 1),
        Filter("Edges Weak", {0, 1, 0, 1, -4, 1, 0, 1, 0}, 1),
        Filter("Etch", {-6, 2, -6, -1, 32, -1, -6, -2, -6}, 1),
        Filter("Laplacian horz./vert.", {0, -1, 0, -1, 4, -1, 0, -1, 0}, 1),
        Filter("Laplacian omnidir.", {-1, -1, -1, -1, 8, -1, -1, -1, -1}, 1),
        Filter("Sharpen directional", {-3, -3, -3, 0, 16, 0, 1, 1, 1}, 10),
        Filter("Sobel pass", {1, 2, 1, 0, 0, 0, -1, -2, -1}, 1),
        Filter("Glow", {1, 2, 2, 2, 1, 2, 0, 0, 0, 2, 2, 0, -20, 0, 2, 2, 0, 0, 0, 2, 1, 2, 2, 2, 1}, 8),
        Waggle(),
        Filter("Pattern",
               {0, -4, -9, -4, 0, -4, -24, -1, -24, -4, -9, -1, 168, -1, -9, -4, -24, -1, -24, -4, 0, -4, -9, -4, 0},
               1),
        Filter("Blur Linear Up", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 22, 10, 0, 0, 22, 32, 22, 0, 0, 10, 22, 10, 0},
               162),
        Filter("Blur Away", {1, 2, 1, 2, 1, 2, 1, 2, 1}, 14),
        BorderTest(),
        // Kept for its place in the table; number 31 runs the Kuwahara filter instead.
        Filter("Kuwahara", {1, 3, 1, 3, 16, 3, 1, 3, 1}, 32),
        Filter("last", {3, 16, 3, 2, 8, 2, 1, 3, 1}, 55),
    };
}

struct Tap {
    int Row, Column;
    int32_t Weight;
};

// The kernel's non-zero weights relative to the top-left of the neighbourhood.
std::vector<Tap> TapsOf(const tConvolutionFilter& f) {
    const int size = f.Size(), offset = (7 - size) / 2;
    std::vector<Tap> taps;
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c)
            if (int32_t w = f.At(offset + r, offset + c)) taps.push_back({r, c, w});
    return taps;
}

// How wide the sums of a kernel must be.
enum class SumKind {
    Narrow,   // every sum within +-32767: 16-bit lanes
    Wide,     // weights within 16 bits, sums below 2^24: 16-bit pairs multiplied into 32 bits
    Exact,    // anything else: 64-bit integers
};

SumKind SumKindOf(const std::vector<Tap>& taps) {
#if defined(__SSE2__)
    int64_t weightSum = 0, largest = 0;
    for (const Tap& t : taps) {
        weightSum += std::abs(int64_t(t.Weight));
        largest = std::max(largest, std::abs(int64_t(t.Weight)));
    }
    if (weightSum * 255 <= 32767) return SumKind::Narrow;
    if (largest <= 32767 && weightSum * 255 < (int64_t(1) << 24)) return SumKind::Wide;
#endif
    return SumKind::Exact;
}

// The sums run over interleaved bytes (blue, green, red, alpha of each pixel), so that each
// tap is a multiply-add over contiguous memory; the alpha sums are computed and dropped.
// source[t] is tap t's first byte in its row. The vector sums read up to 32 bytes past a
// row's last interior byte, which the ring's row slack absorbs.
constexpr int RowSlack = 64;

void SumExact(const uint8_t* const* source, const std::vector<Tap>& taps, int bytes, int64_t* sums) {
    std::fill(sums, sums + bytes, 0);
    for (size_t t = 0; t < taps.size(); ++t) {
        const uint8_t* p = source[t];
        const int64_t w = taps[t].Weight;
        for (int i = 0; i < bytes; ++i) sums[i] += w * p[i];
    }
}

// Quotients truncated towards zero and clamped to 0 .. 255, as opaque pixels. For sums below
// 2^24 in magnitude a float quotient truncates to the exact one; for divisors 2 .. 4095 it is
// taken as (s + 1/2) (1/d), which lies at least 1/(2d) from the next integer, more than the
// float error of any quotient below 256 (larger ones clamp to 255 either way, negative sums
// to 0).
struct Divider {
    int32_t Divisor;
    float Reciprocal = 0, Half = 0;

    explicit Divider(int32_t divisor) : Divisor(divisor) {
        if (divisor > 1 && divisor < 4096) {
            Reciprocal = 1.0f / static_cast<float>(divisor);
            Half = 0.5f / static_cast<float>(divisor);
        }
    }
    int32_t operator()(int32_t s) const {
        if (Divisor == 1) return s;
        if (Reciprocal != 0) return static_cast<int32_t>(static_cast<float>(s) * Reciprocal + Half);
        return static_cast<int32_t>(static_cast<float>(s) / static_cast<float>(Divisor));
    }
};

inline TColor32 OpaquePixel(const int64_t* channel) {
    auto byte = [](int64_t v) { return TColor32(std::clamp<int64_t>(v, 0, 255)); };
    return 0xFF000000u | byte(channel[2]) << 16 | byte(channel[1]) << 8 | byte(channel[0]);
}

void FinishExact(int64_t* sums, int width, int32_t divisor, TColor32* out) {
    if (divisor != 1)
        for (int i = 0; i < width * 4; ++i) sums[i] /= divisor;
    for (int x = 0; x < width; ++x) out[x] = OpaquePixel(sums + 4 * x);
}

#if defined(__SSE2__)

inline __m128i Load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
inline void Store(void* p, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }

// Eight 16-bit sums to 32-bit lanes, sign kept.
inline __m128i WidenLow(__m128i v) { return _mm_srai_epi32(_mm_unpacklo_epi16(v, v), 16); }
inline __m128i WidenHigh(__m128i v) { return _mm_srai_epi32(_mm_unpackhi_epi16(v, v), 16); }

inline void AddProducts(__m128i a, __m128i b, __m128i w, __m128i (&s)[4]) {
    const __m128i zero = _mm_setzero_si128();
    s[0] = _mm_add_epi16(s[0], _mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), w));
    s[1] = _mm_add_epi16(s[1], _mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), w));
    s[2] = _mm_add_epi16(s[2], _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), w));
    s[3] = _mm_add_epi16(s[3], _mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), w));
}

// A vector in a container (std::vector drops the vector type's attributes).
struct Lanes {
    __m128i V;
};

inline void StoreWidened(int32_t* sums, const __m128i (&s)[4]) {
    for (int k = 0; k < 4; ++k) {
        Store(sums + 8 * k, WidenLow(s[k]));
        Store(sums + 8 * k + 4, WidenHigh(s[k]));
    }
}

// 16-bit sums, 32 bytes (8 pixels) per pass over the taps. A 3 x 3 kernel keeps its nine
// weights in registers for the whole row.
void SumNarrow3x3(const uint8_t* const* rows, const int16_t* kernel, int bytes, int32_t* sums) {
    __m128i w[9];
    for (int k = 0; k < 9; ++k) w[k] = _mm_set1_epi16(kernel[k]);
    for (int i = 0; i < bytes; i += 32) {
        __m128i s[4] = {_mm_setzero_si128(), _mm_setzero_si128(), _mm_setzero_si128(), _mm_setzero_si128()};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                const uint8_t* p = rows[r] + 4 * c + i;
                AddProducts(Load(p), Load(p + 16), w[r * 3 + c], s);
            }
        StoreWidened(sums + i, s);
    }
}

void SumNarrow(const uint8_t* const* source, const std::vector<Tap>& taps, int bytes, int32_t* sums) {
    std::vector<Lanes> w;
    for (const Tap& t : taps) w.push_back({_mm_set1_epi16(static_cast<int16_t>(t.Weight))});
    for (int i = 0; i < bytes; i += 32) {
        __m128i s[4] = {_mm_setzero_si128(), _mm_setzero_si128(), _mm_setzero_si128(), _mm_setzero_si128()};
        for (size_t t = 0; t < taps.size(); ++t) AddProducts(Load(source[t] + i), Load(source[t] + i + 16), w[t].V, s);
        StoreWidened(sums + i, s);
    }
}

// 32-bit sums: two taps at a time, their bytes interleaved into 16-bit pairs that one
// multiply-add turns into w1 b1 + w2 b2. An odd tap count gets a last partner of weight 0.
void SumWide(const uint8_t* const* source, const std::vector<Tap>& taps, int bytes, int32_t* sums) {
    const size_t pairs = (taps.size() + 1) / 2;
    std::vector<Lanes> w(pairs);
    std::vector<const uint8_t*> second(pairs);
    for (size_t k = 0; k < pairs; ++k) {
        const bool single = 2 * k + 1 == taps.size();
        const uint16_t first = static_cast<uint16_t>(taps[2 * k].Weight);
        const uint16_t other = single ? 0 : static_cast<uint16_t>(taps[2 * k + 1].Weight);
        w[k].V = _mm_set1_epi32(static_cast<int32_t>(uint32_t(other) << 16 | first));
        second[k] = source[single ? 2 * k : 2 * k + 1];
    }
    const __m128i zero = _mm_setzero_si128();
    for (int i = 0; i < bytes; i += 16) {
        __m128i s0 = zero, s1 = zero, s2 = zero, s3 = zero;
        for (size_t k = 0; k < pairs; ++k) {
            const __m128i a = Load(source[2 * k] + i), b = Load(second[k] + i);
            const __m128i low = _mm_unpacklo_epi8(a, b), high = _mm_unpackhi_epi8(a, b);
            s0 = _mm_add_epi32(s0, _mm_madd_epi16(_mm_unpacklo_epi8(low, zero), w[k].V));
            s1 = _mm_add_epi32(s1, _mm_madd_epi16(_mm_unpackhi_epi8(low, zero), w[k].V));
            s2 = _mm_add_epi32(s2, _mm_madd_epi16(_mm_unpacklo_epi8(high, zero), w[k].V));
            s3 = _mm_add_epi32(s3, _mm_madd_epi16(_mm_unpackhi_epi8(high, zero), w[k].V));
        }
        Store(sums + i, s0);
        Store(sums + i + 4, s1);
        Store(sums + i + 8, s2);
        Store(sums + i + 12, s3);
    }
}

// Four pixels at a time; the saturating packs do the clamping to 0 .. 255.
void Finish(const int32_t* sums, int width, const Divider& divide, TColor32* out) {
    const __m128i opaque = _mm_set1_epi32(static_cast<int32_t>(0xFF000000u));
    const __m128 reciprocal = _mm_set1_ps(divide.Reciprocal), half = _mm_set1_ps(divide.Half);
    const __m128 divisor = _mm_set1_ps(static_cast<float>(divide.Divisor));
    auto quotient = [&](__m128i v) {
        if (divide.Divisor == 1) return v;
        const __m128 f = _mm_cvtepi32_ps(v);
        if (divide.Reciprocal != 0) return _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(f, reciprocal), half));
        return _mm_cvttps_epi32(_mm_div_ps(f, divisor));
    };
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        const int32_t* p = sums + 4 * x;
        const __m128i q01 = _mm_packs_epi32(quotient(Load(p)), quotient(Load(p + 4)));
        const __m128i q23 = _mm_packs_epi32(quotient(Load(p + 8)), quotient(Load(p + 12)));
        Store(out + x, _mm_or_si128(_mm_packus_epi16(q01, q23), opaque));
    }
    for (; x < width; ++x) {
        const int64_t channel[3] = {divide(sums[4 * x]), divide(sums[4 * x + 1]), divide(sums[4 * x + 2])};
        out[x] = OpaquePixel(channel);
    }
}

#endif

void ConvolveRows(TBitmap32& surface, const std::vector<Tap>& taps, int32_t divisor, int size, SumKind kind) {
    const int width = surface.Width(), height = surface.Height(), m = size / 2, inner = width - 2 * m;
    const int bytes = inner * 4;
    // The unfiltered rows live in a ring of `size` rows: a row is copied in just before the
    // first output row that overwrites it, so the copy stays small and in cache.
    const size_t stride = static_cast<size_t>(width) * 4 + RowSlack;
    std::vector<uint8_t> ring(stride * size, 0);
    auto slot = [&](int y) { return ring.data() + stride * static_cast<size_t>(y % size); };
    auto keep = [&](int y) { std::memcpy(slot(y), surface.ScanLine(y), static_cast<size_t>(width) * 4); };
    for (int y = 0; y < size - 1; ++y) keep(y);

    std::vector<const uint8_t*> source(taps.size()), rows(size);
    std::vector<int64_t> exact(kind == SumKind::Exact ? bytes : 0);
    std::vector<int32_t> sums(kind == SumKind::Exact ? 0 : bytes + RowSlack);
    std::vector<int16_t> kernel3x3;
    if (size == 3) {
        kernel3x3.assign(9, 0);
        for (const Tap& t : taps) kernel3x3[t.Row * 3 + t.Column] = static_cast<int16_t>(t.Weight);
    }
    for (int y = m; y < height - m; ++y) {
        if (DrawingStopRequested()) break;
        keep(y + m);
        for (int r = 0; r < size; ++r) rows[r] = slot(y - m + r);
        for (size_t t = 0; t < taps.size(); ++t) source[t] = rows[taps[t].Row] + 4 * taps[t].Column;
        TColor32* out = surface.ScanLine(y) + m;
        if (kind == SumKind::Exact) {
            SumExact(source.data(), taps, bytes, exact.data());
            FinishExact(exact.data(), inner, divisor, out);
            continue;
        }
#if defined(__SSE2__)
        if (kind == SumKind::Wide)
            SumWide(source.data(), taps, bytes, sums.data());
        else if (size == 3)
            SumNarrow3x3(rows.data(), kernel3x3.data(), bytes, sums.data());
        else
            SumNarrow(source.data(), taps, bytes, sums.data());
        Finish(sums.data(), inner, Divider(divisor), out);
#endif
    }
}

}  // namespace

const std::array<tConvolutionFilter, FilterCount>& ConvolutionFilters() {
    static const std::array<tConvolutionFilter, FilterCount> table = BuildTable();
    return table;
}

std::string FilterName(int i) {
    if (i < 0 || i >= FilterCount) return {};
    return ConvolutionFilters()[i].Name;
}

void Convolve(TBitmap32& surface, const tConvolutionFilter& filter) {
    const int size = filter.Size();
    if (surface.Width() < size || surface.Height() < size) return;
    const std::vector<Tap> taps = TapsOf(filter);
    const int32_t divisor = filter.Divisor == 0 ? 1 : filter.Divisor;
    ConvolveRows(surface, taps, divisor, size, SumKindOf(taps));
    surface.Changed();
}

void ApplyFilter(TBitmap32& surface, int i) {
    if (i < 0 || i >= FilterCount) {
        ShowPaxError("Im_Convolution:  ApplyFilter",
                     "filter number " + std::to_string(i) + " not in 0.." + std::to_string(FilterCount - 1));
        return;
    }
    if (i == 0) return;
    if (i == KuwaharaFilter) {
        Kuwahara(surface);
        return;
    }
    Convolve(surface, ConvolutionFilters()[i]);
}

}  // namespace pax
