#include "cli/command_line.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace pax {
namespace {

struct Subcommand {
    const char* name;
    const char* synopsis;
    bool built;
};

constexpr Subcommand Subcommands[] = {
    {"render", "render SEL [-o FILE] [OPTS]   one picture; PNG, JPEG or BMP by the extension", false},
    {"trace", "trace SEL [OPTS]              the traced commands of one drawing", false},
    {"check", "check FILE.LSY                parse and report every error", false},
    {"list", "list                          the built-in library", false},
    {"stats", "stats SEL [OPTS]              key=value figures of one drawing", false},
    {"bench", "bench [SEL...]                speed figures (medians)", false},
};

void PrintUsage(std::FILE* out) {
    std::fprintf(out,
                 "usage: pax3d                 the desktop program\n"
                 "       pax3d SUBCOMMAND ...  headless\n\nsubcommands:\n");
    for (const Subcommand& s : Subcommands)
        std::fprintf(out, "  pax3d %s%s\n", s.synopsis, s.built ? "" : "  (not yet built)");
    std::fprintf(out,
                 "\nSEL:   --figure NAME | --figure D/F | --file F.LSY [--system NAME]\n"
                 "OPTS:  --size WxH  --depth N  --seed N  --projection 0..5  --view 0..5\n"
                 "       --zbuffer  --light-model 0..6  --config FILE\n"
                 "       pax3d --help | --version\n");
}

}  // namespace

int RunCommandLine(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    std::string first = argv[1];
    if (first == "--help" || first == "-h") {
        PrintUsage(stdout);
        return 0;
    }
    if (first == "--version") {
        std::printf("pax3d 0.1.0\n");
        return 0;
    }
    for (const Subcommand& s : Subcommands) {
        if (first == s.name && !s.built) {
            std::fprintf(stderr, "pax3d: %s is not yet built\n", s.name);
            return 2;
        }
    }
    std::fprintf(stderr, "pax3d: unknown argument '%s'\n", first.c_str());
    PrintUsage(stderr);
    return 2;
}

}  // namespace pax
