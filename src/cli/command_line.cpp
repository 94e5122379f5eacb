#include "cli/command_line.h"

#include <cctype>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <new>
#include <span>
#include <sstream>

#include "cli/cli_io.h"
#include "cli/help_text.h"
#include "cli/options.h"
#include "cli/subcommands.h"
#include "cli/terminal_stream.h"
#include "system/startup.h"

namespace pax {
namespace {

constexpr const char* Version = "pax3d 0.1.0";

constexpr const char* SelectionHelp =
    "--figure NAME        a figure of the library by its exact name (the first of that name)\n"
    "--figure D/F         by 0-based demo and figure index (pax3d list shows both)\n"
    "--file F.LSY [--system NAME]\n"
    "                     the file's first LSystem node, or the one of that name";

constexpr const char* PictureHelp =
    "--size WxH           picture size, 16..4096 each (480x360)\n"
    "--depth N            generations instead of the system's own, 0..65535\n"
    "--seed N             random seed of stochastic systems (123456789)\n"
    "--projection 0..5    parallel, dimetric, perspective, stereo, panorama, spherical\n"
    "--view 0..5          the eye's standard view: front, back, the sides, above, below\n"
    "--zbuffer            z-buffered lines\n"
    "--light-model 0..6   the light model\n"
    "--threads 1|2|4      threads drawing the parts (the cores, up to 4)\n"
    "--config FILE        settings from FILE (default: the built-in defaults)\n"
    "--time-limit SECONDS stop a drawing after this long, exit 1 (60; 0 for none)";

struct Subcommand {
    const char* name;
    const char* synopsis;
    // Lines; each is wrapped where it is shown.
    const char* description;
    Accept accepted;
    int (*run)(const CommandOptions&, CliStreams);
};

constexpr Subcommand Subcommands[] = {
    {"render", "render SEL [-o FILE] [OPTS]", "one picture; PNG, JPEG or BMP by the extension (default NAME.png)\n"
     "render --all -o DIR [OPTS]: every figure of the library into DIR, and DIR/index.png, a contact sheet of "
     "them all",
     Accept::Selection | Accept::Picture | Accept::Output | Accept::All, RunRender},
    {"export", "export SEL -o NAME.svg|NAME.obj [OPTS]", "the picture as SVG vector graphics, or the figure's 3D "
     "geometry as an OBJ model (y up) with NAME.mtl beside it\n"
     "export --all -o DIR: both for every figure of the library, timed against the picture",
     Accept::Selection | Accept::Picture | Accept::Output | Accept::All, RunExport},
    {"frames", "frames SEL -o DIR [FRAMES] [OPTS]", "pictures of the figure's animation, DIR/frame_0000.png ...\n"
     "--count N            pictures (100)\n"
     "--fps F              pictures per second of animation time (25)\n"
     "--growth             the figure growing from depth 0 to its depth instead\n"
     "--video FILE.mp4     also a video of them, when ffmpeg is on the PATH",
     Accept::Selection | Accept::Picture | Accept::Output | Accept::Frames, RunFrames},
    {"trace", "trace SEL [OPTS]", "the traced commands of one drawing: the system's name, the result list's "
     "lines, then \"commands: N\"",
     Accept::Selection | Accept::Picture, RunTrace},
    {"check", "check FILE.LSY", "parse; one line per LSystem node read; on errors the summary and the entries "
     "of \"ParseErrors.tmp\", exit 1",
     Accept::OneFile, RunCheck},
    {"list", "list", "the built-in library: demo index, figure index, category, name (tab-separated)",
     Accept::None, RunList},
    {"stats", "stats SEL [OPTS]", "key=value lines of one drawing: symbols, commands, segments, polygons, parts, "
     "max_depth, is3d, seconds, errors",
     Accept::Selection | Accept::Picture, RunStats},
    {"bench", "bench [SEL...] [--all] [--animated] [OPTS]", "speed figures (medians of the wall and "
     "processor time, and of the walk and the drawing of the parts): of the selected figures, of every figure "
     "(--all), or of a standard set; the figure's picture drawn again, or with --animated the pictures of its "
     "running animation, 25 to a second of animation time, as the window shows them",
     Accept::Selections | Accept::Picture | Accept::All | Accept::Animated, RunBench},
};

// The column of the descriptions in the list of subcommands.
constexpr size_t SynopsisColumn = 39;
// The column of the option tables.
constexpr size_t OptionColumn = 7;

void PrintOptionTables(std::ostream& out, bool selection, bool picture) {
    if (selection) {
        out << "SEL:   ";
        WriteHelpText(out, SelectionHelp, OptionColumn, true);
    }
    if (picture) {
        out << "OPTS:  ";
        WriteHelpText(out, PictureHelp, OptionColumn, true);
    }
}

void PrintUsage(std::ostream& out) {
    out << "usage: pax3d                 the desktop program\n"
           "       pax3d SUBCOMMAND ...  headless; pax3d SUBCOMMAND --help for its options\n\n"
           "subcommands:\n";
    for (const Subcommand& s : Subcommands) {
        std::string start = std::string("  pax3d ") + s.synopsis;
        // A long synopsis has its description on the lines below.
        if (start.size() + 1 > SynopsisColumn) start += "\n" + std::string(SynopsisColumn, ' ');
        else start.resize(SynopsisColumn, ' ');
        out << start;
        WriteHelpText(out, s.description, SynopsisColumn, true);
    }
    out << '\n';
    PrintOptionTables(out, true, true);
    out << "\nexit codes: 0 success, 1 bad input, 2 wrong usage\n"
           "       pax3d --help | --version\n";
}

void PrintSubcommandUsage(const Subcommand& s, std::ostream& out) {
    out << "usage: pax3d " << s.synopsis << "\n";
    WriteHelpText(out, s.description, OptionColumn);
    const bool selection = Has(s.accepted, Accept::Selection) || Has(s.accepted, Accept::Selections);
    if (selection || Has(s.accepted, Accept::Picture)) out << '\n';
    PrintOptionTables(out, selection, Has(s.accepted, Accept::Picture));
    out << "\nexit codes: 0 success, 1 bad input, 2 wrong usage\n";
}

const Subcommand* FindSubcommand(const std::string& name) {
    for (const Subcommand& s : Subcommands)
        if (name == s.name) return &s;
    return nullptr;
}

bool EndsWithLsy(const std::string& name) {
    if (name.size() < 4) return false;
    std::string end = name.substr(name.size() - 4);
    for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return end == ".lsy";
}

int RunSubcommand(const Subcommand& s, std::span<const std::string> args, CliStreams io) {
    const CommandOptions options = ParseOptions(args, s.name, s.accepted);
    if (options.help) {
        PrintSubcommandUsage(s, io.out);
        return ExitCode::Ok;
    }
    return s.run(options, io);
}

int Dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Output that did not arrive (a full disk, a closed pipe) is a failure, not a success.
int CheckOutputWritten(int code, std::ostream& out, std::ostream& err) {
    out.flush();
    if (out) return code;
    const auto* safe = dynamic_cast<const TerminalSafeBuffer*>(out.rdbuf());
    const int error = safe ? safe->WriteError() : 0;
    err << "pax3d: cannot write to standard output" << (error ? std::string(": ") + std::strerror(error) : "") << '\n';
    return code == ExitCode::Ok ? ExitCode::BadInput : code;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return CheckOutputWritten(Dispatch(args, out, err), out, err);
}

namespace {

int Dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintUsage(err);
        return ExitCode::Usage;
    }
    const std::string& first = args.front();
    if (first == "--help" || first == "-h" || first == "help") {
        PrintUsage(out);
        return ExitCode::Ok;
    }
    if (first == "--version") {
        out << Version << '\n';
        return ExitCode::Ok;
    }
    const Subcommand* subcommand = FindSubcommand(first);
    if (!subcommand) {
        err << "pax3d: unknown subcommand '" << first << "' (pax3d --help lists them)\n";
        return ExitCode::Usage;
    }
    try {
        return RunSubcommand(*subcommand, std::span(args).subspan(1), CliStreams{out, err});
    } catch (const CliError& e) {
        err << "pax3d: " << e.what() << '\n';
        return e.Code();
    } catch (const std::bad_alloc&) {
        err << "pax3d: out of memory\n";
    } catch (const std::exception& e) {
        err << "pax3d: " << e.what() << '\n';
    }
    return ExitCode::BadInput;
}

}  // namespace

int RunCommandLine(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    // A subcommand runs the engine like the desktop program does: the debug log with its header
    // and the start-up lines of every unit. Usage and version texts need none of it.
    const bool engine = !args.empty() && FindSubcommand(args.front()) != nullptr;
    if (engine) StartSystemUtilities(argv[0]);
    TerminalSafeStream out(std::cout), err(std::cerr);
    const int code = RunCommandLine(args, out, err);
    out.flush();
    if (engine) StopSystemUtilities();
    return code;
}

bool IsDesktopFileArgument(int argc, char** argv) {
    if (argc != 2 || !argv[1]) return false;
    const std::string name = argv[1];
    std::error_code error;
    return !FindSubcommand(name) && EndsWithLsy(name) && std::filesystem::is_regular_file(name, error);
}

}  // namespace pax
