#include "lsystem/parser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "lsystem/lsystem_test_scene.h"

namespace pax {
namespace {

using ::testing::ElementsAre;
using testing::ReadAll;

// A node type of the tests: Box { size 1.5 count 3 }.
struct Box {
    Extended size = 1;
    int32_t count = 0;
};

void ReadBox(tParser& p, std::vector<Box>& boxes) {
    Box box;
    p.Expect('{');
    while (!p.AtEnd() && !p.Token().IsChar('}')) {
        if (p.Keyword("size")) {
            p.ReadFloatInRange(box.size, 0.5L, 2000);
        } else if (p.Keyword("count")) {
            p.ReadLongMax(box.count, 10);
        } else {
            p.Error(ParseErrorKind::Unexpected);
            p.NextToken();
        }
    }
    p.Optional('}');
    boxes.push_back(box);
}

// Parses text with the Box reader in a directory of its own, with boxes captured.
class ParserTest : public ::testing::Test {
protected:
    tParseResult Parse(const std::string& text) {
        tParser parser;
        parser.Register("Box", [this](tParser& p) { ReadBox(p, boxes); });
        return parser.ParseText(text, "boxes.LSY", [this](const tToken&, std::string_view source) {
            items.emplace_back(source);
        });
    }

    std::string ErrorFile() const { return dir.Path("ParseErrors.tmp"); }

    testing::ScopedTestDirectory dir;
    testing::ScopedPresenter boxesShown;
    std::vector<Box> boxes;
    std::vector<std::string> items;
};

// Keywords are case-sensitive: "box" is a stray word.
TEST_F(ParserTest, EmptyAndCommentOnlyInputsAreNoErrorsAndOnlyAnErrorReplacesTheErrorFile) {
    { std::ofstream(ErrorFile()) << "old report"; }
    EXPECT_TRUE(Parse("").Ok());
    EXPECT_TRUE(Parse("#VRML V1.0 ascii\n# only comments\nstray 'quoted' 1.50 ; box\n").Ok());
    EXPECT_THAT(items, ElementsAre("#VRML V1.0 ascii", "# only comments", "stray", "'quoted'", "1.50", ";", "box"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(boxesShown.Count(), 0u);
    EXPECT_EQ(ReadAll(ErrorFile()), "old report");
    Parse("Box { ? }");
    EXPECT_EQ(ReadAll(ErrorFile()), "\nerror in line 1 at position 7: \nBox { ? }\n      ^unexpected '?'\n");
}

TEST_F(ParserTest, ThreeErrorsGiveThreeEntriesAndOneSummary) {
    tParseResult result = Parse("Box {\n  size 1.2.3\n  count 11 ?\n}\n");
    EXPECT_EQ(result.errorCount, 3u);
    ASSERT_EQ(result.entries.size(), 3u);
    EXPECT_EQ(result.entries[0], "error in line 2 at position 9: \nsize 1.2.3\n        ^bad float constant '1.2.3'");
    EXPECT_EQ(result.entries[1], "error in line 3 at position 7: \ncount 11 ?\n      ^value larger than 10 '11'");
    EXPECT_EQ(result.entries[2], "error in line 3 at position 10: \ncount 11 ?\n         ^unexpected '?'");
    EXPECT_EQ(ReadAll(ErrorFile()), "\n" + result.entries[0] + "\n\n" + result.entries[1] + "\n\n" + result.entries[2] + "\n");
    EXPECT_EQ(result.errorFilePath, ErrorFile());

    ASSERT_EQ(boxesShown.Count(), 1u);
    const MessageRequest& box = boxesShown.Last();
    EXPECT_EQ(box.caption, "VadaVARA.OParser");
    EXPECT_EQ(box.icon, MessageIcon::Warning);
    EXPECT_EQ(box.text, "3 parsing errors detected in LSystem file \n\nboxes.LSY\n\n"
                        "see file \"ParseErrors.tmp\" for more details...");
    EXPECT_EQ(result.summary, box.text);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].size, 1.2L);
    EXPECT_EQ(boxes[0].count, 11);
}

TEST_F(ParserTest, MarkersNameAControlCharacterByItsCodeAndAnExpectedCharacter) {
    tParseResult result = Parse("Box { \x7F }\nBox size 2");
    EXPECT_THAT(result.entries,
                ElementsAre("error in line 1 at position 7: \nBox { \x7F }\n      ^unexpected character #127",
                            "error in line 2 at position 5: \nBox size 2\n    ^expecting '{'"));
    EXPECT_EQ(boxes.at(1).size, 2);
}

TEST_F(ParserTest, TheCallbackSeesEveryErrorAndTheListStopsAtItsLimit) {
    tParser parser;
    parser.SetSummaryBox(SummaryBox::Suppress);
    std::vector<tParseError> seen;
    parser.SetErrorCallback([&](const tParseError& error) { seen.push_back(error); });
    parser.Register("Box", [this](tParser& p) { ReadBox(p, boxes); });
    std::string text = "Box {\n";
    for (int i = 0; i < 150; ++i) text += "?\n";
    tParseResult result = parser.ParseText(text + "}", "many.LSY", nullptr);
    EXPECT_EQ(result.errorCount, 150u);
    EXPECT_EQ(result.entries.size(), MaxListedErrors);
    ASSERT_EQ(seen.size(), 150u);
    EXPECT_EQ(seen[149].line, 151u);
    EXPECT_EQ(seen[149].column, 1);
    EXPECT_EQ(seen[149].kind, ParseErrorKind::Unexpected);
    EXPECT_EQ(boxesShown.Count(), 0u);
    std::string report = ReadAll(ErrorFile());
    EXPECT_TRUE(report.ends_with("\n50 further errors not listed\n")) << report.substr(report.size() - 60);
}

TEST_F(ParserTest, AFileThatCannotBeOpenedIsAFileError) {
    tParser parser;
    std::string missing = dir.Path("missing.LSY");
    tParseResult result = parser.ParseFile(missing, nullptr);
    EXPECT_FALSE(result.opened);
    EXPECT_FALSE(result.Ok());
    ASSERT_EQ(boxesShown.Count(), 1u);
    EXPECT_EQ(boxesShown.Last().caption, "File Error");
    EXPECT_EQ(boxesShown.Last().text, "error 2 at file \"" + missing + "\"\nNo such file or directory");

    boxesShown.Clear();
    EXPECT_FALSE(parser.ParseFile(dir.Dir(), nullptr).opened);
    ASSERT_EQ(boxesShown.Count(), 1u);
    EXPECT_THAT(boxesShown.Last().text, ::testing::StartsWith("error 21 at file"));
}

}  // namespace
}  // namespace pax
