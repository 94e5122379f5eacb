#include "lsystem/vl_system.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <unistd.h>

#include "lsystem/parser.h"
#include "support/scripted_presenter.h"

namespace pax {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::EndsWith;

struct Read {
    std::vector<tVLSystem> nodes;
    tParseResult result;
};

// Reads text with the LSystem reader; the error file goes to a directory of this process.
class VLSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "pax3d_vlsystem_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        SetParseErrorDirectory(m_dir);
    }
    void TearDown() override {
        SetParseErrorDirectory({});
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    static Read Parse(const std::string& text) {
        Read read;
        tParser parser;
        parser.SetSummaryBox(SummaryBox::Suppress);
        RegisterVLSystem(parser, [&read](tVLSystem&& node) { read.nodes.push_back(std::move(node)); });
        read.result = parser.ParseText(text, "test.LSY", nullptr);
        return read;
    }

    static tVLSystem ParseOne(const std::string& text) {
        Read read = Parse(text);
        EXPECT_EQ(read.nodes.size(), 1u) << text;
        EXPECT_TRUE(read.result.entries.empty()) << read.result.entries.at(0);
        return read.nodes.empty() ? tVLSystem{} : read.nodes[0];
    }

    std::string m_dir;
};

TEST_F(VLSystemTest, ANodeWithOnlyNameAxiomAndRulesHasTheDefaults) {
    tVLSystem node = ParseOne("LSystem { name plant axiom X rules [ \"X=F[+X]-X\" ] }");
    EXPECT_EQ(node.name, "plant");
    EXPECT_EQ(node.axiom, "X");
    EXPECT_THAT(node.rules, ElementsAre("X=F[+X]-X"));
    EXPECT_EQ(node.angle, 30);
    EXPECT_EQ(node.step, 100);
    EXPECT_EQ(node.factor, 1);
    EXPECT_EQ(node.thickness, 1);
    EXPECT_EQ(node.deep, 3);
    EXPECT_TRUE(node.colors.empty());
    EXPECT_TRUE(node.info.empty());
    EXPECT_TRUE(node.link.empty());
}

TEST_F(VLSystemTest, TheExampleFileReadsEveryField) {
    Read read = Parse(
        "#VRML V1.0 ascii\nLSystem {  # example\nname \"fig1\"\ninfo \"info1\"\nlink 'http://x.org/a b'\n"
        "angle 30\nstep 100\nthickness 2.6\nfactor 0.8\ndeep 2\ncolors []\naxiom \"A\"\nrules [ \"A=AF\" , \"B=B+\" ]\n}\n");
    EXPECT_TRUE(read.result.Ok());
    ASSERT_EQ(read.nodes.size(), 1u);
    const tVLSystem& node = read.nodes[0];
    EXPECT_THAT(node.comments, ElementsAre("# example"));
    EXPECT_EQ(node.name, "fig1");
    EXPECT_EQ(node.info, "info1");
    EXPECT_EQ(node.link, "http://x.org/a b");
    EXPECT_EQ(node.factor, 0.8L);
    EXPECT_EQ(node.thickness, 2.6L);  // rounded only when the system is selected
    EXPECT_EQ(node.deep, 2);
    EXPECT_THAT(node.rules, ElementsAre("A=AF", "B=B+"));
}

TEST_F(VLSystemTest, SegmentsOtherThan12ReplaceTheAngle) {
    EXPECT_EQ(ParseOne("LSystem { name a segments 8 angle 10 axiom F rules F }").angle, 45);
    EXPECT_EQ(ParseOne("LSystem { name a angle 10 segments 8 axiom F rules F }").angle, 45);
    EXPECT_EQ(ParseOne("LSystem { name a angle 10 segments 12 axiom F rules F }").angle, 10);
    EXPECT_EQ(ParseOne("LSystem { name a segments 7 axiom F rules F }").angle, 360.0L / 7);
}

