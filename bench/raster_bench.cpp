// Our raster surface side by side with Qt's raster engine (QPainter on a QImage with
// antialiasing on), on the same 480 x 360 pixels and the same seeded shapes:
//   lines        10,000 antialiased lines of 20..200 pixels, one colour each (ours also
//                with 20,000 lines of 1..6 pixels, the stems and outlines of plants);
//   polygons     2,000 antialiased even-odd polygons of 4..12 corners, radius 10..60 (and
//                the same without antialiasing, for information; ours also with 20,000 of
//                radius 1.5..6, the leaves and tube faces of plants);
//   convolution  one 3 x 3 integer kernel pass over the whole surface into a second one, the
//                same code on both surfaces (our filters are not part of this comparison).
// Qt draws on Format_ARGB32 (our pixel layout) and on Format_ARGB32_Premultiplied, its
// fastest format. The machine is shared, so compare CPU times. Run with --benchmark_repetitions=5 --benchmark_report_aggregates_only=true.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPointF>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <utility>
#include <vector>

#include "render/surface/bitmap32.h"

namespace {

using pax::TBitmap32;
using pax::TColor32;

constexpr int Width = 480, Height = 360;

struct Line {
    float x1, y1, x2, y2;
    TColor32 color;
};

struct Polygon {
    std::vector<QPointF> corners;
    pax::TArrayOfFixedPoint fixed;
    TColor32 color;
};

TColor32 RandomOpaqueColour(std::mt19937& rng) {
    return 0xFF000000 | (rng() & 0x00FFFFFF);
}

// count seeded lines of the given lengths in random directions from random points.
std::vector<Line> RandomLines(uint32_t seed, int count, float shortest, float longest) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> x(0, Width), y(0, Height), length(shortest, longest), angle(0, 6.2831853f);
    std::vector<Line> out;
    for (int i = 0; i < count; ++i) {
        const float x1 = x(rng), y1 = y(rng), l = length(rng), a = angle(rng);
        out.push_back({x1, y1, x1 + l * std::cos(a), y1 + l * std::sin(a), RandomOpaqueColour(rng)});
    }
    return out;
}

const std::vector<Line>& Lines() {
    static const std::vector<Line> lines = RandomLines(20240601, 10000, 20, 200);
    return lines;
}

// Lines of a few pixels, as the stems and leaf outlines of a plant are drawn, from the 16.16
// grid of the windows: a line's set-up weighs as much as its two or three columns.
const std::vector<Line>& ShortLines() {
    static const std::vector<Line> lines = RandomLines(20240603, 20000, 1, 6);
    return lines;
}

// count seeded even-odd polygons of 4..12 corners scattered within the given radii of random
// centres, on the 16.16 grid so that both engines get the very same shapes.
std::vector<Polygon> RandomPolygons(uint32_t seed, int count, double smallest, double largest) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> x(0, Width), y(0, Height), radius(smallest, largest), unit(0, 1);
    std::uniform_int_distribution<int> corners(4, 12);
    std::vector<Polygon> out;
    for (int i = 0; i < count; ++i) {
        Polygon p;
        const double cx = x(rng), cy = y(rng), r = radius(rng);
        const int n = corners(rng);
        for (int k = 0; k < n; ++k) {
            const double a = unit(rng) * 6.283185307, d = r * std::sqrt(unit(rng));
            const pax::TFixedPoint f = pax::FixedPoint(cx + d * std::cos(a), cy + d * std::sin(a));
            p.fixed.push_back(f);
            p.corners.emplace_back(pax::FixedToFloat(f.X), pax::FixedToFloat(f.Y));
        }
        p.color = RandomOpaqueColour(rng);
        out.push_back(std::move(p));
    }
    return out;
}

const std::vector<Polygon>& Polygons() {
    static const std::vector<Polygon> polygons = RandomPolygons(20240602, 2000, 10, 60);
    return polygons;
}

// Leaves and tube faces of a plant: a few pixels across, where setting up the cells and
// sweeping the rows weigh more than the spans between the edges.
const std::vector<Polygon>& SmallPolygons() {
    static const std::vector<Polygon> polygons = RandomPolygons(20240604, 20000, 1.5, 6);
    return polygons;
}

