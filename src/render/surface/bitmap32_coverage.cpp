#include "render/surface/bitmap32_coverage.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "render/surface/bitmap32_blend.h"

namespace pax {

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {   // b > 0
    const int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// a + (b - a) t / d rounded down, for the crossing of an edge with a grid line.
int64_t Lerp(int64_t a, int64_t b, int64_t t, int64_t d) { return a + FloorDiv((b - a) * t, d); }

}  // namespace

void CoverageAccumulator::Begin(int width, int height, RowShare share, int top) {
    m_ownTop = static_cast<int>(std::clamp<int64_t>(int64_t(share.Top()) - top, 0, height));
    m_ownBottom = static_cast<int>(std::clamp<int64_t>(int64_t(share.Bottom()) - top, 0, height));
    m_width = width;
    m_height = height;
    m_stride = width + 2;
    const size_t cells = static_cast<size_t>(m_stride) * height;
    if (m_cells.size() < cells) m_cells.resize(cells, 0);
    m_rowMin.assign(height, width + 2);
    m_rowMax.assign(height, -1);
}

void CoverageAccumulator::AddEdge(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    if (y0 == y1) return;
    // Downward edges count +1, upward ones -1; both are walked top to bottom so that an edge
    // shared by two polygons gives both exactly opposite contributions.
    int sign = 1;
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
        sign = -1;
    }
    const int64_t bottom = int64_t(m_height) * 256;
    if (y1 <= 0 || y0 >= bottom) return;
    int64_t cx0 = x0, cy0 = y0, cx1 = x1, cy1 = y1;
    if (y0 < 0) cx0 = Lerp(x0, x1, -y0, y1 - y0), cy0 = 0;
    if (y1 > bottom) cx1 = Lerp(x0, x1, bottom - y0, y1 - y0), cy1 = bottom;
    ClipX(cx0, cy0, cx1, cy1, sign);
}

void CoverageAccumulator::ClipX(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int sign) {
    if (y0 >= y1) return;
    const int64_t right = int64_t(m_width) * 256;
    if (x0 <= 0 && x1 <= 0) return Rows(0, y0, 0, y1, sign);
    if (x0 >= right && x1 >= right) return;   // only pixels right of the band see it
    for (int64_t boundary : {int64_t(0), right}) {
        if ((x0 < boundary && x1 > boundary) || (x0 > boundary && x1 < boundary)) {
            const int64_t y = Lerp(y0, y1, std::abs(boundary - x0), std::abs(x1 - x0));
            ClipX(x0, y0, boundary, y, sign);
            ClipX(boundary, y, x1, y1, sign);
            return;
        }
    }
    Rows(x0, y0, x1, y1, sign);
}

void CoverageAccumulator::Rows(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int sign) {
    const int r0 = static_cast<int>(y0 >> 8), r1 = static_cast<int>((y1 - 1) >> 8);
    const int first = std::max(r0, m_ownTop), last = std::min(r1, m_ownBottom - 1);
    if (first > last) return;
    const int fy0 = static_cast<int>(y0 & 255);
    if (r0 == r1) return Cells(r0, int(x0), fy0, int(x1), int(y1 - int64_t(r1) * 256), sign);

    // x where the edge crosses the top of each row after its first, x0 + floor((256 row - y0)
    // dx / dy), stepped exactly with quotient and remainder from the first row it draws.
    const int64_t dx = x1 - x0, dy = y1 - y0;
    int row = std::max(first, r0 + 1);
    int64_t p = (256 * int64_t(row) - y0) * dx;
    int64_t delta = FloorDiv(p, dy);
    int64_t mod = p - delta * dy;
    int64_t x = x0 + delta;
    if (first == r0) Cells(r0, int(x0), fy0, int(x), 256, sign);
    if (row < r1 && row <= last) {
        p = 256 * dx;
        const int64_t lift = FloorDiv(p, dy), rem = p - lift * dy;
        mod -= dy;
        for (; row < r1 && row <= last; ++row) {
            delta = lift;
            mod += rem;
            if (mod >= 0) {
                mod -= dy;
                ++delta;
            }
            Cells(row, int(x), 0, int(x + delta), 256, sign);
            x += delta;
        }
    }
    if (row == r1 && r1 <= last) Cells(r1, int(x), 0, int(x1), int(y1 - int64_t(r1) * 256), sign);
}

