// The desktop window's picture rate in sync mode 0 against the same figure drawn headless,
// for five figures from light to heavy. The window must keep at least 90% of the headless
// rate: showing a picture wraps the surface's pixels and costs no copy.
//
// Run on the offscreen platform by default; under a real or virtual display set
// QT_QPA_PLATFORM=xcb to include the transfer to the X server. The counter "ratio" of each
// Window case is its rate over the Headless case of the same figure.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <time.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>

#include "app/demo_player.h"
#include "app/main_state.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "gui/main_window.h"
#include "system/picture_clock.h"
#include "system/settings.h"
#include "system/startup.h"

namespace {

using namespace pax;

// Demo/figure indices of the built-in library, light to heavy.
constexpr std::pair<int, int> Figures[] = {{0, 0}, {1, 13}, {5, 1}, {3, 2}, {6, 12}};

// Rates by the drawing thread's processor time, so that other processes on a shared machine
// do not distort the comparison; the wall-clock rates are reported beside them.
std::map<int, double> g_headlessRate;

double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

Studio& SharedStudio() {
    static std::unique_ptr<Studio> studio = [] {
        StartSystemUtilities("pax3d_window_bench");
        StudioOptions options;
        options.Config = ConfigSource::BuiltInDefaults;
        return std::make_unique<Studio>(options);
    }();
    return *studio;
}

void Show(Studio& studio, int index) {
    Switches()[Switch::Paused] = false;
    studio.State().SetSyncMode(0);
    studio.Player().ShowDemo(Figures[index].first, Figures[index].second);
}

void Headless(benchmark::State& state) {
    Studio& studio = SharedStudio();
    studio.SetCallbacks(nullptr);
    const int index = static_cast<int>(state.range(0));
    Show(studio, index);
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadSeconds();
    for (auto _ : state) studio.Pictures().ShowNextPicture();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double pictures = static_cast<double>(state.iterations());
    g_headlessRate[index] = pictures / (ThreadSeconds() - cpuStart);
    state.counters["pictures/s"] = pictures / seconds;
    state.counters["pictures/cpu_s"] = g_headlessRate[index];
}

void Window(benchmark::State& state) {
    Studio& studio = SharedStudio();
    const int index = static_cast<int>(state.range(0));
    studio.State().Closing = false;   // the previous case closed its window
    MainWindow window(studio);
    window.show();
    // The first activation, then the loop runs on its own.
    while (!studio.Activated()) QCoreApplication::processEvents();
    Show(studio, index);
    window.Repaint();
    // The loop's picture counter, as the info line's rate reads it.
    const auto count = [] { return PictureClock().Counter; };
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadSeconds();
    const auto first = count();
    for (auto _ : state) {
        const auto before = count();
        while (count() == before) QCoreApplication::processEvents();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double pictures = static_cast<double>(count() - first);
    const double rate = pictures / (ThreadSeconds() - cpuStart);
    state.counters["pictures/s"] = pictures / seconds;
    state.counters["pictures/cpu_s"] = rate;
    if (g_headlessRate.count(index)) state.counters["ratio"] = rate / g_headlessRate[index];
    window.close();
}

BENCHMARK(Headless)->DenseRange(0, 4)->MinTime(1.0)->Unit(benchmark::kMillisecond);
BENCHMARK(Window)->DenseRange(0, 4)->MinTime(1.0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
