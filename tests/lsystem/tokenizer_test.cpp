#include "lsystem/tokenizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <vector>

namespace pax {
namespace {

// Every token of text up to the end, and every fault the tokenizer reported as its text, the
// line and column and the offending characters.
struct Lexed {
    std::vector<tToken> tokens;
    std::vector<std::string> errors;

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const tToken& token : tokens) texts.push_back(token.text);
        return texts;
    }
};

Lexed Lex(const std::string& text) {
    Lexed result;
    tTokenizer* self = nullptr;
    tTokenizer tokenizer(std::make_unique<std::istringstream>(text),
                         [&](ParseErrorKind kind, uint16_t column, std::string_view offending) {
                             result.errors.push_back(std::string(ParseErrorText(kind)) + " " +
                                                     std::to_string(self->LineNumber()) + ":" +
                                                     std::to_string(column) + " " + std::string(offending));
                         });
    self = &tokenizer;
    for (int guard = 0; guard < 10000; ++guard) {
        const tToken& token = tokenizer.Next();
        if (token.kind == TokenKind::End) break;
        result.tokens.push_back(token);
    }
    // The readers may ask again after the end.
    EXPECT_EQ(tokenizer.Next().kind, TokenKind::End);
    EXPECT_FALSE(tokenizer.Ok());
    return result;
}

// A malformed constant is one token, read as far as it is valid, so that its remains make no
// further errors.
TEST(Tokenizer, NumbersFollowTheirSyntaxAndMalformedOnesAreReportedAtTheOffendingColumn) {
    struct Case {
        const char* text;
        TokenKind kind;
        long double value;
        std::string error = {};
    };
    const Case cases[] = {
        {"0x1F", TokenKind::Integer, 31},          {"0xff", TokenKind::Integer, 255},
        {"-0x10", TokenKind::Integer, -16},        {".5", TokenKind::Float, 0.5L},
        {"5.", TokenKind::Float, 5},               {"-5", TokenKind::Integer, -5},
        {"+7", TokenKind::Integer, 7},             {"1e3", TokenKind::Float, 1000},
        {"2.5E-1", TokenKind::Float, 0.25L},       {"1e+2", TokenKind::Float, 100},
        {"2147483647", TokenKind::Integer, 2147483647},
        {"3000000000", TokenKind::Float, 3000000000.0L},   // too large for 32 bits
        {"0xFFFFFFFF", TokenKind::Float, 4294967295.0L},   {"1e-99999", TokenKind::Float, 0},
        {"1.2.3", TokenKind::Float, 1.2L, "bad float constant 1:4 1.2.3"},
        {"1e", TokenKind::Float, 1, "bad float constant 1:2 1e"},
        {"7.5E+", TokenKind::Float, 7.5L, "bad float constant 1:4 7.5E+"},
        {"1e99999", TokenKind::Float, 0, "bad float constant 1:1 1e99999"},
        {"0x", TokenKind::Integer, 0, "bad integer constant 1:2 0x"},
    };
    for (const Case& c : cases) {
        Lexed lexed = Lex(c.text);
        ASSERT_EQ(lexed.tokens.size(), 1u) << c.text;
        EXPECT_EQ(lexed.tokens[0].kind, c.kind) << c.text;
        EXPECT_EQ(lexed.tokens[0].floatValue, c.value) << c.text;
        EXPECT_EQ(lexed.tokens[0].text, c.text);
        if (c.kind == TokenKind::Integer) {
            EXPECT_EQ(lexed.tokens[0].intValue, static_cast<int32_t>(c.value)) << c.text;
        }
        EXPECT_EQ(lexed.errors, c.error.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.error});
    }
}

// Lines are counted and their tabs become blanks; other control characters are dropped, but
// delete, the one that reaches the tokenizer, is reported. A sign needs a digit after it; words
// are letters, digits and underscores.
TEST(Tokenizer, LinesAndTheirTokens) {
    std::string text = "\"a\tb\"\r\n\n# three\nx\x01y";
    text += std::string("\0z \x7F w\n-.5 + 3 -x my_tree2 12abc _x", 35);
    Lexed lexed = Lex(text);
    EXPECT_EQ(lexed.Texts(), (std::vector<std::string>{"a b", "# three", "xyz", "w", "-", ".5", "+", "3", "-", "x",
                                                       "my_tree2", "12", "abc", "_x"}));
    EXPECT_EQ(lexed.tokens[1].line, 3u);
    EXPECT_EQ(std::tie(lexed.tokens[5].kind, lexed.tokens[5].column), std::make_tuple(TokenKind::Float, uint16_t{2}));
    EXPECT_EQ(lexed.tokens[11].kind, TokenKind::Integer);
    EXPECT_EQ(lexed.errors, std::vector<std::string>{"unexpected 4:5 \x7F"});
    EXPECT_TRUE(Lex("\n\n   \t\n").tokens.empty());
}

TEST(Tokenizer, CommentsTextsAndLinesAreCutToTheirCapacities) {
    EXPECT_EQ(Lex(std::string(300, '#')).tokens.at(0).text.size(), MaxCommentText);
    Lexed text = Lex(std::string(1, '"').append(300, 't').append("\" after"));
    EXPECT_EQ(text.tokens.at(0).text.size(), MaxTokenText);
    EXPECT_EQ(text.tokens.at(1).text, "after");
    // A UTF-8 character is never split: 255 two-byte characters fit, the 256th does not.
    std::string umlauts = "'";
    for (int i = 0; i < 300; ++i) umlauts += "\xC3\xA4";
    EXPECT_EQ(Lex(umlauts).tokens.at(0).text.size(), 2 * MaxTokenText);

    Lexed longLine = Lex(std::string(MaxLineLength - 1, ' ').append("a ").append(100000, 'b').append("\nnext"));
    EXPECT_EQ(longLine.errors, std::vector<std::string>{std::string("unexpected 1:32768 ").append(20, 'b').append("...")});
    EXPECT_EQ(longLine.Texts(), (std::vector<std::string>{"a", std::string(MaxTokenText, 'b'), "next"}));
}

TEST(Tokenizer, NumberTextReadsBackToTheSameValue) {
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> mantissa(-1000, 1000);
    std::uniform_int_distribution<int> exponent(-40, 40);
    for (int i = 0; i < 2000; ++i) {
        Extended value = static_cast<Extended>(mantissa(random)) * std::pow(10.0L, exponent(random)) / 7;
        Lexed lexed = Lex(NumberText(value));
        ASSERT_EQ(lexed.tokens.size(), 1u) << NumberText(value);
        EXPECT_EQ(lexed.tokens[0].floatValue, value) << NumberText(value);
    }
    // "-0" would read back as the integer 0 and change the written text.
    EXPECT_EQ(NumberText(-0.0L), "0");
}

}  // namespace
}  // namespace pax
