#include "cli/options.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "cli/cli_io.h"

namespace pax {
namespace {

// A whole number that is the whole text, no sign, no blanks.
std::optional<uint64_t> ParseUnsigned(std::string_view text) {
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) return std::numeric_limits<uint64_t>::max();
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

class ArgumentReader {
public:
    explicit ArgumentReader(std::span<const std::string> args) : m_args(args) {}

    bool Done() const { return m_index >= m_args.size(); }

    // The next argument; an option "--name=value" is split, the value kept for Value().
    std::string Next() {
        std::string arg = m_args[m_index++];
        m_inlineValue.reset();
        if (arg.starts_with("--")) {
            const size_t equals = arg.find('=');
            if (equals != std::string::npos) {
                m_inlineValue = arg.substr(equals + 1);
                arg.resize(equals);
            }
        }
        return arg;
    }

    std::string Value(const std::string& option) {
        if (m_inlineValue) {
            std::string value = *m_inlineValue;
            m_inlineValue.reset();
            return value;
        }
        if (Done()) ThrowUsage(option + " needs a value");
        return m_args[m_index++];
    }

    void RefuseInlineValue(const std::string& option) const {
        if (m_inlineValue) ThrowUsage(option + " takes no value");
    }

private:
    std::span<const std::string> m_args;
    size_t m_index = 0;
    std::optional<std::string> m_inlineValue;
};

int RangedInt(const std::string& option, const std::string& text, int min, int max) {
    const std::optional<uint64_t> value = ParseUnsigned(text);
    if (!value || *value < static_cast<uint64_t>(min) || *value > static_cast<uint64_t>(max))
        ThrowUsage(option + " expects a whole number " + std::to_string(min) + ".." + std::to_string(max) +
                   ", not '" + text + "'");
    return static_cast<int>(*value);
}

int ParseDepth(const std::string& text) {
    const std::optional<uint64_t> value = ParseUnsigned(text);
    if (!value) ThrowUsage("--depth expects a whole number 0.." + std::to_string(PictureOptions::MaxDepth) +
                           ", not '" + text + "'");
    if (*value > static_cast<uint64_t>(PictureOptions::MaxDepth))
        ThrowBadInput("depth " + text + " is beyond " + std::to_string(PictureOptions::MaxDepth));
    return static_cast<int>(*value);
}

uint32_t ParseSeed(const std::string& text) {
    const std::optional<uint64_t> value = ParseUnsigned(text);
    if (!value || *value > std::numeric_limits<uint32_t>::max())
        ThrowUsage("--seed expects a whole number 0..4294967295, not '" + text + "'");
    return static_cast<uint32_t>(*value);
}

void ParseSize(const std::string& text, PictureOptions& picture) {
    const size_t x = text.find_first_of("xX");
    const auto width = x == std::string::npos ? std::nullopt : ParseUnsigned(std::string_view(text).substr(0, x));
    const auto height = x == std::string::npos ? std::nullopt : ParseUnsigned(std::string_view(text).substr(x + 1));
    const auto inRange = [](const std::optional<uint64_t>& v) {
        return v && *v >= PictureOptions::MinExtent && *v <= PictureOptions::MaxExtent;
    };
    if (!inRange(width) || !inRange(height))
        ThrowUsage("--size expects WxH with each " + std::to_string(PictureOptions::MinExtent) + ".." +
                   std::to_string(PictureOptions::MaxExtent) + ", not '" + text + "'");
    picture.width = static_cast<int>(*width);
    picture.height = static_cast<int>(*height);
}

double ParseSeconds(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value) ||
        value < 0 || value > 1e6)
        ThrowUsage("--time-limit expects seconds (0 for none), not '" + text + "'");
    return value;
}

FigureSelection FigureOption(const std::string& text) {
    if (text.empty()) ThrowUsage("--figure needs a name or D/F");
    FigureSelection selection;
    if (const auto index = ParseFigureIndex(text)) {
        selection.kind = FigureSelection::Kind::Index;
        selection.demo = index->first;
        selection.figure = index->second;
    } else {
        selection.name = text;
    }
    return selection;
}

int DrawingThreads(const std::string& text) {
    if (text == "1" || text == "2" || text == "4") return text[0] - '0';
    ThrowUsage("--threads expects 1, 2 or 4, not '" + text + "'");
}

// Options that take part in drawing a picture; false when option is none of them.
bool PictureOption(const std::string& option, ArgumentReader& reader, PictureOptions& picture) {
    if (option == "--zbuffer") {
        reader.RefuseInlineValue(option);
        picture.zbuffer = true;
        return true;
    }
    if (option == "--size") ParseSize(reader.Value(option), picture);
    else if (option == "--depth") picture.depth = ParseDepth(reader.Value(option));
    else if (option == "--seed") picture.seed = ParseSeed(reader.Value(option));
    else if (option == "--projection") picture.projection = RangedInt(option, reader.Value(option), 0, 5);
    else if (option == "--view") picture.view = RangedInt(option, reader.Value(option), 0, 5);
    else if (option == "--light-model") picture.lightModel = RangedInt(option, reader.Value(option), 0, 6);
    else if (option == "--threads") picture.threads = DrawingThreads(reader.Value(option));
    else if (option == "--config") picture.configFile = reader.Value(option);
    else if (option == "--time-limit") picture.timeLimit = ParseSeconds(reader.Value(option));
    else return false;
    if (option == "--config" && picture.configFile.empty()) ThrowUsage("--config needs a file name");
    return true;
}

