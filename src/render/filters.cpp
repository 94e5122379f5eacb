#include "render/filters.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "render/kuwahara.h"
#include "system/error_reporting.h"

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

// One output row. The sums run over interleaved bytes (blue, green, red, alpha of each pixel)
// so every inner loop is a plain multiply-add over contiguous memory; the alpha sums are
// computed and dropped. Acc is int32_t when no sum can leave +-2^24, where a float quotient
// truncates to the exact integer quotient, else int64_t with integer division.
template <typename Acc>
void ConvolveRow(const uint8_t* const* rows, const std::vector<Tap>& taps, int32_t divisor, int width,
                 std::vector<Acc>& acc, TColor32* out) {
    const int bytes = width * 4;
    std::fill(acc.begin(), acc.end(), Acc(0));
    Acc* a = acc.data();
    for (const Tap& t : taps) {
        const uint8_t* s = rows[t.Row] + 4 * t.Column;
        const Acc w = t.Weight;
        for (int i = 0; i < bytes; ++i) a[i] += w * s[i];
    }
    if constexpr (sizeof(Acc) == 4) {
        if (divisor != 1) {
            const float d = static_cast<float>(divisor);
            for (int i = 0; i < bytes; ++i) a[i] = static_cast<Acc>(static_cast<float>(a[i]) / d);
        }
    } else {
        if (divisor != 1)
            for (int i = 0; i < bytes; ++i) a[i] /= divisor;
    }
    for (int i = 0; i < bytes; ++i) a[i] = std::clamp<Acc>(a[i], 0, 255);
    for (int x = 0; x < width; ++x)
        out[x] = 0xFF000000u | TColor32(a[4 * x + 2]) << 16 | TColor32(a[4 * x + 1]) << 8 | TColor32(a[4 * x]);
}

template <typename Acc>
void ConvolveRows(TBitmap32& surface, const std::vector<TColor32>& source, const std::vector<Tap>& taps,
                  int32_t divisor, int size) {
    const int width = surface.Width(), height = surface.Height(), m = size / 2, inner = width - 2 * m;
    std::vector<Acc> acc(static_cast<size_t>(inner) * 4);
    std::vector<const uint8_t*> rows(size);
    for (int y = m; y < height - m; ++y) {
        for (int r = 0; r < size; ++r)
            rows[r] = reinterpret_cast<const uint8_t*>(source.data() + static_cast<size_t>(y - m + r) * width);
        ConvolveRow<Acc>(rows.data(), taps, divisor, inner, acc, surface.ScanLine(y) + m);
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
    const std::vector<TColor32> source(surface.Bits(), surface.Bits() + size_t(surface.Width()) * surface.Height());
    const std::vector<Tap> taps = TapsOf(filter);
    const int32_t divisor = filter.Divisor == 0 ? 1 : filter.Divisor;
    int64_t weightSum = 0;
    for (const Tap& t : taps) weightSum += std::abs(int64_t(t.Weight));
    if (weightSum * 255 < (int64_t(1) << 24))
        ConvolveRows<int32_t>(surface, source, taps, divisor, size);
    else
        ConvolveRows<int64_t>(surface, source, taps, divisor, size);
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
