#include "lsystem/parser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "support/scripted_presenter.h"

namespace pax {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

// A node type of the tests: Box { size 1.5 count 3 label "x" }.
struct Box {
    Extended size = 1;
    int32_t count = 0;
    std::string label;
};

void ReadBox(tParser& p, std::vector<Box>& boxes) {
    Box box;
    p.Expect('{');
    while (!p.AtEnd() && !p.Token().IsChar('}')) {
        if (p.Keyword("size")) {
            p.ReadFloatInRange(box.size, 0.5L, 2000);
        } else if (p.Keyword("count")) {
            p.ReadLongMax(box.count, 10);
        } else if (p.Keyword("label")) {
            p.ReadText(box.label);
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
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "pax3d_parser_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        SetParseErrorDirectory(m_dir);
    }
    void TearDown() override {
        SetParseErrorDirectory({});
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    tParseResult Parse(const std::string& text) {
        tParser parser;
        parser.Register("Box", [this](tParser& p) { ReadBox(p, boxes); });
        return parser.ParseText(text, "boxes.LSY", [this](const tToken&, std::string_view source) {
            items.emplace_back(source);
        });
    }

    std::string ErrorFile() const { return m_dir + "/ParseErrors.tmp"; }

    testing::ScopedPresenter boxesShown;
    std::vector<Box> boxes;
    std::vector<std::string> items;
    std::string m_dir;
};

TEST_F(ParserTest, EmptyInputReadsNothingAndReportsNothing) {
    tParseResult result = Parse("");
    EXPECT_TRUE(result.Ok());
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(boxesShown.Count(), 0u);
    EXPECT_FALSE(fs::exists(ErrorFile()));
}

TEST_F(ParserTest, FileLevelTokensAreHandedOnAsWrittenWithoutError) {
    tParseResult result = Parse("#VRML V1.0 ascii\n# only comments\nstray 'quoted' 1.50 ;\n");
    EXPECT_TRUE(result.Ok());
    EXPECT_THAT(items, ::testing::ElementsAre("#VRML V1.0 ascii", "# only comments", "stray", "'quoted'", "1.50", ";"));
    EXPECT_EQ(boxesShown.Count(), 0u);
}

TEST_F(ParserTest, KeywordsStartTheirNodeTypesAndAreCaseSensitive) {
    tParseResult result = Parse("box Box { size 3 count 2 label \"lid\" }\n'Box' {}");
    EXPECT_TRUE(result.Ok());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].size, 3);
    EXPECT_EQ(boxes[0].count, 2);
    EXPECT_EQ(boxes[0].label, "lid");
    EXPECT_THAT(items, ::testing::ElementsAre("box"));
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
    // The nodes read around the errors are kept, with the values read.
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].size, 1.2L);
    EXPECT_EQ(boxes[0].count, 11);
}

TEST_F(ParserTest, TheErrorFileIsOverwrittenAtTheFirstErrorOnly) {
    { std::ofstream(ErrorFile()) << "old report"; }
    Parse("Box { size 5 }");
    EXPECT_EQ(ReadAll(ErrorFile()), "old report");
    Parse("Box { ? }");
    EXPECT_EQ(ReadAll(ErrorFile()), "\nerror in line 1 at position 7: \nBox { ? }\n      ^unexpected '?'\n");
}

TEST_F(ParserTest, ValueReadersReportTheExpectedKindAndGiveTheNearestValue) {
    tParseResult result = Parse("Box { size abc count 2.5 label 7 }");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].size, 0.5L);   // 0 lies below the range
    EXPECT_EQ(boxes[0].count, 0);
    EXPECT_THAT(result.entries, ::testing::ElementsAre(::testing::EndsWith("^expecting float value"),
                                                       ::testing::EndsWith("^unexpected 'abc'"),
                                                       ::testing::EndsWith("^expecting integer value"),
                                                       ::testing::EndsWith("^unexpected '2.5'"),
                                                       ::testing::EndsWith("^expecting text"),
                                                       ::testing::EndsWith("^unexpected '7'")));
}

TEST_F(ParserTest, RangeErrorsKeepTheValueAndNameTheBound) {
    tParseResult result = Parse("Box { size 0.3 }\nBox { size 2500 }");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].size, 0.3L);
    EXPECT_EQ(boxes[1].size, 2500);
    EXPECT_THAT(result.entries, ::testing::ElementsAre(::testing::EndsWith("^value less than 0.5 '0.3'"),
                                                       ::testing::EndsWith("^value larger than 2000 '2500'")));
}

TEST_F(ParserTest, MarkersNameAControlCharacterByItsCodeAndAnExpectedCharacter) {
    tParseResult result = Parse("Box { \x7F }\nBox size 2");
    EXPECT_THAT(result.entries,
                ::testing::ElementsAre("error in line 1 at position 7: \nBox { \x7F }\n      ^unexpected character #127",
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
    std::string missing = m_dir + "/missing.LSY";
    tParseResult result = parser.ParseFile(missing, nullptr);
    EXPECT_FALSE(result.opened);
    EXPECT_FALSE(result.Ok());
    ASSERT_EQ(boxesShown.Count(), 1u);
    EXPECT_EQ(boxesShown.Last().caption, "File Error");
    EXPECT_EQ(boxesShown.Last().text, "error 2 at file \"" + missing + "\"\nNo such file or directory");

    boxesShown.Clear();
    EXPECT_FALSE(parser.ParseFile(m_dir, nullptr).opened);
    ASSERT_EQ(boxesShown.Count(), 1u);
    EXPECT_THAT(boxesShown.Last().text, ::testing::StartsWith("error 21 at file"));
}

}  // namespace
}  // namespace pax
