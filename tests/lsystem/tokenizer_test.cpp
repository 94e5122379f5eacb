#include "lsystem/tokenizer.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <sstream>
#include <vector>

namespace pax {
namespace {

struct LexError {
    ParseErrorKind kind;
    uint16_t column;
    std::string offending;
    uint32_t line;
};

// Every token of text up to the end, and every fault the tokenizer reported.
struct Lexed {
    std::vector<tToken> tokens;
    std::vector<LexError> errors;
};

Lexed Lex(const std::string& text) {
    Lexed result;
    tTokenizer* self = nullptr;
    tTokenizer tokenizer(std::make_unique<std::istringstream>(text),
                         [&](ParseErrorKind kind, uint16_t column, std::string_view offending) {
                             result.errors.push_back({kind, column, std::string(offending), self->LineNumber()});
                         });
    self = &tokenizer;
    for (int guard = 0; guard < 10000; ++guard) {
        const tToken& token = tokenizer.Next();
        if (token.kind == TokenKind::End) break;
        result.tokens.push_back(token);
    }
    return result;
}

TEST(Tokenizer, CutsANodeIntoTypedTokensWithLinesAndColumns) {
    Lexed lexed = Lex("LSystem {  # example\n  name \"fig1\"\nangle 30 step 2.5 ,\n}");
    ASSERT_EQ(lexed.tokens.size(), 11u);
    EXPECT_TRUE(lexed.errors.empty());
    struct Expected {
        TokenKind kind;
        const char* text;
        uint32_t line;
        uint16_t column;
    };
    // Leading blanks are skipped: columns count from the first character of the line.
    const Expected expected[] = {
        {TokenKind::Text, "LSystem", 1, 1}, {TokenKind::Char, "{", 1, 9},      {TokenKind::Comment, "# example", 1, 12},
        {TokenKind::Text, "name", 2, 1},    {TokenKind::Text, "fig1", 2, 6},   {TokenKind::Text, "angle", 3, 1},
        {TokenKind::Integer, "30", 3, 7},   {TokenKind::Text, "step", 3, 10},  {TokenKind::Float, "2.5", 3, 15},
        {TokenKind::Char, ",", 3, 19},      {TokenKind::Char, "}", 4, 1}};
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(lexed.tokens[i].kind, expected[i].kind) << i;
        EXPECT_EQ(lexed.tokens[i].text, expected[i].text) << i;
        EXPECT_EQ(lexed.tokens[i].line, expected[i].line) << i;
        EXPECT_EQ(lexed.tokens[i].column, expected[i].column) << i;
    }
    EXPECT_TRUE(lexed.tokens[4].quoted);
    EXPECT_EQ(lexed.tokens[1].ch, '{');
    EXPECT_EQ(lexed.tokens[8].floatValue, 2.5L);
}

TEST(Tokenizer, EndComesAgainAndKeepsTheLastLine) {
    tTokenizer tokenizer(std::make_unique<std::istringstream>("a"), nullptr);
    EXPECT_EQ(tokenizer.Next().kind, TokenKind::Text);
    EXPECT_TRUE(tokenizer.Ok());
    EXPECT_EQ(tokenizer.Next().kind, TokenKind::End);
    EXPECT_EQ(tokenizer.Next().kind, TokenKind::End);
    EXPECT_FALSE(tokenizer.Ok());
    EXPECT_EQ(tokenizer.LineText(), "a");
    EXPECT_TRUE(Lex("\n\n   \t\n").tokens.empty());
}

TEST(Tokenizer, NumbersFollowTheirSyntax) {
    struct Case {
        const char* text;
        TokenKind kind;
        long double value;
    };
    const Case cases[] = {
        {"0x1F", TokenKind::Integer, 31},     {"0xff", TokenKind::Integer, 255},
        {"-0x10", TokenKind::Integer, -16},   {".5", TokenKind::Float, 0.5L},
        {"5.", TokenKind::Float, 5},          {"-5", TokenKind::Integer, -5},
        {"+7", TokenKind::Integer, 7},        {"1e3", TokenKind::Float, 1000},
        {"2.5E-1", TokenKind::Float, 0.25L},  {"1e+2", TokenKind::Float, 100},
        {"2147483647", TokenKind::Integer, 2147483647},
        // Integers that do not fit into 32 bits are read as floats.
        {"3000000000", TokenKind::Float, 3000000000.0L},
        {"0xFFFFFFFF", TokenKind::Float, 4294967295.0L},
        {"1e-99999", TokenKind::Float, 0},
    };
    for (const Case& c : cases) {
        Lexed lexed = Lex(c.text);
        ASSERT_EQ(lexed.tokens.size(), 1u) << c.text;
        EXPECT_EQ(lexed.tokens[0].kind, c.kind) << c.text;
        EXPECT_EQ(lexed.tokens[0].floatValue, c.value) << c.text;
        EXPECT_EQ(lexed.tokens[0].text, c.text);
        if (c.kind == TokenKind::Integer) {
            EXPECT_EQ(lexed.tokens[0].intValue, static_cast<int32_t>(c.value));
        }
        EXPECT_TRUE(lexed.errors.empty()) << c.text;
    }
}

TEST(Tokenizer, ASignNeedsADigitRightAfterIt) {
    Lexed lexed = Lex("-.5 + 3 -x");
    ASSERT_EQ(lexed.tokens.size(), 6u);
    EXPECT_TRUE(lexed.tokens[0].IsChar('-'));
    EXPECT_EQ(lexed.tokens[1].kind, TokenKind::Float);
    EXPECT_EQ(lexed.tokens[1].floatValue, 0.5L);
    EXPECT_EQ(lexed.tokens[1].column, 2);
    EXPECT_TRUE(lexed.tokens[2].IsChar('+'));
    EXPECT_EQ(lexed.tokens[3].intValue, 3);
    EXPECT_TRUE(lexed.tokens[4].IsChar('-'));
    EXPECT_EQ(lexed.tokens[5].text, "x");
}

TEST(Tokenizer, MalformedNumbersAreReportedAtTheOffendingColumn) {
    struct Case {
        const char* text;
        ParseErrorKind kind;
        uint16_t column;
        const char* token;
    };
    const Case cases[] = {
        {"  1.2.3", ParseErrorKind::BadFloat, 4, "1.2.3"},
        {"1e", ParseErrorKind::BadFloat, 2, "1e"},
        {"7.5E+ ", ParseErrorKind::BadFloat, 4, "7.5E+"},
        {"1e99999", ParseErrorKind::BadFloat, 1, "1e99999"},
        {"0x", ParseErrorKind::BadInteger, 2, "0x"},
    };
    for (const Case& c : cases) {
        Lexed lexed = Lex(c.text);
        ASSERT_EQ(lexed.errors.size(), 1u) << c.text;
        EXPECT_EQ(lexed.errors[0].kind, c.kind) << c.text;
        EXPECT_EQ(lexed.errors[0].column, c.column) << c.text;
        EXPECT_EQ(lexed.errors[0].offending, c.token) << c.text;
        // The malformed constant is one token, so its remains make no further errors.
        ASSERT_EQ(lexed.tokens.size(), 1u) << c.text;
        EXPECT_EQ(lexed.tokens[0].text, c.token);
    }
    EXPECT_EQ(Lex("1.2.3").tokens[0].floatValue, 1.2L);
    EXPECT_EQ(Lex("1e99999").tokens[0].floatValue, 0);
}

TEST(Tokenizer, TextsRunToTheirQuoteOrTheEndOfTheLine) {
    Lexed lexed = Lex("'say \"hi\"' \"it's\"\n\"A=F[+F] # open\nnext");
    ASSERT_EQ(lexed.tokens.size(), 4u);
    EXPECT_EQ(lexed.tokens[0].text, "say \"hi\"");
    EXPECT_EQ(lexed.tokens[1].text, "it's");
    EXPECT_EQ(lexed.tokens[2].text, "A=F[+F] # open");
    EXPECT_TRUE(lexed.tokens[2].quoted);
    EXPECT_EQ(lexed.tokens[3].text, "next");
    EXPECT_EQ(lexed.tokens[3].line, 3u);
    EXPECT_EQ(Lex("\"\"").tokens.at(0).text, "");
}

TEST(Tokenizer, BareWordsAreLettersDigitsAndUnderscores) {
    Lexed lexed = Lex("my_tree2 12abc _x a-b");
    std::vector<std::string> texts;
    for (const tToken& token : lexed.tokens) texts.push_back(token.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"my_tree2", "12", "abc", "_x", "a", "-", "b"}));
    EXPECT_EQ(lexed.tokens[1].kind, TokenKind::Integer);
}

