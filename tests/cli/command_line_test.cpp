#include "cli/command_line.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/config/config_test_support.h"
#include "lsystem/library/library.h"
#include "render/surface/bitmap32.h"
#include "render/files/picture_io.h"

namespace pax {
namespace {

namespace fs = std::filesystem;

constexpr const char* KochFile =
    "#VRML V1.0 ascii\n"
    "LSystem {\n  name \"Koch\"\n  angle 60\n  step 400\n  factor 0.33333\n  thickness 0\n  deep 3\n"
    "  axiom \"F--F--F\"\n  rules [ \"F=F+F--F+F\" ]\n}\n"
    "LSystem { name Doubling deep 2 axiom \"F\" rules [ \"F=F+F\" ] }\n"
    "LSystem { name Runaway deep 100 axiom \"A\" rules [ \"A=AA\" ] }\n";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

struct Outcome {
    int code = -1;
    std::string out, err;
};

// The pixels with their alpha set, row by row.
std::vector<TColor32> Opaque(const TBitmap32& picture) {
    std::vector<TColor32> pixels;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) pixels.push_back(picture.Pixel(x, y) | 0xFF000000u);
    return pixels;
}

// Every case runs in a directory of its own: the commands write DEBUG.TMP, ParseErrors.tmp
// and pictures into the current directory.
class CommandLine : public ::testing::Test {
protected:
    CommandLine() {
        fs::current_path(m_dir.Path());
        std::ofstream("koch.LSY") << KochFile;
    }
    ~CommandLine() override { fs::current_path(m_previous); }

    static Outcome Pax(std::vector<std::string> args) {
        std::ostringstream out, err;
        const int code = RunCommandLine(args, out, err);
        return {code, out.str(), err.str()};
    }

    static TBitmap32 Load(const std::string& file) {
        TBitmap32 picture;
        EXPECT_TRUE(LoadPicture(picture, file)) << file;
        return picture;
    }

private:
    const fs::path m_previous = fs::current_path();
    const testing::TempDir m_dir;
};

TEST_F(CommandLine, WrongUsageAndBadInputGiveTheirCodeAndOneLine) {
    const std::string koch = "KochSnowflake-2";
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"bogus"}, 2, "pax3d: unknown subcommand 'bogus'"},
        {{"render", "--figure", koch, "--bogus"}, 2, "pax3d: unknown option '--bogus'"},
        {{"render", "--figure", koch, "--size", "10"}, 2, "pax3d: --size expects WxH"},
        {{"render", "--figure", koch, "--size", "8x8"}, 2, "pax3d: --size expects WxH"},
        {{"render", "--figure", koch, "--depth", "x"}, 2, "pax3d: --depth expects a whole number"},
        {{"render", "--figure", koch, "--depth", "70000"}, 1, "pax3d: depth 70000 is beyond 65535"},
        {{"render", "--figure", koch, "--view", "9"}, 2, "pax3d: --view expects a whole number 0..5"},
        {{"render", "--figure", koch, "-o"}, 2, "pax3d: -o needs a value"},
        {{"render", "--figure", koch, "-o", "koch.gif"}, 2, "pax3d: 'koch.gif' is no picture name"},
        {{"render"}, 2, "pax3d: render needs --figure"},
        {{"stats", "--system", "Koch"}, 2, "pax3d: --system goes with the --file before it"},
        {{"check"}, 2, "pax3d: check needs a file"},
        {{"list", "extra"}, 2, "pax3d: unexpected argument 'extra'"},
        {{"render", "--figure", "NoSuchFigure"}, 1, "pax3d: unknown figure 'NoSuchFigure'"},
        {{"render", "--figure", "0/999"}, 1, "pax3d: no figure 0/999"},
        {{"render", "--file", "missing.LSY"}, 1, "pax3d: cannot read missing.LSY: No such file or directory"},
        {{"check", "missing.LSY"}, 1, "pax3d: cannot read missing.LSY"},
        {{"stats", "--file", "koch.LSY", "--system", "Nope"}, 1, "pax3d: no system 'Nope' in koch.LSY"},
        {{"render", "--figure", koch, "--config", "missing.INI"}, 1, "pax3d: cannot read config missing.INI"},
        {{"export", "--figure", koch, "-o", "koch.png"}, 2, "pax3d: 'koch.png' is no export name: use .svg or .obj"},
        {{"export", "--figure", koch}, 2, "pax3d: export needs -o NAME.svg or -o NAME.obj"},
        {{"export", "--figure", koch, "-o", "no/such/k.svg"}, 1, "pax3d: cannot write no/such/k.svg: no directory"},
        {{"frames", "--figure", koch, "-o", "f", "--count", "0"}, 2, "pax3d: --count expects a whole number 1..100000"},
        {{"frames", "--figure", koch, "-o", "f", "--fps", "fast"}, 2, "pax3d: --fps expects pictures per second"},
        {{"frames", "--figure", koch}, 2, "pax3d: frames needs -o DIR"},
        {{"render", "--figure", koch, "--growth"}, 2, "pax3d: unknown option '--growth'"},
        {{"render", "--figure", koch, "--animated"}, 2, "pax3d: unknown option '--animated' for render"},
        {{"bench", "--figure", koch, "--animated=yes"}, 2, "pax3d: --animated takes no value"},
    };
    for (const Case& c : cases) {
        const Outcome run = Pax(c.args);
        const std::string shown = ::testing::PrintToString(c.args);
        EXPECT_EQ(run.code, c.code) << shown;
        ASSERT_EQ(Lines(run.err).size(), 1u) << shown << "\n" << run.err;
        EXPECT_TRUE(run.err.starts_with(c.message)) << shown << "\n" << run.err;
        EXPECT_EQ(run.out, "") << shown;
    }
    EXPECT_FALSE(fs::exists("KochSnowflake-2.png"));
    EXPECT_FALSE(fs::exists("f"));
}

