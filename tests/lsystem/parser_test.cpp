#include "lsystem/parser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "lsystem/lsystem_test_scene.h"
#include "lsystem/vl_system.h"
#include "system/user_folders.h"

namespace pax {
namespace {

using ::testing::ElementsAre;
using testing::ReadAll;

// Parses text with its one client, the LSystem reader, in a directory of its own, with the
// nodes and the file-level items captured.
class ParserTest : public ::testing::Test {
protected:
    tParseResult Parse(const std::string& text) {
        tParser parser;
        RegisterVLSystem(parser, [this](tVLSystem&& node) { nodes.push_back(std::move(node)); });
        return parser.ParseText(text, "plants.LSY", [this](const tToken&, std::string_view source) {
            items.emplace_back(source);
        });
    }

    std::string ErrorFile() const { return dir.Path("ParseErrors.tmp"); }

    testing::ScopedTestDirectory dir;
    testing::ScopedPresenter boxes;
    std::vector<tVLSystem> nodes;
    std::vector<std::string> items;
};

// Keywords are case-sensitive: "lsystem" is a stray word.
TEST_F(ParserTest, EmptyAndCommentOnlyInputsAreNoErrorsAndOnlyAnErrorReplacesTheErrorFile) {
    { std::ofstream(ErrorFile()) << "old report"; }
    EXPECT_TRUE(Parse("").Ok());
    EXPECT_TRUE(Parse("#VRML V1.0 ascii\n# only comments\nstray 'quoted' 1.50 ; lsystem\n").Ok());
    EXPECT_THAT(items, ElementsAre("#VRML V1.0 ascii", "# only comments", "stray", "'quoted'", "1.50", ";", "lsystem"));
    EXPECT_TRUE(nodes.empty());
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(ReadAll(ErrorFile()), "old report");
    Parse("LSystem { ? }");
    EXPECT_THAT(ReadAll(ErrorFile()), ::testing::StartsWith("\nerror in line 1 at position 11: \nLSystem { ? }\n"
                                                            "          ^unexpected '?'\n"));
}

TEST_F(ParserTest, ThreeErrorsGiveThreeEntriesAndOneSummary) {
    tParseResult result = Parse("LSystem { name a axiom F rules F\n  step 1.2.3\n  segments 2000 ?\n}\n");
    EXPECT_EQ(result.errorCount, 3u);
    ASSERT_EQ(result.entries.size(), 3u);
    EXPECT_EQ(result.entries[0], "error in line 2 at position 9: \nstep 1.2.3\n        ^bad float constant '1.2.3'");
    EXPECT_EQ(result.entries[1], "error in line 3 at position 10: \nsegments 2000 ?\n         ^value larger than 1000 '2000'");
    EXPECT_EQ(result.entries[2], "error in line 3 at position 15: \nsegments 2000 ?\n              ^unexpected '?'");
    EXPECT_EQ(ReadAll(ErrorFile()), "\n" + result.entries[0] + "\n\n" + result.entries[1] + "\n\n" + result.entries[2] + "\n");
    EXPECT_EQ(result.errorFilePath, ErrorFile());

    ASSERT_EQ(boxes.Count(), 1u);
    const MessageRequest& box = boxes.Last();
    EXPECT_EQ(box.caption, "VadaVARA.OParser");
    EXPECT_EQ(box.icon, MessageIcon::Warning);
    EXPECT_EQ(box.text, "3 parsing errors detected in LSystem file \n\nplants.LSY\n\n"
                        "see file \"ParseErrors.tmp\" for more details...");
    EXPECT_EQ(result.summary, box.text);
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0].step, 1.2L);
}

TEST_F(ParserTest, MarkersNameAControlCharacterByItsCodeAndAnExpectedCharacter) {
    tParseResult result = Parse("LSystem { \x7F name a axiom F rules F }\nLSystem name b axiom F rules F }");
    EXPECT_THAT(result.entries,
                ElementsAre("error in line 1 at position 11: \nLSystem { \x7F name a axiom F rules F }\n"
                            "          ^unexpected character #127",
                            "error in line 2 at position 9: \nLSystem name b axiom F rules F }\n        ^expecting '{'"));
    EXPECT_EQ(nodes.at(1).name, "b");
}

