#include "cli/lsy_input.h"

#include <cerrno>
#include <cstring>

#include "cli/cli_io.h"
#include "system/file_utils.h"

namespace pax {

LsyInput ReadLsyInput(const std::string& path) {
    std::string text;
    bool cut = false;
    const int failure = ReadFilePrefix(path, MaxParsedFileBytes, text, cut);
    if (failure == EISDIR) ThrowBadInput("cannot read " + path + ": is a directory");
    if (failure == ENODEV) ThrowBadInput("cannot read " + path + ": not a regular file");
    if (failure != 0) ThrowBadInput("cannot read " + path + ": " + std::strerror(failure));
    if (cut)
        ThrowBadInput("cannot read " + path + ": larger than " + std::to_string(MaxParsedFileBytes >> 20) +
                      " MB, the limit of .LSY files");
    LsyInput input;
    input.result = ReadLsyText(text, path, input.file, SummaryBox::Suppress);
    return input;
}

void WriteParseReport(const tParseResult& result, std::ostream& out) {
    if (result.errorCount == 0) return;
    out << result.summary << '\n';
    // As "ParseErrors.tmp" holds them: each entry after an empty line.
    for (const std::string& entry : result.entries) out << '\n' << entry << '\n';
}

}  // namespace pax