// A picture to convolve: smooth gradients with some noise.
template <class RowOf>
void FillTestPicture(RowOf row) {
    std::mt19937 rng(7);
    for (int y = 0; y < Height; ++y) {
        uint32_t* p = row(y);
        for (int x = 0; x < Width; ++x)
            p[x] = 0xFF000000 | (((x * 255 / Width) ^ (rng() & 15)) << 16) | ((y * 255 / Height) << 8) | ((x + y) & 0xFF);
    }
}

// The same 3 x 3 pass for both surfaces: kernel 1 2 1 / 2 4 2 / 1 2 1 over 16, per channel,
// alpha kept; the one-pixel border is copied.
template <class InRow, class OutRow>
void Convolve3x3(InRow in, OutRow out) {
    static constexpr int K[3][3] = {{1, 2, 1}, {2, 4, 2}, {1, 2, 1}};
    for (int y = 0; y < Height; ++y) {
        const uint32_t* src = in(y);
        uint32_t* dst = out(y);
        if (y == 0 || y == Height - 1) {
            for (int x = 0; x < Width; ++x) dst[x] = src[x];
            continue;
        }
        const uint32_t* rows[3] = {in(y - 1), src, in(y + 1)};
        dst[0] = src[0];
        dst[Width - 1] = src[Width - 1];
        for (int x = 1; x < Width - 1; ++x) {
            uint32_t r = 0, g = 0, b = 0;
            for (int j = 0; j < 3; ++j)
                for (int i = 0; i < 3; ++i) {
                    const uint32_t p = rows[j][x + i - 1];
                    const int k = K[j][i];
                    r += ((p >> 16) & 0xFF) * k;
                    g += ((p >> 8) & 0xFF) * k;
                    b += (p & 0xFF) * k;
                }
            dst[x] = (src[x] & 0xFF000000) | ((r >> 4) << 16) | ((g >> 4) << 8) | (b >> 4);
        }
    }
}

// --- ours --------------------------------------------------------------------------------

TBitmap32 OurSurface() {
    TBitmap32 b(Width, Height);
    b.Clear(pax::clBlack32);
    return b;
}

