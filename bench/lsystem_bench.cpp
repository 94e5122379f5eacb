// The L-system engine's hot loop: the derivation walk, the command interpreter, the turtle's
// moves and the projection, on the Koch snowflake (axiom F--F--F, rule F=F+F--F+F, angle 60).
//
//   KochWalkProjected/9     depth 9 (786,432 segments) into a projection window that projects
//                           every point with the real view transform but counts the segments
//                           instead of rasterising them: segments per second
//   KochWalkZBuffer/9       the same into the stage's view with the z-buffer on, so that every
//                           segment is rasterised into the line z-buffer
//   KochPicture/5           one whole default 480 x 360 picture at depth 5 (3,072 segments)
//                           through the stage's object window: parts, sorting and drawing
//   KochTurtleOnly/9        the floor under the walk: its turtle calls from the derived string
//   KochProjectionOnly/9    the projection alone: the walk's positions into the counting window
//
// Rates are per second of the process's CPU time (the build machines are shared, so wall
// time says more about the neighbours than about the walk); the peer reports both. Run with
// --benchmark_repetitions=N; every case reports its median. bench/peer/run_peer.sh
// runs the same system with the npm package lindenmayer in Node.js beside it.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "lsystem/interpreter.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "render/windows/zbuffer.h"
#include "scene/cursor3d.h"
#include "scene/eye3d.h"
#include "scene/light3d.h"
#include "scene/pax3d.h"
#include "system/settings.h"
#include "system/stop_request.h"