void CoverageAccumulator::Cells(int row, int xa, int ya, int xb, int yb, int sign) {
    uint32_t* cells = m_cells.data() + static_cast<size_t>(row) * m_stride;
    int ex0 = xa >> 8;
    const int ex1 = xb >> 8;
    const int fx0 = xa & 255, fx1 = xb & 255;
    m_rowMin[row] = std::min(m_rowMin[row], std::min(ex0, ex1));
    m_rowMax[row] = std::max(m_rowMax[row], std::max(ex0, ex1) + 1);
    if (ex0 == ex1) return Add(cells, ex0, fx0, fx1, sign * (yb - ya));

    // Walk the cells between, splitting the height at every vertical cell boundary.
    int dx = xb - xa, first = 256, incr = 1;
    const int dy = yb - ya;
    int p = (256 - fx0) * dy;
    if (dx < 0) {
        p = fx0 * dy;
        first = 0;
        incr = -1;
        dx = -dx;
    }
    int delta = p / dx, mod = p % dx;
    Add(cells, ex0, fx0, first, sign * delta);
    int y = ya + delta;
    ex0 += incr;
    if (ex0 != ex1) {
        p = 256 * dy;
        const int lift = p / dx, rem = p % dx;
        mod -= dx;
        for (; ex0 != ex1; ex0 += incr) {
            delta = lift;
            mod += rem;
            if (mod >= 0) {
                mod -= dx;
                ++delta;
            }
            Add(cells, ex0, 256 - first, first, sign * delta);
            y += delta;
        }
    }
    Add(cells, ex1, 256 - first, fx1, sign * (yb - y));
}

#if defined(__SSE2__)
namespace {

// Four cells' running sums from sum onwards, folded by the even-odd rule into weights for
// colour alpha alpha, exactly as the cell-by-cell sweep computes them; sum becomes the last.
__m128i FourWeights(__m128i cells, uint32_t& sum, __m128i alpha) {
    constexpr int Full = static_cast<int>(CoverageAccumulator::FullCover);
    __m128i v = _mm_add_epi32(cells, _mm_slli_si128(cells, 4));
    v = _mm_add_epi32(v, _mm_slli_si128(v, 8));
    v = _mm_add_epi32(v, _mm_set1_epi32(static_cast<int>(sum)));
    sum = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_shuffle_epi32(v, 0xFF)));
    __m128i cover = _mm_and_si128(v, _mm_set1_epi32(2 * Full - 1));
    const __m128i beyond = _mm_cmpgt_epi32(cover, _mm_set1_epi32(Full));
    cover = _mm_or_si128(_mm_and_si128(beyond, _mm_sub_epi32(_mm_set1_epi32(2 * Full), cover)),
                         _mm_andnot_si128(beyond, cover));
    // cover * alpha stays below 2^25: the even and odd lanes' 64-bit products hold it whole.
    const __m128i even = _mm_mul_epu32(cover, alpha);
    const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(cover, 32), alpha);
    const __m128i product = _mm_or_si128(even, _mm_slli_epi64(odd, 32));
    return _mm_srli_epi32(_mm_add_epi32(product, _mm_set1_epi32(Full / 2)), 17);
}

}  // namespace
#endif

void CoverageAccumulator::Sweep(TBitmap32& surface, int left, int top, TColor32 c) {
    const uint32_t alpha = AlphaOf(c);
#if defined(__SSE2__)
    const __m128i alphas = _mm_set1_epi32(static_cast<int>(alpha));
    const __m128i colours = _mm_set1_epi32(static_cast<int>(c));
    const __m128i zero = _mm_setzero_si128();
#endif
    for (int row = 0; row < m_height; ++row) {
        const int lo = m_rowMin[row], hi = m_rowMax[row];
        if (lo > hi) continue;
        uint32_t* cells = m_cells.data() + static_cast<size_t>(row) * m_stride;
        TColor32* pixels = surface.ScanLine(top + row) + left;
        const int end = std::min(hi, m_width - 1);
        uint32_t sum = 0, weight = 0;
        for (int x = lo; x <= end;) {
#if defined(__SSE2__)
            // Four cells at once where the edges are (a small polygon is nothing but edges);
            // four untouched ones begin a span, drawn at the coverage it keeps.
            if (x + 3 <= end) {
                auto* four = reinterpret_cast<__m128i*>(cells + x);
                const __m128i v = _mm_loadu_si128(four);
                if (_mm_movemask_epi8(_mm_cmpeq_epi32(v, zero)) != 0xFFFF) {
                    _mm_storeu_si128(four, zero);
                    const __m128i weights = FourWeights(v, sum, alphas);
                    weight = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_shuffle_epi32(weights, 0xFF)));
                    auto* out = reinterpret_cast<__m128i*>(pixels + x);
                    _mm_storeu_si128(out, blend::MixFour(colours, _mm_loadu_si128(out), weights));
                    x += 4;
                    continue;
                }
            }
#endif
            sum += cells[x];
            cells[x] = 0;
            // Even-odd: winding integrals 0, 2, 4 ... are empty, 1, 3 ... full.
            uint32_t cover = sum & (2 * FullCover - 1);
            if (cover > FullCover) cover = 2 * FullCover - cover;
            weight = (cover * alpha + FullCover / 2) >> 17;
            blend::MixInto(pixels[x], c, weight);
            // Untouched cells keep the coverage: the inside of a polygon is one span.
            const int from = ++x;
            while (x <= end && cells[x] == 0) ++x;
            blend::MixSpan(pixels + from, x - from, c, weight);
        }
        for (int x = std::max(end + 1, lo); x <= hi; ++x) cells[x] = 0;
        // Past the last touched cell the coverage stays what it was.
        if (end + 1 < m_width) blend::MixSpan(pixels + end + 1, m_width - end - 1, c, weight);
    }
}

}  // namespace pax