void BM_Lines_Pax3d(benchmark::State& state) {
    TBitmap32 b = OurSurface();
    const auto& lines = Lines();
    for (auto _ : state) {
        for (const Line& l : lines) b.LineAAF(l.x1, l.y1, l.x2, l.y2, l.color);
        benchmark::DoNotOptimize(b.Bits());
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}

void BM_ShortLines_Pax3d(benchmark::State& state) {
    TBitmap32 b = OurSurface();
    // On the 16.16 grid, as the windows hand their lines over.
    std::vector<std::pair<pax::TFixedPoint, pax::TFixedPoint>> ends;
    for (const Line& l : ShortLines()) ends.emplace_back(pax::FixedPoint(l.x1, l.y1), pax::FixedPoint(l.x2, l.y2));
    const auto& lines = ShortLines();
    for (auto _ : state) {
        for (size_t i = 0; i < ends.size(); ++i)
            b.LineAA(ends[i].first.X, ends[i].first.Y, ends[i].second.X, ends[i].second.Y, lines[i].color);
        benchmark::DoNotOptimize(b.Bits());
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}

void BM_Polygons_Pax3d(benchmark::State& state) {
    TBitmap32 b = OurSurface();
    const auto& polygons = Polygons();
    for (auto _ : state) {
        for (const Polygon& p : polygons) b.FillPolygonAA(p.fixed, p.color);
        benchmark::DoNotOptimize(b.Bits());
    }
    state.SetItemsProcessed(state.iterations() * polygons.size());
}

void BM_SmallPolygons_Pax3d(benchmark::State& state) {
    TBitmap32 b = OurSurface();
    const auto& polygons = SmallPolygons();
    for (auto _ : state) {
        for (const Polygon& p : polygons) b.FillPolygonAA(p.fixed, p.color);
        benchmark::DoNotOptimize(b.Bits());
    }
    state.SetItemsProcessed(state.iterations() * polygons.size());
}

// The same polygons without antialiasing: the fill the object window uses by default.
void BM_PlainPolygons_Pax3d(benchmark::State& state) {
    TBitmap32 b = OurSurface();
    const auto& polygons = Polygons();
    for (auto _ : state) {
        for (const Polygon& p : polygons) b.FillPolygon(p.fixed, p.color);
        benchmark::DoNotOptimize(b.Bits());
    }
    state.SetItemsProcessed(state.iterations() * polygons.size());
}

void BM_Convolution_Pax3d(benchmark::State& state) {
    TBitmap32 src = OurSurface(), dst = OurSurface();
    FillTestPicture([&](int y) { return src.ScanLine(y); });
    const TBitmap32& in = src;
    for (auto _ : state) {
        Convolve3x3([&](int y) { return in.ScanLine(y); }, [&](int y) { return dst.ScanLine(y); });
        benchmark::DoNotOptimize(dst.Bits());
    }
    state.SetItemsProcessed(state.iterations() * Width * Height);
}

// --- Qt ----------------------------------------------------------------------------------

QImage QtSurface(QImage::Format format) {
    QImage image(Width, Height, format);
    image.fill(Qt::black);
    return image;
}

template <QImage::Format Format>
void BM_Lines_Qt(benchmark::State& state) {
    QImage image = QtSurface(Format);
    const auto& lines = Lines();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (auto _ : state) {
        for (const Line& l : lines) {
            painter.setPen(QPen(QColor::fromRgba(l.color), 1.0));
            painter.drawLine(QLineF(l.x1, l.y1, l.x2, l.y2));
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}

template <QImage::Format Format, bool Antialiased = true>
void BM_Polygons_Qt(benchmark::State& state) {
    QImage image = QtSurface(Format);
    const auto& polygons = Polygons();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, Antialiased);
    painter.setPen(Qt::NoPen);
    for (auto _ : state) {
        for (const Polygon& p : polygons) {
            painter.setBrush(QColor::fromRgba(p.color));
            painter.drawPolygon(p.corners.data(), static_cast<int>(p.corners.size()), Qt::OddEvenFill);
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * polygons.size());
}

// The plain loop calling QImage::scanLine for every row it reads and writes.
void BM_Convolution_Qt_ScanLine(benchmark::State& state) {
    QImage src = QtSurface(QImage::Format_ARGB32), dst = QtSurface(QImage::Format_ARGB32);
    FillTestPicture([&](int y) { return reinterpret_cast<uint32_t*>(src.scanLine(y)); });
    const QImage& in = src;
    for (auto _ : state) {
        Convolve3x3([&](int y) { return reinterpret_cast<const uint32_t*>(in.constScanLine(y)); },
                    [&](int y) { return reinterpret_cast<uint32_t*>(dst.scanLine(y)); });
        benchmark::DoNotOptimize(dst.constBits());
    }
    state.SetItemsProcessed(state.iterations() * Width * Height);
}

// The same loop with the row addresses taken once, before timing: the opaque scanLine calls
// inside the loop keep the compiler from optimising the kernel as well as ours.
void BM_Convolution_Qt_RowTable(benchmark::State& state) {
    QImage src = QtSurface(QImage::Format_ARGB32), dst = QtSurface(QImage::Format_ARGB32);
    FillTestPicture([&](int y) { return reinterpret_cast<uint32_t*>(src.scanLine(y)); });
    std::vector<const uint32_t*> in;
    std::vector<uint32_t*> out;
    for (int y = 0; y < Height; ++y) {
        in.push_back(reinterpret_cast<const uint32_t*>(std::as_const(src).constScanLine(y)));
        out.push_back(reinterpret_cast<uint32_t*>(dst.scanLine(y)));
    }
    for (auto _ : state) {
        Convolve3x3([&](int y) { return in[y]; }, [&](int y) { return out[y]; });
        benchmark::DoNotOptimize(dst.constBits());
    }
    state.SetItemsProcessed(state.iterations() * Width * Height);
}

BENCHMARK(BM_Lines_Pax3d)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShortLines_Pax3d)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Lines_Qt, QImage::Format_ARGB32)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Lines_Qt, QImage::Format_ARGB32_Premultiplied)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Polygons_Pax3d)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallPolygons_Pax3d)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Polygons_Qt, QImage::Format_ARGB32)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Polygons_Qt, QImage::Format_ARGB32_Premultiplied)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPolygons_Pax3d)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Polygons_Qt, QImage::Format_ARGB32_Premultiplied, false)
    ->Name("BM_PlainPolygons_Qt<QImage::Format_ARGB32_Premultiplied>")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Convolution_Pax3d)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Convolution_Qt_ScanLine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Convolution_Qt_RowTable)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // QPainter on a QImage needs no display; the offscreen platform keeps it headless.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