namespace pax {
namespace {

tLSDef KochSnowflake(int deep) {
    tLSDef def;
    def.name = "KochSnowflake";
    def.angle = 60;
    def.step = 400;
    def.factor = 1.0L / 3;
    def.deep = deep;
    def.axiom = "F--F--F";
    def.rules = {"F=F+F--F+F"};
    return def;
}

// The derived string of the snowflake at depth deep.
std::string KochWord(int deep) {
    std::string word = "F--F--F";
    for (int i = 0; i < deep; ++i) {
        std::string next;
        for (char c : word) next += c == 'F' ? std::string("F+F--F+F") : std::string(1, c);
        word = std::move(next);
    }
    return word;
}

Extended KochStep(int deep) {
    Extended step = 400;
    for (int i = 0; i < deep; ++i) step /= 3;
    return step;
}

uint64_t KochSegments(int deep) {
    uint64_t segments = 3;
    for (int i = 0; i < deep; ++i) segments *= 4;
    return segments;
}

// Projects like the view but only counts the segments it would draw.
class CountingWindow : public Proj3dWindow {
public:
    explicit CountingWindow(Stage& stage)
        : Proj3dWindow("count", stage.Surfaces(), stage.Sprites(), stage.Eye(), stage.Light()) {
        SelectBitmap(&stage.DrawingSurface());
        SetSize(0, 0, 479, 359);
        Open();
        Reset();
    }
    void DoLine(ProjData& pen) override {
        if (pen.Visible && pen.PrevVisible) ++segments;
    }
    uint64_t segments = 0;
};

struct KochScene {
    explicit KochScene(int deep) {
        ClearStopRequest();
        Switches() = DefaultSwitches();
        lsys.SetLSDef(KochSnowflake(deep));
    }
    Stage stage{StageOptions{480, 360, 64, 64}};
    TCursor3d cursor{"Ghost"};
    tTarnsInterpreter lsys{stage, cursor};
};

void KochWalkProjected(benchmark::State& state) {
    const int deep = static_cast<int>(state.range(0));
    KochScene scene(deep);
    CountingWindow window(scene.stage);
    scene.stage.Pax().SetWindow(&window);
    for (auto _ : state) {
        scene.stage.Pax().Restart();
        scene.lsys.DrawFigure();
    }
    scene.stage.Pax().SetWindow(static_cast<TurtleWindow*>(&scene.stage.View()));
    if (scene.lsys.Statistics().segments != KochSegments(deep)) state.SkipWithError("wrong segment count");
    const double segments = static_cast<double>(KochSegments(deep)) * static_cast<double>(state.iterations());
    state.counters["segments/s"] = benchmark::Counter(segments, benchmark::Counter::kIsRate);
    state.counters["visible"] = static_cast<double>(window.segments) / static_cast<double>(state.iterations());
}
BENCHMARK(KochWalkProjected)->Arg(9)->Unit(benchmark::kMillisecond);

// One symbol's turtle call, out of line as in the interpreter, so that the turtle's frame is
// not held across symbols (the x87 stack has too few registers for that).
[[gnu::noinline]] void TurtleStep(Pax3d& pax, char c, const Extended& step, const tSinCos& left, const tSinCos& right) {
    if (c == 'F') pax.DrawForward(step);
    else if (c == '+') pax.TurnRightBySinCos(left);
    else pax.TurnRightBySinCos(right);
}

// The floor under KochWalkProjected: the same turtle calls, read from the derived string
// (built once, outside the timing) instead of the walk and the command interpreter.
void KochTurtleOnly(benchmark::State& state) {
    const int deep = static_cast<int>(state.range(0));
    const std::string word = KochWord(deep);
    KochScene scene(deep);
    CountingWindow window(scene.stage);
    Pax3d& pax = scene.stage.Pax();
    pax.SetWindow(&window);
    const Extended step = KochStep(deep);
    // The turns of the interpreter: by the kept sine and cosine of +-60 degrees.
    const tSinCos right{std::sin(60 * DegToRad), std::cos(60 * DegToRad)};
    const tSinCos left{std::sin(-60 * DegToRad), std::cos(-60 * DegToRad)};
    for (auto _ : state) {
        pax.Restart();
        pax.PitchUp(90);
        for (char c : word) TurtleStep(pax, c, step, left, right);
    }
    pax.SetWindow(static_cast<TurtleWindow*>(&scene.stage.View()));
    const double segments = static_cast<double>(KochSegments(deep)) * static_cast<double>(state.iterations());
    state.counters["segments/s"] = benchmark::Counter(segments, benchmark::Counter::kIsRate);
}
BENCHMARK(KochTurtleOnly)->Arg(9)->Unit(benchmark::kMillisecond);

// The projection alone: the turtle's positions of the walk, recorded once, into the counting
// window.
void KochProjectionOnly(benchmark::State& state) {
    const int deep = static_cast<int>(state.range(0));
    KochScene scene(deep);
    CountingWindow window(scene.stage);
    Pax3d& pax = scene.stage.Pax();
    const Extended step = KochStep(deep);
    std::vector<tVector3d> points;
    points.reserve(KochSegments(deep));
    pax.Restart();
    pax.PitchUp(90);
    for (char c : KochWord(deep)) {
        if (c == 'F') {
            pax.MoveForward(step);
            points.push_back(pax.Position());
        } else if (c == '+') {
            pax.TurnLeft(60);
        } else {
            pax.TurnRight(60);
        }
    }
    ProjData pen;
    for (auto _ : state) {
        window.DoProjection(pen, ZeroVector, false);
        for (const tVector3d& p : points) window.DoProjection(pen, p, true);
    }
    const double segments = static_cast<double>(points.size()) * static_cast<double>(state.iterations());
    state.counters["segments/s"] = benchmark::Counter(segments, benchmark::Counter::kIsRate);
}
BENCHMARK(KochProjectionOnly)->Arg(9)->Unit(benchmark::kMillisecond);

void KochWalkZBuffer(benchmark::State& state) {
    const int deep = static_cast<int>(state.range(0));
    KochScene scene(deep);
    Switches()[Switch::ZBuffer] = true;
    ObjectWindow& view = scene.stage.View();
    view.Reset();
    for (auto _ : state) {
        scene.stage.ZBuffer().Clear();
        scene.stage.Pax().Restart();
        scene.lsys.DrawFigure();
    }
    if (view.PartCount() != 0) state.SkipWithError("segments became parts");
    const double segments = static_cast<double>(KochSegments(deep)) * static_cast<double>(state.iterations());
    state.counters["segments/s"] = benchmark::Counter(segments, benchmark::Counter::kIsRate);
    Switches() = DefaultSwitches();
}
BENCHMARK(KochWalkZBuffer)->Arg(9)->Unit(benchmark::kMillisecond);

void KochPicture(benchmark::State& state) {
    const int deep = static_cast<int>(state.range(0));
    KochScene scene(deep);
    ObjectWindow& view = scene.stage.View();
    for (auto _ : state) {
        scene.stage.DrawingSurface().Clear(clBlack32);
        view.Reset();
        scene.stage.Pax().Restart();
        scene.lsys.DrawFigure();
        view.EndPicture();
    }
    state.counters["parts"] = view.PartCount();
}
BENCHMARK(KochPicture)->Arg(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pax

BENCHMARK_MAIN();
