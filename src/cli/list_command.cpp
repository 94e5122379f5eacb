// pax3d list: every figure of the demo catalogue in registration order.

#include "cli/picture_session.h"
#include "cli/subcommands.h"

namespace pax {

int RunList(const CommandOptions& options, CliStreams io) {
    PictureSession session(options.picture, io.err);
    for (const CatalogueFigure& figure : session.Catalogue())
        io.out << figure.demo << '\t' << figure.figure << '\t' << figure.category << '\t' << figure.name << '\n';
    return ExitCode::Ok;
}

}  // namespace pax