TEST_F(VLSystemTest, SegmentsOutOfRangeAreReportedAndNeverDivideByZero) {
    Read zero = Parse("LSystem { name a angle 10 segments 0 axiom F rules F }");
    EXPECT_EQ(zero.nodes.at(0).angle, 10);
    EXPECT_THAT(zero.result.entries, ElementsAre(EndsWith("^value less than 1 '0'")));
    Read many = Parse("LSystem { name a segments 2000 axiom F rules F }");
    EXPECT_EQ(many.nodes.at(0).angle, 0.18L);
    EXPECT_THAT(many.result.entries, ElementsAre(EndsWith("^value larger than 1000 '2000'")));
    Read word = Parse("LSystem { name a angle 10 segments x axiom F rules F }");
    EXPECT_EQ(word.nodes.at(0).angle, 10);
    EXPECT_THAT(word.result.entries, ElementsAre(EndsWith("^expecting integer value"), EndsWith("^unexpected 'x'")));
}

TEST_F(VLSystemTest, RulesReadWithAndWithoutBracketsAndCommas) {
    EXPECT_THAT(ParseOne("LSystem { name a axiom F rules \"F=FF\" \"G=F\" }").rules, ElementsAre("F=FF", "G=F"));
    EXPECT_THAT(ParseOne("LSystem { name a axiom F rules [ \"F=FF\", \"G=F\" , ] }").rules, ElementsAre("F=FF", "G=F"));
    EXPECT_THAT(ParseOne("LSystem { name a rules \"F=FF\",\n 'G=F' axiom F }").rules, ElementsAre("F=FF", "G=F"));
    // Without brackets a bare field keyword ends the list; within them everything is a rule.
    tVLSystem node = ParseOne("LSystem { name a rules F axiom G }");
    EXPECT_THAT(node.rules, ElementsAre("F"));
    EXPECT_EQ(node.axiom, "G");
    EXPECT_THAT(ParseOne("LSystem { name a axiom F rules [ F axiom # note\n ] }").rules,
                ElementsAre("F", "axiom", "# note"));
}

TEST_F(VLSystemTest, MissingItemsAreReportedAtTheClosingBrace) {
    Read read = Parse("LSystem {\n  name a\n  axiom F\n}\nLSystem { }");
    ASSERT_EQ(read.nodes.size(), 2u);
    EXPECT_THAT(read.result.entries,
                ElementsAre("error in line 4 at position 1: \n}\n^expecting rules of LSystem",
                            EndsWith("^expecting name of LSystem"), EndsWith("^expecting axiom of LSystem"),
                            EndsWith("^expecting rules of LSystem")));
}

TEST_F(VLSystemTest, AnUnclosedQuoteInARuleTakesTheRestOfTheLine) {
    tVLSystem node = ParseOne("LSystem { name a axiom F rules [\n\"F=F+F  # grows\n] }");
    EXPECT_THAT(node.rules, ElementsAre("F=F+F  # grows"));
}

TEST_F(VLSystemTest, StepIsCheckedAndKept) {
    Read low = Parse("LSystem { name a step 0.3 axiom F rules F }");
    EXPECT_EQ(low.nodes.at(0).step, 0.3L);
    EXPECT_THAT(low.result.entries, ElementsAre(EndsWith("^value less than 0.5 '0.3'")));
    Read word = Parse("LSystem { name a step big axiom F rules F }");
    EXPECT_EQ(word.nodes.at(0).step, 0.5L);
    EXPECT_EQ(word.result.errorCount, 2u);
}

TEST_F(VLSystemTest, CommentsStayWithTheirFieldOrBecomeCommentLines) {
    tVLSystem node = ParseOne(
        "LSystem # before\n{ # first\n  name a   # the name\n# between\n  angle 20 # turn\n  segments 12 # kept\n"
        "  name # in place of the value\n  axiom F\n  rules # the rules\n  [ F ] # after\n}");
    EXPECT_EQ(node.name, "a");
    EXPECT_EQ(node.Comment(VLField::Name), "# the name");
    EXPECT_EQ(node.Comment(VLField::Angle), "# turn");
    EXPECT_EQ(node.Comment(VLField::Rules), "# the rules");
    EXPECT_THAT(node.comments, ElementsAre("# before", "# first", "# between", "# kept",
                                           "# in place of the value", "# after"));
}

TEST_F(VLSystemTest, UnknownTokensAreSkippedAndTheRestIsRead) {
    Read read = Parse("LSystem { name a wrong 12 axiom F rules F }");
    EXPECT_EQ(read.nodes.at(0).axiom, "F");
    EXPECT_THAT(read.result.entries, ElementsAre(EndsWith("^unexpected 'wrong'"), EndsWith("^unexpected '12'")));
}

