#pragma once
// Reading a .LSY file for the command line: a missing, unreadable or oversized file gives one
// line instead of a box; the parser's report written as the warning
// box would show it, followed by the entries of "ParseErrors.tmp".

#include <ostream>
#include <string>

#include "lsystem/lsy_file.h"

namespace pax {

struct LsyInput {
    tLsyFile file;
    tParseResult result;
};

// Throws CliError (bad input) when the file cannot be opened, is no regular file or is larger
// than MaxParsedFileBytes; nothing is read from a FIFO or device.
LsyInput ReadLsyInput(const std::string& path);

// The summary text and every entry; nothing without errors.
void WriteParseReport(const tParseResult& result, std::ostream& out);

}  // namespace pax
