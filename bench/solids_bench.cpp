// One whole 480 x 360 picture of 200 solids (cubes, cones and cylinders of 16 segments in
// turn) at seeded random places and turns within the default eye's view, drawn by the stage's
// "Pax" turtle into the object window with light model 3 and ended (parts sorted and filled).
// "Culled" is the same with the culling of convex objects on. The machine is shared, so
// compare CPU times; run with --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
// and read the median.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "figures/solids.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "scene/light3d.h"
#include "scene/pax3d.h"
#include "system/settings.h"

namespace {

using pax::Extended;

struct Placement {
    pax::tVector3d position;
    Extended turn, pitch;
    pax::TColor32 colour;
};

const std::vector<Placement>& Placements() {
    static const std::vector<Placement> placements = [] {
        std::mt19937 rng(5200);
        std::uniform_real_distribution<double> x(-250, 250), y(-200, 200), z(-170, 170), angle(0, 360);
        std::vector<Placement> out;
        for (int i = 0; i < 200; ++i)
            out.push_back({{x(rng), y(rng), z(rng)}, angle(rng), angle(rng),
                           static_cast<pax::TColor32>(0xFF000000 | (rng() & 0x00FFFFFF))});
        return out;
    }();
    return placements;
}

void DrawPicture(pax::Stage& stage) {
    pax::Pax3d& pax = stage.Pax();
    stage.DrawingSurface().Clear(pax::clBlack32);
    stage.View().Reset();
    pax.Restart();
    int kind = 0;
    for (const Placement& p : Placements()) {
        pax.NewObject();
        pax.JumpToLocal(p.position);
        pax.TurnLeft(p.turn);
        pax.PitchUp(p.pitch);
        pax.SetColor(p.colour);
        switch (kind++ % 3) {
            case 0: pax::SolidCube(stage, 40); break;
            case 1: pax::Cone(stage, 16, 20, 40); break;
            default: pax::Cylinder(stage, 16, 15, 40); break;
        }
        pax.OldObject();
    }
    stage.View().EndPicture();
}

void Solids(benchmark::State& state, bool culled) {
    const pax::tSwitches saved = pax::Switches();
    pax::Switches()[pax::Switch::ConvexObject] = culled;
    pax::Stage stage(pax::StageOptions{480, 360, 64, 64});
    stage.Light().SetModel(3);
    for (auto _ : state) DrawPicture(stage);
    state.counters["parts"] = stage.View().PartCount();
    pax::Switches() = saved;
}

void BM_Solids200(benchmark::State& state) { Solids(state, false); }
void BM_Solids200Culled(benchmark::State& state) { Solids(state, true); }

BENCHMARK(BM_Solids200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Solids200Culled)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