TEST_F(CommandLine, OnlyOneExistingLsyFileGoesToTheDesktopProgram) {
    std::ofstream("list") << KochFile;
    std::ofstream("LIST.lsy") << KochFile;
    auto desktop = [](std::vector<std::string> args) {
        std::vector<char*> argv{const_cast<char*>("pax3d")};
        for (std::string& a : args) argv.push_back(a.data());
        return IsDesktopFileArgument(static_cast<int>(argv.size()), argv.data());
    };
    EXPECT_TRUE(desktop({"koch.LSY"}));
    EXPECT_TRUE(desktop({"LIST.lsy"}));
    EXPECT_FALSE(desktop({"list"}));          // a subcommand, though a file of that name exists
    EXPECT_FALSE(desktop({"missing.LSY"}));
    EXPECT_FALSE(desktop({"."}));
    EXPECT_FALSE(desktop({"check", "koch.LSY"}));
    EXPECT_FALSE(desktop({}));
}

TEST_F(CommandLine, HelpListsEverySubcommandAndEachSubcommandHasItsOwn) {
    const Outcome help = Pax({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out.find("not yet built"), std::string::npos);
    for (const char* name : {"render", "export", "frames", "trace", "check", "list", "stats", "bench"}) {
        EXPECT_NE(help.out.find(std::string("pax3d ") + name), std::string::npos) << name;
        const Outcome own = Pax({name, "--help"});
        EXPECT_EQ(own.code, 0) << name;
        EXPECT_TRUE(own.out.starts_with(std::string("usage: pax3d ") + name)) << own.out;
    }
    EXPECT_TRUE(Pax({"--version"}).out.starts_with("pax3d "));
    EXPECT_EQ(Pax({}).code, 2);
}

// Blanks and line breaks as one blank: what a reader reads, however it is wrapped.
std::string Words(const std::string& text) {
    std::string words;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\n';
        if (blank && (words.empty() || words.back() == ' ')) continue;
        words += blank ? ' ' : c;
    }
    return words;
}

