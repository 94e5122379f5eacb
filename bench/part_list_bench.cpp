// The object window's part list and the turtle's projection path, without rasterising.
//
//   PartListBuildAndOrder     32,000 line-part records from paged memory with seeded random
//                             depths, appended and put into drawing order
//   StableSortOfKeys          std::stable_sort of the same 32,000 keys (the yardstick)
//   WindowLineParts           the same through the window: 32,000 projected segments inside an
//                             object, each a line part
//   TurtleSegmentsIntoObject  Pax3d steps projected into the object window, each a line part;
//                             exact quarter turns, so the figure measures the projection path
//   TurtleJumps               the same steps with the pen up: projection only
//   TurtleSegmentsWithTurns   steps with a turn and a pitch by odd angles between them, the
//                             shape of an L-system walk (the turns' trigonometry dominates)
//
// Run with --benchmark_repetitions=N; every case reports its median.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "foundation/memory_list.h"
#include "render/windows/object_window.h"
#include "render/windows/part_list.h"
#include "render/windows/part_rows.h"
#include "render/windows/shared_surfaces.h"
#include "render/sprites/sprite_store.h"
#include "scene/eye3d.h"
#include "scene/light3d.h"
#include "scene/pax3d.h"

namespace pax {
namespace {

constexpr int Parts = PartList::MaxParts;

std::vector<double> SeededDepths() {
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> depth(500, 1500);
    std::vector<double> keys(Parts);
    for (double& k : keys) k = depth(random);
    return keys;
}

void PartListBuildAndOrder(benchmark::State& state) {
    const std::vector<double> keys = SeededDepths();
    tMemoryList memory;
    PartList list;
    for (auto _ : state) {
        memory.Reset();
        list.Clear();
        for (double key : keys) {
            auto* part = memory.New<tLinePart>();
            part->Type = PartType::Line;
            part->Key = key;
            part->Color = 0xFFFFFF00;
            part->EndX = part->StartX = key;
            list.Insert(part, RowsOfPart(*part));
        }
        list.Sort();
        benchmark::DoNotOptimize(list[0]);
    }
    state.SetItemsProcessed(state.iterations() * Parts);
}

void StableSortOfKeys(benchmark::State& state) {
    const std::vector<double> keys = SeededDepths();
    std::vector<double> work;
    for (auto _ : state) {
        work = keys;
        std::stable_sort(work.begin(), work.end(), std::greater<>());
        benchmark::DoNotOptimize(work.data());
    }
    state.SetItemsProcessed(state.iterations() * Parts);
}

struct Scene {
    SharedSurfaces surfaces{64, 64};
    SpriteStore sprites;
    Eye3d eye{"Eye"};
    Light3d light{"Light"};
    ObjectWindow window{"view3d", surfaces, sprites, eye, light};

    Scene() {
        surfaces.Drawing.SetSize(480, 360);
        window.SelectBitmap(&surfaces.Drawing);
        window.SetSize(0, 0, 479, 359);
        window.Open();
        window.Reset();
    }
};

void WindowLineParts(benchmark::State& state) {
    const std::vector<double> keys = SeededDepths();
    Scene scene;
    ProjData pen;
    for (auto _ : state) {
        scene.window.Reset();
        scene.window.BeginObject(ObjectShape::General);
        scene.window.DoProjection(pen, {0, 0, 0}, false);
        for (int i = 0; i < Parts; ++i)
            scene.window.DoProjection(pen, {Extended(i % 200) - 100, Extended(keys[i]) - 1000, 0}, true);
        scene.window.EndObject();
        benchmark::DoNotOptimize(scene.window.PartCount());
    }
    state.SetItemsProcessed(state.iterations() * Parts);
}

enum class Walk { ExactTurns, PenUp, OddTurns };

// A wandering walk that stays in front of the eye.
template <Walk Kind>
void TurtleWalk(benchmark::State& state) {
    Scene scene;
    Pax3d pax("Pax");
    pax.SetWindow(&scene.window);
    constexpr int Steps = 30000;   // below the part limit
    for (auto _ : state) {
        scene.window.Reset();
        scene.window.BeginObject(ObjectShape::General);
        pax.Restart();
        if (Kind == Walk::PenUp) pax.PenUp();
        for (int i = 0; i < Steps; ++i) {
            pax.DrawForward(3);
            if (Kind == Walk::OddTurns) {
                pax.TurnRight(i % 7 == 0 ? 97 : 11);
                pax.PitchUp(i % 5 == 0 ? 13 : -3);
            } else if (i % 40 == 0) {
                (i % 80 == 0) ? pax.TurnRight90() : pax.PitchUp90();
            }
        }
        scene.window.EndObject();
        benchmark::DoNotOptimize(scene.window.PartCount());
    }
    state.SetItemsProcessed(state.iterations() * Steps);
}

void TurtleSegmentsIntoObject(benchmark::State& state) { TurtleWalk<Walk::ExactTurns>(state); }
void TurtleJumps(benchmark::State& state) { TurtleWalk<Walk::PenUp>(state); }
void TurtleSegmentsWithTurns(benchmark::State& state) { TurtleWalk<Walk::OddTurns>(state); }

BENCHMARK(PartListBuildAndOrder)->Unit(benchmark::kMicrosecond);
BENCHMARK(StableSortOfKeys)->Unit(benchmark::kMicrosecond);
BENCHMARK(WindowLineParts)->Unit(benchmark::kMicrosecond);
BENCHMARK(TurtleSegmentsIntoObject)->Unit(benchmark::kMicrosecond);
BENCHMARK(TurtleJumps)->Unit(benchmark::kMicrosecond);
BENCHMARK(TurtleSegmentsWithTurns)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pax

BENCHMARK_MAIN();
