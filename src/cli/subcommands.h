#pragma once
// The subcommands behind the dispatcher. Each gets its parsed options and the streams, returns
// the exit code, and throws CliError for a failure that ends it with one line.

#include "cli/cli_io.h"
#include "cli/options.h"

#include <ostream>
#include <string>

namespace pax {

int RunRender(const CommandOptions& options, CliStreams io);
int RunTrace(const CommandOptions& options, CliStreams io);
int RunStats(const CommandOptions& options, CliStreams io);
int RunCheck(const CommandOptions& options, CliStreams io);
int RunList(const CommandOptions& options, CliStreams io);
int RunBench(const CommandOptions& options, CliStreams io);
int RunExport(const CommandOptions& options, CliStreams io);
int RunFrames(const CommandOptions& options, CliStreams io);

// The one selection of render, trace and stats; a usage error when there is none.
const FigureSelection& RequireSelection(const CommandOptions& options, const char* subcommand);

// A bad-input failure when the file's directory does not exist.
void CheckOutputDirectory(const std::string& file);

struct FigureToDraw;
// The exit code of a command that drew the figure: bad input, with one line saying so, when
// its file had syntax errors (the report was written before), else success.
int ExitCodeAfterDrawing(const FigureToDraw& figure, std::ostream& err);

struct DrawnPicture;
// "pax3d: stopped after N s" for a picture the time limit ended, "pax3d: NAME could not be
// drawn: ..." for one that failed; nothing for a picture drawn.
void CheckDrawn(const DrawnPicture& picture, const std::string& name, double timeLimit);

}  // namespace pax