TEST_F(CommandLine, HelpTextsAreWrappedAndNeverCut) {
    std::vector<std::pair<std::string, std::string>> texts = {{"--help", Pax({"--help"}).out}};
    for (const char* name : {"render", "export", "frames", "trace", "check", "list", "stats", "bench"})
        texts.emplace_back(name, Pax({name, "--help"}).out);
    for (const auto& [name, text] : texts) {
        for (const std::string& line : Lines(text)) EXPECT_LE(line.size(), 80u) << name << ": " << line;
        if (name == "--help" || name == "trace") {
            EXPECT_NE(Words(text).find("the system's name, the result list's lines, then \"commands: N\""),
                      std::string::npos) << text;
        }
        if (name == "--help" || name == "frames") {
            EXPECT_NE(Words(text).find("--video FILE.mp4 also a video of them, when ffmpeg is on the PATH"),
                      std::string::npos) << text;
        }
    }
    // An option's description continues under itself.
    EXPECT_NE(texts[0].second.find("\n       --time-limit SECONDS stop a drawing after this long, exit 1 (60; 0 for\n"
                                   "                            none)\n"),
              std::string::npos) << texts[0].second;
}

// A stream whose every write fails, as standard output on a full disk does.
class FullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST_F(CommandLine, OutputThatCannotBeWrittenIsAnError) {
    std::ofstream("broken.LSY") << "LSystem { name b deep x axiom F rules F }\n";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"list"}, {"stats", "--file", "koch.LSY"}, {"trace", "--file", "koch.LSY"},
          {"check", "koch.LSY"}, {"check", "broken.LSY"}, {"--help"}}) {
        FullBuffer full;
        std::ostream out(&full);
        std::ostringstream err;
        const int code = RunCommandLine(args, out, err);
        EXPECT_EQ(code, 1) << args[0];
        EXPECT_TRUE(err.str().ends_with("pax3d: cannot write to standard output\n")) << err.str();
    }
}

TEST_F(CommandLine, FilesThatAreNoLsyFilesAreRefusedWithoutBeingRead) {
    ASSERT_EQ(::mkfifo("pipe.LSY", 0600), 0);   // no writer: opening it for reading would block
    {
        std::ofstream sparse("huge.LSY");
        sparse << "LSystem { name a axiom F rules F }";
    }
    fs::resize_file("huge.LSY", 200ull << 30);   // 200 GB of holes
    fs::create_directory("folder.LSY");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"check", "/dev/urandom"}, "pax3d: cannot read /dev/urandom: not a regular file\n"},
        {{"stats", "--file", "/dev/zero"}, "pax3d: cannot read /dev/zero: not a regular file\n"},
        {{"check", "pipe.LSY"}, "pax3d: cannot read pipe.LSY: not a regular file\n"},
        {{"render", "--file", "pipe.LSY"}, "pax3d: cannot read pipe.LSY: not a regular file\n"},
        {{"check", "huge.LSY"}, "pax3d: cannot read huge.LSY: larger than 16 MB, the limit of .LSY files\n"},
        {{"check", "folder.LSY"}, "pax3d: cannot read folder.LSY: is a directory\n"},
        {{"stats", "--figure", "KochSnowflake-2", "--config", "pipe.LSY"}, "pax3d: cannot read config pipe.LSY\n"},
    };
    for (const Case& c : cases) {
        const Outcome run = Pax(c.args);
        EXPECT_EQ(run.code, 1) << c.args[1];
        EXPECT_EQ(run.err, c.message);
    }
}

