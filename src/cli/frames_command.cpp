// pax3d frames SEL -o DIR [--count N] [--fps F] [--growth] [--video FILE.mp4] [OPTS]: a
// picture sequence of the figure's animation or growth, and optionally a video of it.

#include <chrono>
#include <cstdio>
#include <memory>

#include "app/export/frame_export.h"
#include "app/export/video_encoder.h"
#include "app/main_state.h"
#include "app/studio.h"
#include "cli/picture_session.h"
#include "cli/subcommands.h"
#include "cli/watchdog.h"
#include "lsystem/interpreter.h"

namespace pax {
namespace {

using Clock = std::chrono::steady_clock;

// Each picture under the time limit; a progress line every second once the run has taken one.
class CliFrameObserver : public FrameObserver {
public:
    CliFrameObserver(Studio& studio, double timeLimit, std::ostream& err)
        : m_studio(studio), m_timeLimit(timeLimit), m_err(err), m_start(Clock::now()), m_lastLine(m_start) {}

    void BeforePicture(int) override {
        m_shows = m_studio.State().DemoShows;
        m_watchdog = std::make_unique<Watchdog>(m_timeLimit);
    }

    bool AfterPicture(int index, int total) override {
        stopped = m_watchdog->Fired();
        m_watchdog.reset();
        // The loop goes on with the next figure after a picture that threw.
        failed = m_studio.State().DemoShows != m_shows;
        if (stopped || failed) return false;
        const auto now = Clock::now();
        const bool last = index + 1 == total;
        if (now - m_start >= std::chrono::seconds(1) && (now - m_lastLine >= std::chrono::seconds(1) || last)) {
            m_err << "pax3d: picture " << index + 1 << " of " << total << std::endl;
            m_lastLine = now;
        }
        return true;
    }

    bool stopped = false;
    bool failed = false;

private:
    Studio& m_studio;
    double m_timeLimit;
    std::ostream& m_err;
    Clock::time_point m_start, m_lastLine;
    int32_t m_shows = 0;
    std::unique_ptr<Watchdog> m_watchdog;
};

}  // namespace

int RunFrames(const CommandOptions& options, CliStreams io) {
    const FigureSelection& selection = RequireSelection(options, "frames");
    if (!options.output) ThrowUsage("frames needs -o DIR");
    const FramesOptions& frames = options.frames;
    if (!frames.video.empty()) CheckOutputDirectory(frames.video);

    PictureSession session(options.picture, io.err);
    const FigureToDraw figure = session.Resolve(selection);
    Studio& studio = session.GetStudio();
    if (frames.growth && !figure.node && !studio.Interpreter().FindLSDef(figure.name))
        ThrowBadInput("figure '" + figure.name + "' is no L-system; --growth does not apply");
    // Selects the figure with the options, as render draws it: picture 0.
    CheckDrawn(session.Draw(figure), figure.name, options.picture.timeLimit);

    FramesRequest request;
    request.directory = *options.output;
    request.count = frames.count;
    request.fps = frames.fps;
    request.kind = frames.growth ? FrameKind::Growth : FrameKind::Animation;
    CliFrameObserver observer(studio, options.picture.timeLimit, io.err);
    const FramesResult result = ExportFrames(studio, request, &observer);
    if (observer.stopped) {
        char text[96];
        std::snprintf(text, sizeof text, "picture %d stopped after %g s", result.written - 1, options.picture.timeLimit);
        ThrowBadInput(text);
    }
    if (observer.failed) ThrowBadInput("picture " + std::to_string(result.written - 1) + " of '" + figure.name + "' could not be drawn");
    if (!result.ok) ThrowBadInput(result.error);
    if (frames.video.empty()) return ExitCode::Ok;
    if (FindFfmpeg().empty()) {
        io.err << "pax3d: ffmpeg is not on the PATH: no video; the pictures are in " << request.directory << '\n';
        return ExitCode::Ok;
    }
    const std::string error = EncodeVideo(request.directory, result.written, frames.fps, frames.video);
    if (!error.empty()) ThrowBadInput(error);
    return ExitCode::Ok;
}

}  // namespace pax
