// pax3d trace SEL [OPTS]: the result list of one drawing as the editor shows it.

#include "cli/picture_session.h"
#include "cli/subcommands.h"

namespace pax {

int RunTrace(const CommandOptions& options, CliStreams io) {
    const FigureSelection& selection = RequireSelection(options, "trace");
    PictureSession session(options.picture, io.err);
    const FigureToDraw figure = session.Resolve(selection);
    const DrawnPicture picture = session.Draw(figure, TraceMode::On);
    CheckDrawn(picture, figure.name, options.picture.timeLimit);
    for (const std::string& line : picture.trace) io.out << line << '\n';
    io.out << "commands: " << picture.commands << '\n';
    return ExitCodeAfterDrawing(figure, io.err);
}

}  // namespace pax