TEST_F(VLSystemTest, AMissingBraceEndsTheNodeAtTheNextKeyword) {
    Read read = Parse("LSystem { name a axiom F rules [ F ]\nLSystem { name b axiom G rules G }");
    ASSERT_EQ(read.nodes.size(), 2u);
    EXPECT_EQ(read.nodes[0].name, "a");
    EXPECT_EQ(read.nodes[1].name, "b");
    EXPECT_THAT(read.result.entries, ElementsAre("error in line 2 at position 1: \nLSystem { name b axiom G rules G }\n^expecting '}'"));
}

TEST_F(VLSystemTest, AnOpenNodeAtTheEndIsKeptAndReported) {
    Read read = Parse("LSystem {");
    ASSERT_EQ(read.nodes.size(), 1u);
    EXPECT_THAT(read.result.entries,
                ElementsAre("error in line 1 at position 10: \nLSystem {\n         ^unexpected end ''",
                            EndsWith("name of LSystem"), EndsWith("axiom of LSystem"), EndsWith("rules of LSystem")));
}

tVLSystem GoldenNode() {
    tVLSystem node;
    node.comments = {"# the snowflake curve"};
    node.name = "Koch";
    node.Comment(VLField::Name) = "# von Koch, 1904";
    node.info = "snowflake curve";
    node.angle = 60;
    node.factor = 0.5L;
    node.deep = 4;
    node.Comment(VLField::Deep) = "# generations";
    node.colors = {1, 0, 0, 0, 0.5L, 1, 0.25L};
    node.axiom = "F++F++F";
    node.rules = {"F=F-F++F-F", "X=\"Y\""};
    return node;
}

TEST_F(VLSystemTest, TheWriterLaysOutANodeExactly) {
    EXPECT_EQ(VLSystemText(GoldenNode(), 0),
              "\n"
              "LSystem\n"
              "{ # the snowflake curve\n"
              "  name Koch                        # von Koch, 1904\n"
              "  info \"snowflake curve\"\n"
              "  angle 60\n"
              "  factor 0.5\n"
              "  deep 4                           # generations\n"
              "  colors\n"
              "  [ 1 0 0\n"
              "    0 0.5 1\n"
              "    0.25\n"
              "  ]\n"
              "  axiom \"F++F++F\"\n"
              "  rules\n"
              "  [ \"F=F-F++F-F\"\n"
              "    'X=\"Y\"'\n"
              "  ]\n"
              "}\n");
    tVLSystem small;
    small.name = "tree_A";
    small.step = 12.5L;
    small.Comment(VLField::Step) = "# length";
    EXPECT_EQ(VLSystemText(small, 4),
              "\nLSystem\n"
              "    { name tree_A\n"
              "      step 12.5                    # length\n"
              "    }\n");
    EXPECT_EQ(VLSystemText(tVLSystem{}, 0), "\nLSystem\n{\n}\n");
}

TEST_F(VLSystemTest, TextsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(QuotedText("Koch_curve"), "Koch_curve");
    EXPECT_EQ(QuotedText("fig1"), "\"fig1\"");
    EXPECT_EQ(QuotedText(""), "\"\"");
    EXPECT_EQ(QuotedText("say \"hi\""), "'say \"hi\"'");
    EXPECT_EQ(QuotedText("it's"), "\"it's\"");
    // Both quote characters cannot be written: the double quotes become apostrophes.
    EXPECT_EQ(QuotedText("F'\"G"), "\"F''G\"");
    EXPECT_EQ(QuotedText("a\tb\nc"), "\"a bc\"");
}

TEST_F(VLSystemTest, AWrittenNodeReadsBackEqual) {
    tVLSystem golden = GoldenNode();
    Read read = Parse(VLSystemText(golden, 2));
    ASSERT_EQ(read.nodes.size(), 1u);
    EXPECT_TRUE(read.result.Ok());
    EXPECT_EQ(read.nodes[0], golden);
}

std::string RandomText(std::mt19937& random, size_t maxLength, std::string_view alphabet) {
    std::uniform_int_distribution<size_t> length(0, maxLength);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::string text(length(random), ' ');
    for (char& c : text) c = alphabet[pick(random)];
    return text;
}