TEST_F(CommandLine, CheckPrintsOneLinePerNodeAndEveryErrorWithItsPlace) {
    const Outcome good = Pax({"check", "koch.LSY"});
    EXPECT_EQ(good.code, 0) << good.err;
    EXPECT_EQ(Lines(good.out), (std::vector<std::string>{
                                   "Koch\tangle=60 step=400 factor=0.33333 deep=3 rules=1 axiom=\"F--F--F\"",
                                   "Doubling\tangle=30 step=100 factor=1 deep=2 rules=1 axiom=\"F\"",
                                   "Runaway\tangle=30 step=100 factor=1 deep=100 rules=1 axiom=\"A\"",
                               }));

    std::ofstream("broken.LSY") << "LSystem {\n  name \"x\"\n  step 0.1\n  deep x\n  axiom \"F\"\n}\n";
    const Outcome broken = Pax({"check", "broken.LSY"});
    EXPECT_EQ(broken.code, 1);
    const std::vector<std::string> lines = Lines(broken.out);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "x\tangle=30 step=0.1 factor=1 deep=0 rules=0 axiom=\"F\"");
    EXPECT_EQ(lines[1], "3 parsing errors detected in LSystem file ");
    // Columns count from the first character after a line's leading blanks.
    for (const char* entry : {"error in line 3 at position 6: \nstep 0.1\n     ^value less than 0.5",
                              "error in line 4 at position 6: \ndeep x\n     ^expecting integer value",
                              "error in line 6 at position 1: \n}\n^expecting rules of LSystem"})
        EXPECT_NE(broken.out.find(entry), std::string::npos) << entry << "\n" << broken.out;
    EXPECT_EQ(broken.out.find("unexpected 'x'"), std::string::npos) << "one bad value, one error";
    std::ifstream file("ParseErrors.tmp");
    const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(broken.out.find(written), std::string::npos) << "the report holds the error file";
}

TEST_F(CommandLine, RenderWritesThePictureOfTheFigureByNameIndexOrFile) {
    const Outcome byFile = Pax({"render", "--file", "koch.LSY", "-o", "file.png"});
    ASSERT_EQ(byFile.code, 0) << byFile.err;
    EXPECT_EQ(byFile.err, "");
    ASSERT_EQ(Pax({"render", "--figure", "KochSnowflake-2"}).code, 0);
    ASSERT_EQ(Pax({"render", "--figure", "0/0", "-o", "index.bmp"}).code, 0);
    const TBitmap32 picture = Load("file.png");
    ASSERT_EQ(std::pair(picture.Width(), picture.Height()), std::pair(480, 360));
    const std::vector<TColor32> file = Opaque(picture);
    // 192 thin segments about 15 pixels long each.
    EXPECT_GT(std::count_if(file.begin(), file.end(), [&](TColor32 c) { return c != file[0]; }), 1000);
    EXPECT_TRUE(Opaque(Load("KochSnowflake-2.png")) == file);
    EXPECT_TRUE(Opaque(Load("index.bmp")) == file);

    ASSERT_EQ(Pax({"render", "--file", "koch.LSY", "--size", "200x100", "--depth", "1", "-o", "small.jpg"}).code, 0);
    const TBitmap32 small = Load("small.jpg");
    EXPECT_EQ(std::pair(small.Width(), small.Height()), std::pair(200, 100));
}

TEST_F(CommandLine, TracePrintsTheNameTheResultLinesAndTheCommandCount) {
    const Outcome two = Pax({"trace", "--file", "koch.LSY", "--system", "Doubling"});
    EXPECT_EQ(two.code, 0) << two.err;
    EXPECT_EQ(Lines(two.out), (std::vector<std::string>{"Doubling", "F+F+F+F", "commands: 7"}));

    // 32 moves and 31 turns: a full line of 56 commands, then the rest.
    const Outcome five = Pax({"trace", "--file", "koch.LSY", "--system", "Doubling", "--depth", "5"});
    std::string all;
    for (int i = 0; i < 32; ++i) all += i ? "+F" : "F";
    EXPECT_EQ(Lines(five.out), (std::vector<std::string>{"Doubling", all.substr(0, 56), all.substr(56), "commands: 63"}));
}

TEST_F(CommandLine, StatsCountTheDrawing) {
    const Outcome run = Pax({"stats", "--figure", "KochSnowflake-2", "--depth", "2"});
    EXPECT_EQ(run.code, 0) << run.err;
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 9u) << run.out;
    EXPECT_TRUE(lines[7].starts_with("seconds=")) << lines[7];
    lines[7] = "seconds=";
    EXPECT_EQ(lines, (std::vector<std::string>{"symbols=112", "commands=112", "segments=48", "polygons=0", "parts=48",
                                               "max_depth=2", "is3d=0", "seconds=", "errors=0"}));
}

