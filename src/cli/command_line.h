#pragma once
// The headless command line: render, trace, check, list, stats, bench.

namespace pax {

// Runs the subcommand of argv and returns the exit code: 0 success, 1 bad input, 2 wrong usage.
int RunCommandLine(int argc, char** argv);

}  // namespace pax
