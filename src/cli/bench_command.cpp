// pax3d bench [SEL...] [--all]: speed figures as medians of repeated pictures.

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/steady_animation.h"
#include "app/studio.h"
#include "cli/counting_window.h"
#include "cli/picture_session.h"
#include "cli/subcommands.h"
#include "cli/watchdog.h"
#include "lsystem/interpreter.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "render/windows/zbuffer.h"
#include "scene/pax3d.h"
#include "system/settings.h"

namespace pax {
namespace {

constexpr int WarmUps = 2;
constexpr int MinSamples = 7;
constexpr int MaxSamples = 501;
constexpr double MinSampledSeconds = 0.2;   // fast figures are drawn until this much was timed
constexpr int WalkDepth = 9;
constexpr int PictureDepth = 5;
constexpr double AnimatedFps = 25;   // pictures per second of animation time, as frames' default

// Wall time shows what a user waits; processor time is steadier on a shared machine.
struct Sample {
    double wall = 0, cpu = 0;   // seconds; a negative wall time marks a stopped measurement
    double walk = 0, drawing = 0;   // a picture's wall time for its walk and for drawing its parts
};

struct Timing {
    double median = 0;      // wall seconds
    double medianCpu = 0;   // processor seconds
    double medianWalk = 0, medianDrawing = 0;   // wall seconds, of pictures
    int samples = 0;
    bool stopped = false;   // stopped by the time limit, or failed
};

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Runs measure (which returns a Sample) after the warm-ups, at least MinSamples times and
// until MinSampledSeconds were timed.
template <class Measure>
Timing MedianOf(Measure measure) {
    Timing timing;
    for (int i = 0; i < WarmUps; ++i)
        if (measure().wall < 0) {
            timing.stopped = true;
            return timing;
        }
    std::vector<double> wall, cpu, walk, drawing;
    double total = 0;
    while (wall.size() < static_cast<size_t>(MinSamples) ||
           (total < MinSampledSeconds && wall.size() < static_cast<size_t>(MaxSamples))) {
        const Sample sample = measure();
        if (sample.wall < 0) {
            timing.stopped = true;
            break;
        }
        wall.push_back(sample.wall);
        cpu.push_back(sample.cpu);
        walk.push_back(sample.walk);
        drawing.push_back(sample.drawing);
        total += sample.wall;
    }
    timing.median = Median(wall);
    timing.medianCpu = Median(cpu);
    timing.medianWalk = Median(walk);
    timing.medianDrawing = Median(drawing);
    timing.samples = static_cast<int>(wall.size());
    return timing;
}

// The figure's pictures as the running loop draws them: the first selects the figure, the
// ones timed follow it drawn behind (each walk beside the drawing of the picture before).
// Animated, they are the pictures the window shows while the animation runs: a turning
// figure may cost more than the still picture it starts from.
Timing PictureTiming(PictureSession& session, const FigureToDraw& figure, bool animated) {
    const DrawnPicture first = session.Draw(figure);
    if (first.stopped || first.failed) {
        Timing stopped;
        stopped.stopped = true;
        return stopped;
    }
    std::optional<SteadyAnimation> animation;
    if (animated) animation.emplace(session.GetStudio(), AnimatedFps);
    int index = 0;
    return MedianOf([&] {
        if (animation) animation->AdvanceTo(++index);
        const DrawnPicture picture = animation ? session.DrawNextBehind() : session.DrawAgainBehind();
        if (picture.stopped || picture.failed) return Sample{-1, 0};
        return Sample{picture.seconds, picture.cpuSeconds, picture.walkSeconds, picture.drawingSeconds};
    });
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string TimingText(const Timing& t) {
    if (t.stopped) return "not drawn (stopped or failed)";
    return Format("%.3f ms", t.median * 1e3) + "  " + Format("%.1f pictures/s", t.median > 0 ? 1 / t.median : 0) +
           "  cpu " + Format("%.3f ms", t.medianCpu * 1e3) + "  (" + std::to_string(t.samples) + " pictures)  walk " +
           Format("%.3f ms", t.medianWalk * 1e3) + "  drawing " + Format("%.3f ms", t.medianDrawing * 1e3);
}

tVLSystem KochSnowflake(int deep) {
    tVLSystem node;
    node.name = "Koch snowflake";
    node.angle = 60;
    node.step = 400;
    node.factor = 1.0L / 3;
    node.deep = deep;
    node.axiom = "F--F--F";
    node.rules = {"F=F+F--F+F"};
    return node;
}

// The derivation walk of the selected system with every turtle step projected into window.
Sample WalkSeconds(Studio& studio, CountingWindow& window, double timeLimit) {
    Stage& stage = studio.GetStage();
    Pax3d& pax = stage.Pax();
    TurtleWindow* const view = pax.Window();
    stage.ZBuffer().Clear();
    window.Reset();
    window.ResetCount();
    stage.View().Reset();
    pax.SetWindow(&window);
    pax.Restart();
    Watchdog watchdog(timeLimit);
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    studio.Interpreter().DrawFigure();
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    pax.SetWindow(view);
    pax.Restart();
    return watchdog.Fired() ? Sample{-1, 0} : Sample{seconds, cpu};
}

std::string WalkLine(const char* what, const Timing& t, uint64_t segments) {
    if (t.stopped) return std::string(what) + ": stopped";
    return std::string(what) + ": " + Format("%.1f ms", t.median * 1e3) + "  " +
           Format("%.2f M segments/s", t.median > 0 ? segments / t.median / 1e6 : 0) + "  cpu " +
           Format("%.2f M segments/s", t.medianCpu > 0 ? segments / t.medianCpu / 1e6 : 0) + "  (" +
           std::to_string(t.samples) + " walks)";
}

int StandardSet(const PictureOptions& options, bool animated, CliStreams io) {
    PictureSession session(options, io.err);
    Studio& studio = session.GetStudio();
    tTarnsInterpreter& interpreter = studio.Interpreter();
    CountingWindow window(studio.GetStage());

    if (!interpreter.SetVLSystem(KochSnowflake(WalkDepth))) ThrowBadInput("the Koch snowflake cannot be selected");
    SetSwitch(Switch::ZBuffer, false);
    const Timing plain = MedianOf([&] { return WalkSeconds(studio, window, options.timeLimit); });
    const uint64_t segments = interpreter.Statistics().segments;
    io.out << "Koch snowflake (F--F--F, F=F+F--F+F, 60 degrees) at depth " << WalkDepth << ": " << segments
           << " segments\n";
    io.out << WalkLine("(a) walk and projection, counting window", plain, segments) << "  " << window.Lines()
           << " segments received\n";
    SetSwitch(Switch::ZBuffer, true);
    const Timing zbuffered = MedianOf([&] { return WalkSeconds(studio, window, options.timeLimit); });
    SetSwitch(Switch::ZBuffer, options.zbuffer);
    io.out << WalkLine("(b) the same into the z-buffer", zbuffered, segments) << '\n';

    FigureToDraw koch;
    koch.name = "Koch snowflake";
    koch.node = KochSnowflake(PictureDepth);
    const Timing picture = PictureTiming(session, koch, animated);
    io.out << "(c) default picture at depth " << PictureDepth << (animated ? ", animated" : "") << ": "
           << TimingText(picture) << '\n';
    return plain.stopped || zbuffered.stopped || picture.stopped ? ExitCode::BadInput : ExitCode::Ok;
}

int WholeLibrary(const PictureOptions& options, bool animated, CliStreams io) {
    PictureSession session(options, io.err);
    struct Result {
        std::string name;
        Timing timing;
    };
    std::vector<Result> results;
    for (const CatalogueFigure& entry : session.Catalogue()) {
        FigureSelection selection;
        selection.kind = FigureSelection::Kind::Index;
        selection.demo = entry.demo;
        selection.figure = entry.figure;
        const Timing timing = PictureTiming(session, session.Resolve(selection), animated);
        results.push_back({std::to_string(entry.demo) + "/" + std::to_string(entry.figure) + " " + entry.name, timing});
    }
    // Stopped figures count as the slowest.
    const auto key = [](const Result& r) { return r.timing.stopped ? 1e300 : r.timing.median; };
    std::stable_sort(results.begin(), results.end(), [&](const Result& a, const Result& b) { return key(a) < key(b); });
    const auto line = [](const Result& r) {
        std::string name = r.name;
        name.resize(std::max<size_t>(name.size(), 34), ' ');
        return name + "  " + TimingText(r.timing);
    };
    for (const Result& r : results) io.out << line(r) << '\n';

    std::vector<double> medians;
    for (const Result& r : results)
        if (!r.timing.stopped) medians.push_back(r.timing.median);
    const double median = Median(medians);
    io.out << "\nmedian over " << medians.size() << " figures: " << Format("%.3f ms", median * 1e3) << "  "
           << Format("%.1f pictures/s", median > 0 ? 1 / median : 0) << "\n\nslowest ten:\n";
    for (size_t i = results.size(), shown = 0; i > 0 && shown < 10; --i, ++shown) io.out << line(results[i - 1]) << '\n';
    return medians.size() == results.size() ? ExitCode::Ok : ExitCode::BadInput;
}

}  // namespace

int RunBench(const CommandOptions& options, CliStreams io) {
    if (options.all && !options.selections.empty()) ThrowUsage("bench --all measures every figure: no --figure or --file with it");
    if (options.all) return WholeLibrary(options.picture, options.animated, io);
    if (options.selections.empty()) return StandardSet(options.picture, options.animated, io);

    PictureSession session(options.picture, io.err);
    int code = ExitCode::Ok;
    for (const FigureSelection& selection : options.selections) {
        const FigureToDraw figure = session.Resolve(selection);
        const Timing timing = PictureTiming(session, figure, options.animated);
        io.out << selection.Describe() << (options.animated ? " animated" : "") << ": " << TimingText(timing) << '\n';
        if (timing.stopped) code = ExitCode::BadInput;
    }
    return code;
}

}  // namespace pax