TEST_F(CommandLine, ErrorsWhileDrawingAreReportedAndCountedButThePictureIsWritten) {
    std::ofstream("open.LSY") << "LSystem { name Open deep 0 axiom \"F(2\" rules [ \"F=FF\" ] }\n";
    const Outcome stats = Pax({"stats", "--file", "open.LSY"});
    EXPECT_EQ(stats.code, 0);
    EXPECT_EQ(stats.err, "PaxTarn: LSInterpreter: missing \")\" character\n");
    EXPECT_NE(stats.out.find("\nerrors=1\n"), std::string::npos) << stats.out;

    const Outcome render = Pax({"render", "--file", "open.LSY"});
    EXPECT_EQ(render.code, 0);
    EXPECT_EQ(Lines(render.err).size(), 1u);
    EXPECT_TRUE(fs::exists("Open.png"));
}

TEST_F(CommandLine, ParseErrorsAreCountedAndExitOne) {
    std::ofstream("bad.LSY") << "LSystem { name Bad deep abc step 0.1 axiom \"F(2\" rules [ \"F=FF\" ] }\n";
    const Outcome stats = Pax({"stats", "--file", "bad.LSY"});
    EXPECT_EQ(stats.code, 1);
    EXPECT_NE(stats.out.find("\nerrors=3\n"), std::string::npos) << stats.out;   // two parsing, one drawing
    EXPECT_TRUE(stats.err.starts_with("2 parsing errors detected in LSystem file ")) << stats.err;
    EXPECT_TRUE(stats.err.ends_with("PaxTarn: LSInterpreter: missing \")\" character\n"
                                    "pax3d: 2 parsing errors in bad.LSY\n")) << stats.err;
    const Outcome trace = Pax({"trace", "--file", "bad.LSY"});
    EXPECT_EQ(trace.code, 1);
    EXPECT_TRUE(trace.out.starts_with("Bad\n")) << trace.out;
    const Outcome render = Pax({"render", "--file", "bad.LSY"});
    EXPECT_EQ(render.code, 1);
    EXPECT_TRUE(fs::exists("Bad.png"));   // the picture is still written
}

// Every "]" without its "[" is an error: 100,000 of them in one drawing, but for the first,
// which closes the picture's own object.
TEST_F(CommandLine, RepeatedErrorsOfADrawingAreCountedNotEachWritten) {
    std::ofstream("flood.LSY") << "LSystem { name Flood deep 2000 axiom F rules [ \"F=F" << std::string(50, ']')
                               << "\" ] }\n";
    const Outcome stats = Pax({"stats", "--file", "flood.LSY", "--time-limit", "0"});
    EXPECT_EQ(stats.code, 0) << stats.err;
    EXPECT_NE(stats.out.find("\nerrors=99999\n"), std::string::npos) << stats.out;
    const std::vector<std::string> lines = Lines(stats.err);
    ASSERT_EQ(lines.size(), 6u) << stats.err.substr(0, 2000);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(lines[i].starts_with("PaxPax: Pax3d.OldObject: missing previous call")) << lines[i];
    EXPECT_EQ(lines[5], "PaxPax: Pax3d.OldObject: 99994 more errors of this kind");

    // A caption is written as it is, with its blank.
    std::ofstream("open.LSY") << "LSystem { name Open deep 0 axiom \"{F+F\" rules [ \"F=FF\" ] }\n";
    EXPECT_NE(Pax({"stats", "--file", "open.LSY"}).err.find("PaxPax: : missing call of EndPlane\n"), std::string::npos);
}

TEST_F(CommandLine, DrawingOptionsReachThePicture) {
    ASSERT_EQ(Pax({"render", "--figure", "Plant-26", "-o", "default.png"}).code, 0);
    const std::vector<TColor32> reference = Opaque(Load("default.png"));
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--view", "4"}, {"--projection", "0"}, {"--zbuffer"}, {"--light-model", "0"}}) {
        std::vector<std::string> args = {"render", "--figure", "Plant-26", "-o", "changed.png"};
        args.insert(args.end(), options.begin(), options.end());
        ASSERT_EQ(Pax(args).code, 0) << options[0];
        const std::vector<TColor32> changed = Opaque(Load("changed.png"));
        ASSERT_EQ(changed.size(), reference.size());
        int differing = 0;
        for (size_t i = 0; i < changed.size(); ++i) differing += changed[i] != reference[i];
        EXPECT_GT(differing, 1000) << options[0];
    }
}