double ParseFps(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value) ||
        value < 0.1 || value > 1000)
        ThrowUsage("--fps expects pictures per second 0.1..1000, not '" + text + "'");
    return value;
}

// Options of frames; false when option is none of them.
bool FramesOption(const std::string& option, ArgumentReader& reader, FramesOptions& frames) {
    if (option == "--growth") {
        reader.RefuseInlineValue(option);
        frames.growth = true;
    } else if (option == "--count") {
        frames.count = RangedInt(option, reader.Value(option), 1, FramesOptions::MaxCount);
    } else if (option == "--fps") {
        frames.fps = ParseFps(reader.Value(option));
    } else if (option == "--video") {
        frames.video = reader.Value(option);
        if (frames.video.empty()) ThrowUsage("--video needs a file name");
    } else {
        return false;
    }
    return true;
}

bool SelectionOption(const std::string& option, ArgumentReader& reader, std::vector<FigureSelection>& selections,
                     bool& systemGiven) {
    if (option == "--figure") {
        selections.push_back(FigureOption(reader.Value(option)));
    } else if (option == "--file") {
        FigureSelection selection;
        selection.kind = FigureSelection::Kind::File;
        selection.file = reader.Value(option);
        if (selection.file.empty()) ThrowUsage("--file needs a file name");
        selections.push_back(std::move(selection));
        systemGiven = false;
    } else if (option == "--system") {
        const std::string name = reader.Value(option);
        if (selections.empty() || selections.back().kind != FigureSelection::Kind::File)
            ThrowUsage("--system goes with the --file before it");
        if (systemGiven) ThrowUsage("one --system per --file");
        selections.back().name = name;
        systemGiven = true;
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::string FigureSelection::Describe() const {
    switch (kind) {
        case Kind::Name: return name;
        case Kind::Index: return std::to_string(demo) + "/" + std::to_string(figure);
        case Kind::File: return name.empty() ? file : file + ":" + name;
    }
    return name;
}

std::optional<std::pair<int, int>> ParseFigureIndex(std::string_view text) {
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const auto demo = ParseUnsigned(text.substr(0, slash));
    const auto figure = ParseUnsigned(text.substr(slash + 1));
    constexpr uint64_t Limit = 1000000;
    if (!demo || !figure || *demo > Limit || *figure > Limit) return std::nullopt;
    return std::pair{static_cast<int>(*demo), static_cast<int>(*figure)};
}

CommandOptions ParseOptions(std::span<const std::string> args, std::string_view subcommand, Accept accepted) {
    CommandOptions options;
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }

    ArgumentReader reader(args);
    const std::string where = " for " + std::string(subcommand);
    bool systemGiven = false;
    bool positionalTaken = false;
    while (!reader.Done()) {
        const std::string arg = reader.Next();
        const bool selecting = Has(accepted, Accept::Selection) || Has(accepted, Accept::Selections);
        if (selecting && SelectionOption(arg, reader, options.selections, systemGiven)) continue;
        if (Has(accepted, Accept::Picture) && PictureOption(arg, reader, options.picture)) continue;
        if (Has(accepted, Accept::Frames) && FramesOption(arg, reader, options.frames)) continue;
        if (Has(accepted, Accept::Output) && (arg == "-o" || arg == "--output")) {
            options.output = reader.Value(arg);
            if (options.output->empty()) ThrowUsage(arg + " needs a file name");
            continue;
        }
        if (Has(accepted, Accept::All) && arg == "--all") {
            reader.RefuseInlineValue(arg);
            options.all = true;
            continue;
        }
        if (Has(accepted, Accept::Animated) && arg == "--animated") {
            reader.RefuseInlineValue(arg);
            options.animated = true;
            continue;
        }
        if (arg.size() > 1 && arg.front() == '-') ThrowUsage("unknown option '" + arg + "'" + where);
        if (!Has(accepted, Accept::OneFile) || positionalTaken) ThrowUsage("unexpected argument '" + arg + "'" + where);
        options.file = arg;
        positionalTaken = true;
    }
    if (Has(accepted, Accept::Selection) && options.selections.size() > 1)
        ThrowUsage(std::string(subcommand) + " draws one figure: give one --figure or --file");
    if (Has(accepted, Accept::OneFile) && !positionalTaken)
        ThrowUsage(std::string(subcommand) + " needs a file");
    return options;
}

}  // namespace pax