tVLSystem RandomNode(std::mt19937& random) {
    constexpr std::string_view Letters = "ABCFXYZabfxyz_";
    constexpr std::string_view RuleChars = "ABFXfx+-[]|&^\\/!'\"=:#{}, 0123456789.<>()";
    constexpr std::string_view CommentChars = "abc #'\"{}[]=-0123456789";
    std::bernoulli_distribution often(0.7);
    std::uniform_real_distribution<double> real(-500, 500);
    tVLSystem node;
    auto comment = [&] { return often(random) ? std::string() : "#" + RandomText(random, 60, CommentChars); };
    auto ruleText = [&] {
        std::string text = RandomText(random, 80, RuleChars);
        // One quote character at most: a text with both cannot be written as it is.
        if (text.find('"') != std::string::npos) std::erase(text, '\'');
        return text;
    };
    for (int i = 0; i < 3; ++i)
        if (!often(random)) node.comments.push_back("#" + RandomText(random, 70, CommentChars));
    node.name = often(random) ? RandomText(random, 20, Letters) : ruleText();
    node.info = ruleText();
    node.link = often(random) ? "" : ruleText();
    if (!often(random)) node.angle = real(random);
    if (!often(random)) node.step = std::abs(real(random)) + 0.5L;
    if (!often(random)) node.thickness = real(random) / 100;
    if (!often(random)) node.factor = real(random) / 1000;
    if (!often(random)) node.deep = static_cast<int32_t>(real(random));
    if (!often(random))
        for (int i = 0; i < 7; ++i) node.colors.push_back(real(random) / 500);
    node.axiom = ruleText();
    std::uniform_int_distribution<int> ruleCount(0, 6);
    for (int i = ruleCount(random); i > 0; --i) node.rules.push_back(ruleText());
    for (std::string& fieldComment : node.fieldComments) fieldComment = comment();
    node.Comment(VLField::Segments).clear();  // never written
    return node;
}

TEST_F(VLSystemTest, RandomNodesSurviveWritingAndReading) {
    std::mt19937 random(4242);
    for (int i = 0; i < 300; ++i) {
        std::vector<tVLSystem> nodes = {RandomNode(random), RandomNode(random)};
        std::string text = "#VRML V1.0 ascii\n" + VLSystemText(nodes[0], 0) + VLSystemText(nodes[1], i % 5);
        Read read = Parse(text);
        ASSERT_EQ(read.nodes.size(), 2u) << text;
        EXPECT_EQ(read.nodes[0], nodes[0]) << text;
        EXPECT_EQ(read.nodes[1], nodes[1]) << text;
    }
}

TEST_F(VLSystemTest, ConversionToADefinitionCopiesTheFieldsAndAtMost41Rules) {
    tVLSystem node = GoldenNode();
    node.step = 0;
    node.factor = 0;
    node.thickness = 2.6L;
    node.link = "http://example.org";
    for (int i = 0; i < 50; ++i) node.rules.push_back("R=" + std::to_string(i));
    tLSDef def = ToLSDef(node);
    EXPECT_EQ(def.name, "Koch");
    EXPECT_EQ(def.info, "snowflake curve");
    EXPECT_EQ(def.link, "http://example.org");
    EXPECT_EQ(def.angle, 60);
    EXPECT_EQ(def.step, 0);
    EXPECT_EQ(def.factor, 0);
    EXPECT_EQ(def.thickness, 2.6L);
    EXPECT_EQ(def.deep, 4);
    EXPECT_EQ(def.axiom, "F++F++F");
    ASSERT_EQ(def.rules.size(), MaxUsedRules);
    EXPECT_EQ(def.rules[0], "F=F-F++F-F");
    EXPECT_EQ(def.rules[40], "R=38");

    tVLSystem back = ToVLSystem(def);
    EXPECT_EQ(back.step, 100);  // 0 stands for 100 in a definition
    EXPECT_EQ(back.factor, 1);
    EXPECT_EQ(back.rules, def.rules);
    EXPECT_EQ(back.name, node.name);
    EXPECT_EQ(back.angle, node.angle);
    EXPECT_TRUE(back.comments.empty());
    EXPECT_EQ(ToLSDef(ToVLSystem(def)).rules, def.rules);
}

}  // namespace
}  // namespace pax