TEST_F(CommandLine, BenchTimesTheFiguresPictureOrItsRunningAnimation) {
    for (const bool animated : {false, true}) {
        std::vector<std::string> args = {"bench", "--figure", "0/0", "--figure", "KochSnowflake-2", "--size", "64x48"};
        if (animated) args.push_back("--animated");
        const Outcome run = Pax(args);
        EXPECT_EQ(run.code, 0) << run.err;
        const std::vector<std::string> lines = Lines(run.out);
        ASSERT_EQ(lines.size(), 2u) << run.out;
        const std::string tag = animated ? " animated: " : ": ";
        EXPECT_TRUE(lines[0].starts_with("0/0" + tag)) << lines[0];
        EXPECT_TRUE(lines[1].starts_with("KochSnowflake-2" + tag)) << lines[1];
        for (const std::string& line : lines) EXPECT_NE(line.find(" pictures/s  cpu "), std::string::npos) << line;
    }
}

TEST_F(CommandLine, ListPrintsEveryFigureOfTheLibraryInOrder) {
    const Outcome run = Pax({"list"});
    EXPECT_EQ(run.code, 0);
    std::vector<std::string> expected;
    const auto& library = BuiltInLibrary();
    for (size_t d = 0; d < library.size(); ++d)
        for (size_t f = 0; f < library[d].entries.size(); ++f)
            expected.push_back(std::to_string(d) + "\t" + std::to_string(f) + "\t" + library[d].name + "\t" +
                               library[d].entries[f].name);
    EXPECT_EQ(expected.size(), 131u);
    EXPECT_EQ(Lines(run.out), expected);
}

TEST_F(CommandLine, ARunawaySystemIsStoppedByTheTimeLimit) {
    for (const std::string command : {"render", "export"}) {
        std::vector<std::string> args = {command, "--file", "koch.LSY", "--system", "Runaway", "--time-limit", "1"};
        if (command == "export") args.insert(args.end(), {"-o", "Runaway.svg"});
        const Outcome run = Pax(args);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err, "pax3d: stopped after 1 s\n");
    }
    EXPECT_FALSE(fs::exists("Runaway.png"));
    EXPECT_FALSE(fs::exists("Runaway.svg"));
}

TEST_F(CommandLine, ExportAndFramesWriteTheirFiles) {
    EXPECT_EQ(Pax({"export", "--file", "koch.LSY", "-o", "koch.obj"}).code, 0);
    std::ifstream model("koch.obj");
    std::string header, mtllib;
    std::getline(model, header);
    std::getline(model, mtllib);
    EXPECT_EQ(mtllib, "mtllib koch.mtl");
    EXPECT_TRUE(fs::exists("koch.mtl"));
    const Outcome svg = Pax({"export", "--file", "koch.LSY", "--zbuffer", "-o", "koch.svg"});
    EXPECT_EQ(svg.code, 0);
    EXPECT_TRUE(svg.err.starts_with("pax3d: the z-buffer is a raster technique")) << svg.err;
    EXPECT_TRUE(fs::file_size("koch.svg") > 1000);

    EXPECT_EQ(Pax({"frames", "--file", "koch.LSY", "-o", "seq", "--count", "4", "--growth"}).code, 0);
    EXPECT_EQ(std::distance(fs::directory_iterator("seq"), fs::directory_iterator{}), 4);
    EXPECT_EQ(Pax({"render", "--file", "koch.LSY", "-o", "koch.png"}).code, 0);
    EXPECT_EQ(Opaque(Load("seq/frame_0003.png")), Opaque(Load("koch.png")));
}

}  // namespace
}  // namespace pax
