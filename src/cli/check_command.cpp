// pax3d check FILE.LSY: one line per node read, then the parser's report.

#include <cstdio>
#include <string>

#include "cli/lsy_input.h"
#include "cli/subcommands.h"

namespace pax {
namespace {

std::string Number(Extended value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.10Lg", value);
    return text;
}

// "Koch<TAB>angle=60 step=100 factor=1 deep=3 rules=1 axiom="F--F--F""
std::string NodeLine(const tVLSystem& node) {
    return (node.name.empty() ? std::string("(no name)") : node.name) + "\tangle=" + Number(node.angle) +
           " step=" + Number(node.step) + " factor=" + Number(node.factor) + " deep=" + std::to_string(node.deep) +
           " rules=" + std::to_string(node.rules.size()) + " axiom=\"" + node.axiom + "\"";
}

}  // namespace

int RunCheck(const CommandOptions& options, CliStreams io) {
    const LsyInput input = ReadLsyInput(options.file);
    const std::vector<const tVLSystem*> nodes = input.file.Nodes();
    for (const tVLSystem* node : nodes) io.out << NodeLine(*node) << '\n';
    WriteParseReport(input.result, io.out);
    if (input.result.errorCount > 0) return ExitCode::BadInput;
    if (nodes.empty()) ThrowBadInput("no LSystem node in " + options.file);
    return ExitCode::Ok;
}

}  // namespace pax
