// Background filters and the z-buffer's per-picture work, on the default 480 x 360 surface:
//   filter       ApplyFilter with "Blur Linear" (1 2 1 / 2 4 2 / 1 2 1 over 16), "Blur
//                Gaussian" (7 x 7) and Kuwahara, on a seeded picture;
//   Qt           the same 3 x 3 "Blur Linear" as a Qt program would write it: a per-pixel loop
//                over QImage::constScanLine rows with qRed/qGreen/qBlue and qRgb;
//   z-buffer     100,000 segments of 2..40 pixels through LineZ (integer and float points),
//                10,000 segments from far off-screen, and Compose of a full plane.
// The machine is shared, so compare CPU times. Run with --benchmark_repetitions=5 --benchmark_report_aggregates_only=true.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "render/colour/filters.h"
#include "render/windows/zbuffer.h"

namespace {

using pax::TBitmap32;
using pax::TColor32;

constexpr int Width = 480, Height = 360;

// Smooth gradients with some noise.
uint32_t TestPixel(int x, int y, std::mt19937& rng) {
    return 0xFF000000 | (((x * 255 / Width) ^ (rng() & 15)) << 16) | ((y * 255 / Height) << 8) | ((x + y) & 0xFF);
}

TBitmap32 TestPicture() {
    std::mt19937 rng(7);
    TBitmap32 b(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) b.SetPixel(x, y, TestPixel(x, y, rng));
    return b;
}

void FilterOurs(benchmark::State& state, int filter) {
    const TBitmap32 picture = TestPicture();
    TBitmap32 b;
    for (auto _ : state) {
        state.PauseTiming();
        b.Assign(picture);
        state.ResumeTiming();
        pax::ApplyFilter(b, filter);
        benchmark::DoNotOptimize(b.Bits());
    }
    state.SetItemsProcessed(state.iterations() * Width * Height);
}

void BM_Filter_BlurLinear_Pax3d(benchmark::State& state) { FilterOurs(state, 9); }
void BM_Filter_Gaussian7x7_Pax3d(benchmark::State& state) { FilterOurs(state, 7); }
void BM_Filter_Kuwahara_Pax3d(benchmark::State& state) { FilterOurs(state, pax::KuwaharaFilter); }

void BM_Filter_BlurLinear_Qt(benchmark::State& state) {
    std::mt19937 rng(7);
    QImage picture(Width, Height, QImage::Format_ARGB32);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) picture.setPixel(x, y, TestPixel(x, y, rng));
    static constexpr int K[3][3] = {{1, 2, 1}, {2, 4, 2}, {1, 2, 1}};
    QImage out;
    for (auto _ : state) {
        state.PauseTiming();
        out = picture.copy();
        state.ResumeTiming();
        for (int y = 1; y < Height - 1; ++y) {
            const QRgb* rows[3] = {reinterpret_cast<const QRgb*>(picture.constScanLine(y - 1)),
                                   reinterpret_cast<const QRgb*>(picture.constScanLine(y)),
                                   reinterpret_cast<const QRgb*>(picture.constScanLine(y + 1))};
            QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 1; x < Width - 1; ++x) {
                int r = 0, g = 0, b = 0;
                for (int j = 0; j < 3; ++j)
                    for (int i = 0; i < 3; ++i) {
                        const QRgb p = rows[j][x + i - 1];
                        r += qRed(p) * K[j][i];
                        g += qGreen(p) * K[j][i];
                        b += qBlue(p) * K[j][i];
                    }
                dst[x] = qRgb(r / 16, g / 16, b / 16);
            }
        }
        benchmark::DoNotOptimize(out.constBits());
    }
    state.SetItemsProcessed(state.iterations() * Width * Height);
}

struct Segment {
    pax::TZPoint a, b;
    TColor32 colour;
};

// Short segments like a turtle's, anywhere on the surface; or segments whose ends lie up
// to a million pixels off it.
std::vector<Segment> Segments(int count, bool farEnds) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> x(0, Width - 1), y(0, Height - 1), len(-40, 40), far(-1000000, 1000000);
    std::uniform_int_distribution<int> depth(-(100 << 16), 100 << 16);
    std::vector<Segment> segments;
    for (int i = 0; i < count; ++i) {
        Segment s;
        if (farEnds) {
            s.a = {far(rng), far(rng), depth(rng)};
            s.b = {Width - s.a.X + len(rng), Height - s.a.Y + len(rng), depth(rng)};
        } else {
            s.a = {x(rng), y(rng), depth(rng)};
            s.b = {s.a.X + len(rng), s.a.Y + len(rng), depth(rng)};
        }
        s.colour = 0xFF000000 | rng();
        segments.push_back(s);
    }
    return segments;
}

void BM_ZBuffer_LineZ(benchmark::State& state) {
    const auto segments = Segments(100000, false);
    pax::TZBuffer32 z;
    z.SetSize(Width, Height);
    for (auto _ : state) {
        for (const Segment& s : segments) z.LineZ(s.a, s.b, s.colour);
        benchmark::DoNotOptimize(z.ColorPlane().Bits());
    }
    state.SetItemsProcessed(state.iterations() * segments.size());
}

void BM_ZBuffer_LineZFloat(benchmark::State& state) {
    std::vector<std::pair<pax::TZPointF, pax::TZPointF>> points;
    for (const Segment& s : Segments(100000, false))
        points.push_back({{s.a.X + 0.3L, s.a.Y - 0.4L, s.a.Z / 65536.0L}, {s.b.X - 0.2L, s.b.Y + 0.1L, s.b.Z / 65536.0L}});
    pax::TZBuffer32 z;
    z.SetSize(Width, Height);
    for (auto _ : state) {
        for (const auto& [a, b] : points) z.LineZ(a, b, 0xFFFFFFFF);
        benchmark::DoNotOptimize(z.ColorPlane().Bits());
    }
    state.SetItemsProcessed(state.iterations() * points.size());
}

void BM_ZBuffer_LineZFarEnds(benchmark::State& state) {
    const auto segments = Segments(10000, true);
    pax::TZBuffer32 z;
    z.SetSize(Width, Height);
    for (auto _ : state) {
        for (const Segment& s : segments) z.LineZ(s.a, s.b, s.colour);
        benchmark::DoNotOptimize(z.ColorPlane().Bits());
    }
    state.SetItemsProcessed(state.iterations() * segments.size());
}

void BM_ZBuffer_Compose(benchmark::State& state) {
    pax::TZBuffer32 z;
    z.SetSize(Width, Height);
    for (const Segment& s : Segments(100000, false)) z.LineZ(s.a, s.b, s.colour);
    TBitmap32 destination(Width, Height);
    for (auto _ : state) {
        z.Compose(destination, 100);
        benchmark::DoNotOptimize(destination.Bits());
    }
    state.SetItemsProcessed(state.iterations() * Width * Height);
}

BENCHMARK(BM_Filter_BlurLinear_Pax3d)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Filter_BlurLinear_Qt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Filter_Gaussian7x7_Pax3d)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Filter_Kuwahara_Pax3d)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ZBuffer_LineZ)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZBuffer_LineZFloat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZBuffer_LineZFarEnds)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ZBuffer_Compose)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
