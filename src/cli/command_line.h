#pragma once
// The headless command line: render, trace, check, list, stats, bench.

#include <ostream>
#include <string>
#include <vector>

namespace pax {

// Runs the subcommand of argv and returns the exit code: 0 success, 1 bad input, 2 wrong usage.
int RunCommandLine(int argc, char** argv);

// Whether the arguments are one file for the desktop program: a single argument, not a
// subcommand, that names an existing file ending in ".LSY" (in any case). A file manager
// opens such files as "pax3d FILE.LSY".
bool IsDesktopFileArgument(int argc, char** argv);

// The same for the arguments after the program's name, writing to out and err.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pax