TEST_F(ParserTest, TheCallbackSeesEveryErrorAndTheListStopsAtItsLimit) {
    tParser parser;
    parser.SetSummaryBox(SummaryBox::Suppress);
    std::vector<tParseError> seen;
    parser.SetErrorCallback([&](const tParseError& error) { seen.push_back(error); });
    RegisterVLSystem(parser, [this](tVLSystem&& node) { nodes.push_back(std::move(node)); });
    std::string text = "LSystem { name a axiom F rules F\n";
    for (int i = 0; i < 150; ++i) text += "?\n";
    tParseResult result = parser.ParseText(text + "}", "many.LSY", nullptr);
    EXPECT_EQ(result.errorCount, 150u);
    EXPECT_EQ(result.entries.size(), MaxListedErrors);
    ASSERT_EQ(seen.size(), 150u);
    EXPECT_EQ(std::tie(seen[149].line, seen[149].column, seen[149].kind),
              std::make_tuple(151u, uint16_t{1}, ParseErrorKind::Unexpected));
    EXPECT_EQ(boxes.Count(), 0u);
    std::string report = ReadAll(ErrorFile());
    EXPECT_TRUE(report.ends_with("\n50 further errors not listed\n")) << report.substr(report.size() - 60);
}

TEST_F(ParserTest, AFileThatCannotBeOpenedIsAFileError) {
    tParser parser;
    std::string missing = dir.Path("missing.LSY");
    tParseResult result = parser.ParseFile(missing, nullptr);
    EXPECT_FALSE(result.opened);
    EXPECT_FALSE(result.Ok());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "File Error");
    EXPECT_EQ(boxes.Last().text, "error 2 at file \"" + missing + "\"\nNo such file or directory");

    boxes.Clear();
    EXPECT_FALSE(parser.ParseFile(dir.Dir(), nullptr).opened);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_THAT(boxes.Last().text, ::testing::StartsWith("error 21 at file"));

    // Nothing is read from a device or a FIFO without a writer (which would block), nor from
    // a file beyond the limit, however large it claims to be.
    const std::string fifo = dir.Path("pipe.LSY"), huge = dir.Path("huge.LSY");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    { std::ofstream(huge) << "LSystem { name a axiom F rules F }"; }
    std::filesystem::resize_file(huge, MaxParsedFileBytes + 1);
    const std::pair<std::string, int> refused[] = {{"/dev/zero", ENODEV}, {fifo, ENODEV}, {huge, EFBIG}};
    for (const auto& [file, code] : refused) {
        boxes.Clear();
        result = parser.ParseFile(file, nullptr);
        EXPECT_EQ(std::tie(result.opened, result.failure), std::make_tuple(false, code)) << file;
        ASSERT_EQ(boxes.Count(), 1u) << file;
        EXPECT_THAT(boxes.Last().text, ::testing::StartsWith("error " + std::to_string(code) + " at file")) << file;
    }
    std::filesystem::resize_file(huge, MaxParsedFileBytes);
    EXPECT_TRUE(parser.ParseFile(huge, nullptr).opened);
}

// A link planted under the error file's name is not followed: its target stays as it was and
// the entries go to the private temporary folder.
TEST_F(ParserTest, ALinkInPlaceOfTheErrorFileIsNotFollowed) {
    const std::string target = dir.Path("precious.txt");
    { std::ofstream(target) << "keep me"; }
    std::filesystem::create_symlink(target, ErrorFile());
    tParseResult result = Parse("LSystem { ? }");
    EXPECT_EQ(result.errorCount, 4u);
    EXPECT_EQ(ReadAll(target), "keep me");
    EXPECT_EQ(result.errorFilePath, PrivateTempFilePath(ParseErrorFileName));
    EXPECT_THAT(ReadAll(result.errorFilePath), ::testing::StartsWith("\nerror in line 1 at position 11: "));
}

}  // namespace
}  // namespace pax