TEST(Tokenizer, LineReadingCountsEveryLineTurnsTabsIntoBlanksAndDropsControls) {
    std::string text = "\"a\tb\"\r\n\n# three\nx\x01y";
    text += std::string("\0z \x7F w", 6);
    Lexed lexed = Lex(text);
    ASSERT_EQ(lexed.tokens.size(), 4u);
    EXPECT_EQ(lexed.tokens[0].text, "a b");
    EXPECT_EQ(lexed.tokens[1].line, 3u);
    EXPECT_EQ(lexed.tokens[2].text, "xyz");
    EXPECT_EQ(lexed.tokens[3].text, "w");
    // Delete is the one control character that reaches the tokenizer.
    ASSERT_EQ(lexed.errors.size(), 1u);
    EXPECT_EQ(lexed.errors[0].kind, ParseErrorKind::Unexpected);
    EXPECT_EQ(lexed.errors[0].column, 5);
    EXPECT_EQ(lexed.errors[0].line, 4u);
    EXPECT_EQ(lexed.errors[0].offending, "\x7F");
}

TEST(Tokenizer, CommentsTextsAndLinesAreCutToTheirCapacities) {
    Lexed comment = Lex("#" + std::string(300, 'c'));
    EXPECT_EQ(comment.tokens.at(0).text.size(), MaxCommentText);
    Lexed text = Lex("\"" + std::string(300, 't') + "\" after");
    EXPECT_EQ(text.tokens.at(0).text.size(), MaxTokenText);
    EXPECT_EQ(text.tokens.at(1).text, "after");
    // A UTF-8 character is never split: 255 two-byte characters fit, the 256th does not.
    std::string umlauts;
    for (int i = 0; i < 300; ++i) umlauts += "\xC3\xA4";
    EXPECT_EQ(Lex("'" + umlauts + "'").tokens.at(0).text.size(), 2 * MaxTokenText);

    Lexed longLine = Lex(std::string(MaxLineLength - 1, ' ') + "a " + std::string(100000, 'b') + "\nnext");
    ASSERT_EQ(longLine.errors.size(), 1u);
    EXPECT_EQ(longLine.errors[0].kind, ParseErrorKind::Unexpected);
    EXPECT_EQ(longLine.errors[0].column, MaxLineLength + 1);
    EXPECT_EQ(longLine.errors[0].offending, std::string(20, 'b') + "...");
    ASSERT_EQ(longLine.tokens.size(), 3u);
    EXPECT_EQ(longLine.tokens[2].text, "next");
}

TEST(Tokenizer, NumberTextReadsBackToTheSameValue) {
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> mantissa(-1000, 1000);
    std::uniform_int_distribution<int> exponent(-40, 40);
    for (int i = 0; i < 2000; ++i) {
        Extended value = static_cast<Extended>(mantissa(random)) * std::pow(10.0L, exponent(random)) / 7;
        Lexed lexed = Lex(NumberText(value));
        // A negative number is one token: its sign is followed by a digit.
        ASSERT_EQ(lexed.tokens.size(), 1u) << NumberText(value);
        EXPECT_EQ(lexed.tokens[0].floatValue, value) << NumberText(value);
    }
    EXPECT_EQ(NumberText(30), "30");
    EXPECT_EQ(NumberText(22.5L), "22.5");
    EXPECT_EQ(NumberText(0.5L), "0.5");
}

}  // namespace
}  // namespace pax
