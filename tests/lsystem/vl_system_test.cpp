#include "lsystem/vl_system.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <tuple>

#include "lsystem/parser.h"

namespace pax {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::EndsWith;

struct Read {
    std::vector<tVLSystem> nodes;
    tParseResult result;
};

// Reads text with the LSystem reader; only the returned entries are looked at, so the error
// file may go to the shared temporary directory.
Read Parse(const std::string& text) {
    Read read;
    tParser parser;
    parser.SetSummaryBox(SummaryBox::Suppress);
    parser.SetErrorDirectory(fs::temp_directory_path().string());
    RegisterVLSystem(parser, [&read](tVLSystem&& node) { read.nodes.push_back(std::move(node)); });
    read.result = parser.ParseText(text, "test.LSY", nullptr);
    return read;
}

tVLSystem ParseOne(const std::string& text) {
    Read read = Parse(text);
    EXPECT_EQ(read.nodes.size(), 1u) << text;
    EXPECT_TRUE(read.result.entries.empty()) << read.result.entries.at(0);
    return read.nodes.empty() ? tVLSystem{} : read.nodes[0];
}

// The example file with comments added: each stays with its field or becomes a comment line.
TEST(VLSystem, TheExampleFileReadsEveryFieldAndItsComments) {
    tVLSystem node = ParseOne(
        "#VRML V1.0 ascii\nLSystem # before\n{  # example\nname \"fig1\"   # the name\n# between\ninfo \"info1\"\n"
        "link 'http://x.org/a b'\nangle 30 # turn\nsegments 12 # kept\nstep 100\nthickness 2.6\nfactor 0.8\ndeep 2\n"
        "colors []\nname # in place of the value\naxiom \"A\"\nrules # the rules\n[ \"A=AF\" , \"B=B+\" ] # after\n}\n");
    tVLSystem expected;
    expected.comments = {"# before", "# example", "# between", "# kept", "# in place of the value", "# after"};
    expected.name = "fig1";
    expected.info = "info1";
    expected.link = "http://x.org/a b";
    expected.thickness = 2.6L;  // rounded only when the system is selected
    expected.factor = 0.8L;
    expected.deep = 2;
    expected.axiom = "A";
    expected.rules = {"A=AF", "B=B+"};
    expected.Comment(VLField::Name) = "# the name";
    expected.Comment(VLField::Angle) = "# turn";
    expected.Comment(VLField::Rules) = "# the rules";
    EXPECT_EQ(node, expected);
}

// Each case's node, with name a, axiom F and rule F around the fields given, is kept with the
// values read and the defaults of the fields not given.
TEST(VLSystem, SegmentsReplaceTheAngleAndBadValuesAreReported) {
    struct Case {
        const char* fields;
        Extended angle;
        Extended step;
        std::vector<std::string> markers;
    };
    const Case cases[] = {
        {"segments 8 angle 10", 45, 100, {}},
        {"angle 10 segments 8", 45, 100, {}},
        {"angle 10 segments 12", 10, 100, {}},
        {"angle 10 segments 0", 10, 100, {"^value less than 1 '0'"}},  // never divided by 0
        {"segments 2000", 0.18L, 100, {"^value larger than 1000 '2000'"}},
        {"angle 10 segments x", 10, 100, {"^expecting integer value"}},   // one error for one bad value
        {"step 0.3", 30, 0.3L, {"^value less than 0.5 '0.3'"}},
        {"step 2500", 30, 2500, {"^value larger than 2000 '2500'"}},
        {"step big", 30, 0.5L, {"^expecting float value"}},   // the nearer bound
        {"info 7", 30, 100, {"^expecting text"}},
        {"segments 2.5 step 'x'", 30, 0.5L, {"^expecting integer value", "^expecting float value"}},
        // A missing value leaves the next field to be read.
        {"step axiom G", 30, 0.5L, {"^expecting float value"}},
        {"wrong 12", 30, 100, {"^unexpected 'wrong'", "^unexpected '12'"}},
        {"Angle 10", 30, 100, {"^unexpected 'Angle'", "^unexpected '10'"}},   // keywords are case-sensitive
    };
    for (const Case& c : cases) {
        Read read = Parse(std::string("LSystem { name a ") + c.fields + " axiom F rules F }");
        ASSERT_EQ(read.nodes.size(), 1u);
        const tVLSystem& node = read.nodes[0];
        EXPECT_EQ(std::tie(node.angle, node.step), std::tie(c.angle, c.step)) << c.fields;
        EXPECT_EQ(std::tie(node.factor, node.thickness, node.deep), std::make_tuple(1.0L, 1.0L, 3)) << c.fields;
        EXPECT_EQ(node.axiom, "F") << c.fields;
        ASSERT_EQ(read.result.entries.size(), c.markers.size()) << c.fields;
        for (size_t i = 0; i < c.markers.size(); ++i) EXPECT_THAT(read.result.entries[i], EndsWith(c.markers[i]));
    }
}

TEST(VLSystem, RulesReadWithAndWithoutBracketsAndCommas) {
    EXPECT_THAT(ParseOne("LSystem { name a axiom F rules \"F=FF\" \"G=F\" }").rules, ElementsAre("F=FF", "G=F"));
    EXPECT_THAT(ParseOne("LSystem { name a axiom F rules [ \"F=FF\", \"G=F\" , ] }").rules, ElementsAre("F=FF", "G=F"));
    EXPECT_THAT(ParseOne("LSystem { name a rules \"F=FF\",\n 'G=F' axiom F }").rules, ElementsAre("F=FF", "G=F"));
    // Without brackets a bare field keyword ends the list; within them everything is a rule.
    tVLSystem node = ParseOne("LSystem { name a rules F axiom G }");
    EXPECT_THAT(node.rules, ElementsAre("F"));
    EXPECT_EQ(node.axiom, "G");
    EXPECT_THAT(ParseOne("LSystem { name a axiom F rules [ F axiom # note\n ] }").rules,
                ElementsAre("F", "axiom", "# note"));
    // Without brackets too a comment between rules is one; after the last it stays a comment.
    node = ParseOne("LSystem { name a axiom F rules \"F=FF\" # grows\n# twice\n\"G=F\" # last\n# node\n}");
    EXPECT_THAT(node.rules, ElementsAre("F=FF", "# grows", "# twice", "G=F"));
    EXPECT_EQ(node.Comment(VLField::Rules), "# last");
    EXPECT_THAT(node.comments, ElementsAre("# node"));
    // An unclosed quote takes the rest of the line, comment included.
    EXPECT_THAT(ParseOne("LSystem { name a axiom F rules [\n\"F=F+F  # grows\n] }").rules, ElementsAre("F=F+F  # grows"));
}

TEST(VLSystem, MissingPartsAreReportedAndTheNodesKept) {
    struct Case {
        const char* text;
        std::vector<std::string> names;
        std::vector<std::string> entries;
    };
    const Case cases[] = {
        {"LSystem {\n  name a\n  axiom F\n}\nLSystem { }", {"a", ""},
         {"error in line 4 at position 1: \n}\n^expecting rules of LSystem", "^expecting name of LSystem",
          "^expecting axiom of LSystem", "^expecting rules of LSystem"}},
        // A missing brace ends the node where the next one begins.
        {"LSystem { name a axiom F rules [ F ]\nLSystem { name b axiom G rules G }", {"a", "b"},
         {"error in line 2 at position 1: \nLSystem { name b axiom G rules G }\n^expecting '}'"}},
        {"LSystem {", {""},
         {"error in line 1 at position 10: \nLSystem {\n         ^unexpected end ''", "name of LSystem",
          "axiom of LSystem", "rules of LSystem"}},
    };
    for (const Case& c : cases) {
        Read read = Parse(c.text);
        std::vector<std::string> names;
        for (const tVLSystem& node : read.nodes) names.push_back(node.name);
        EXPECT_EQ(names, c.names) << c.text;
        ASSERT_EQ(read.result.entries.size(), c.entries.size()) << c.text;
        for (size_t i = 0; i < c.entries.size(); ++i) EXPECT_THAT(read.result.entries[i], EndsWith(c.entries[i]));
    }
}

TEST(VLSystem, TheWriterLaysOutANodeExactly) {
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
    EXPECT_EQ(VLSystemText(node, 2),
              "\n"
              "LSystem\n"
              "  { # the snowflake curve\n"
              "    name Koch                      # von Koch, 1904\n"
              "    info \"snowflake curve\"\n"
              "    angle 60\n"
              "    factor 0.5\n"
              "    deep 4                         # generations\n"
              "    colors\n"
              "    [ 1 0 0\n"
              "      0 0.5 1\n"
              "      0.25\n"
              "    ]\n"
              "    axiom \"F++F++F\"\n"
              "    rules\n"
              "    [ \"F=F-F++F-F\"\n"
              "      'X=\"Y\"'\n"
              "    ]\n"
              "  }\n");
}

// The shortest float form of a round integer ("4e+05") would read back as no integer.
TEST(VLSystem, IntegerFieldsAreWrittenAsIntegers) {
    for (int32_t deep : {400000, 100000, -2000000, 2147483647, -2147483647 - 1}) {
        tVLSystem node;
        node.name = "a";
        node.axiom = "F";
        node.rules = {"F=FF"};
        node.deep = deep;
        const std::string text = VLSystemText(node, 0);
        EXPECT_NE(text.find("deep " + std::to_string(deep) + "\n"), std::string::npos) << text;
        EXPECT_EQ(ParseOne(text).deep, deep) << text;
    }
}

TEST(VLSystem, TextsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(QuotedText("Koch_curve"), "Koch_curve");
    EXPECT_EQ(QuotedText("fig1"), "\"fig1\"");
    EXPECT_EQ(QuotedText(""), "\"\"");
    EXPECT_EQ(QuotedText("it's"), "\"it's\"");
    // Both quote characters cannot be written: the double quotes become apostrophes.
    EXPECT_EQ(QuotedText("F'\"G"), "\"F''G\"");
    EXPECT_EQ(QuotedText("a\tb\nc"), "\"a bc\"");
}

// A node of random texts, numbers, comments and defaults.
tVLSystem RandomNode(std::mt19937& random) {
    auto text = [&](size_t maxLength, std::string_view alphabet) {
        std::string t(std::uniform_int_distribution<size_t>(0, maxLength)(random), ' ');
        for (char& c : t) c = alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(random)];
        return t;
    };
    // One quote character at most: a text with both cannot be written as it is.
    auto ruleText = [&] {
        std::string t = text(80, "ABFXfx+-[]|&^\\/!'\"=:#{}, 0123456789.<>()");
        if (t.find('"') != std::string::npos) std::erase(t, '\'');
        return t;
    };
    constexpr std::string_view CommentChars = "abc #'\"{}[]=-0123456789";
    std::bernoulli_distribution often(0.7);
    std::uniform_real_distribution<double> real(-500, 500);
    tVLSystem node;
    for (int i = 0; i < 3; ++i)
        if (!often(random)) node.comments.push_back("#" + text(70, CommentChars));
    node.name = often(random) ? text(20, "ABCFXYZabfxyz_") : ruleText();
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
    for (int i = std::uniform_int_distribution<int>(0, 6)(random); i > 0; --i) node.rules.push_back(ruleText());
    for (std::string& comment : node.fieldComments) comment = often(random) ? "" : "#" + text(60, CommentChars);
    node.Comment(VLField::Segments).clear();  // never written
    return node;
}

TEST(VLSystem, RandomNodesSurviveWritingAndReading) {
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

}  // namespace
}  // namespace pax
