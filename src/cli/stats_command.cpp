// pax3d stats SEL [OPTS]: the counters of one drawing as key=value lines.

#include <cstdio>

#include "cli/picture_session.h"
#include "cli/subcommands.h"

namespace pax {

int RunStats(const CommandOptions& options, CliStreams io) {
    const FigureSelection& selection = RequireSelection(options, "stats");
    PictureSession session(options.picture, io.err);
    const FigureToDraw figure = session.Resolve(selection);
    const DrawnPicture picture = session.Draw(figure);
    CheckDrawn(picture, figure.name, options.picture.timeLimit);
    const tLSStatistics& s = picture.statistics;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.6f", picture.seconds);
    io.out << "symbols=" << s.symbols << "\ncommands=" << s.commands << "\nsegments=" << s.segments
           << "\npolygons=" << s.polygons << "\nparts=" << picture.parts << "\nmax_depth=" << s.maxDepth
           << "\nis3d=" << (s.is3d ? 1 : 0) << "\nseconds=" << seconds << "\nerrors=" << picture.errors + figure.parseErrors << '\n';
    return ExitCodeAfterDrawing(figure, io.err);
}

}  // namespace pax
