#include "cli/lsy_input.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "cli/cli_io.h"

namespace pax {

LsyInput ReadLsyInput(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) ThrowBadInput("cannot read " + path + ": is a directory");
    {
        errno = 0;
        std::ifstream probe(path, std::ios::binary);
        if (!probe) ThrowBadInput("cannot read " + path + ": " + std::strerror(errno ? errno : ENOENT));
    }
    LsyInput input;
    input.result = ReadLsyFile(path, input.file, SummaryBox::Suppress);
    if (!input.result.opened) ThrowBadInput("cannot read " + path);
    return input;
}

void WriteParseReport(const tParseResult& result, std::ostream& out) {
    if (result.errorCount == 0) return;
    out << result.summary << '\n';
    // As "ParseErrors.tmp" holds them: each entry after an empty line.
    for (const std::string& entry : result.entries) out << '\n' << entry << '\n';
}

}  // namespace pax
