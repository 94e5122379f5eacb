#pragma once
// The options of the subcommands: which figure (SEL), how to draw it (OPTS) and what the
// subcommand itself takes. Parsing checks the form and the ranges of every value, so that a
// subcommand starts only with options it can use.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pax {

// --figure NAME | --figure D/F | --file F.LSY [--system NAME]
struct FigureSelection {
    enum class Kind { Name, Index, File };
    Kind kind = Kind::Name;
    std::string name;     // the figure's name (Name) or the node's (File, empty for the first)
    int demo = 0;         // Index, 0-based
    int figure = 0;
    std::string file;     // File

    // "KochSnowflake-2", "0/0", "plants.LSY" or "plants.LSY:Koch", for messages.
    std::string Describe() const;
};

struct PictureOptions {
    static constexpr int MinExtent = 16;
    static constexpr int MaxExtent = 4096;
    static constexpr int MaxDepth = 65535;

    int width = 480;
    int height = 360;
    std::optional<int> depth;
    std::optional<uint32_t> seed;
    std::optional<int> projection;   // 0..5
    std::optional<int> view;         // 0..5, the eye's standard view
    std::optional<int> lightModel;   // 0..6
    bool zbuffer = false;
    std::optional<int> threads;      // 1, 2 or 4 drawing the parts; the machine's choice without
    std::string configFile;          // empty: the built-in defaults
    double timeLimit = 60;           // seconds per drawing; 0 for none
};

// --count N --fps F --growth --video FILE.mp4 of frames.
struct FramesOptions {
    static constexpr int MaxCount = 100000;
    int count = 100;
    double fps = 25;
    bool growth = false;
    std::string video;   // empty: no video
};

// What a subcommand accepts besides --help.
enum class Accept : unsigned {
    None = 0,
    Selection = 1,           // one SEL
    Selections = 2,          // any number of SEL (bench)
    Picture = 4,             // OPTS and --time-limit
    Output = 8,              // -o FILE
    All = 16,                // --all
    OneFile = 32,            // one positional argument (check)
    Frames = 64,             // the options of frames
    Animated = 128,          // --animated (bench)
};
constexpr Accept operator|(Accept a, Accept b) {
    return static_cast<Accept>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool Has(Accept set, Accept flag) { return (static_cast<unsigned>(set) & static_cast<unsigned>(flag)) != 0; }

struct CommandOptions {
    bool help = false;
    std::vector<FigureSelection> selections;
    PictureOptions picture;
    FramesOptions frames;
    std::optional<std::string> output;
    bool all = false;
    bool animated = false;   // bench: the pictures of the running animation
    std::string file;   // the positional argument
};

// Parses the arguments after the subcommand's name. Throws CliError: ExitCode::Usage for an
// unknown option, a missing or malformed value, an argument the subcommand does not take;
// ExitCode::BadInput for a depth beyond 65535. "--name=value" is the same as "--name value".
CommandOptions ParseOptions(std::span<const std::string> args, std::string_view subcommand, Accept accepted);

// The D/F form of --figure: two whole numbers; nullopt for anything else (a name).
std::optional<std::pair<int, int>> ParseFigureIndex(std::string_view text);

}  // namespace pax
