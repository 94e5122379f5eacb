#pragma once
// Cuts line-oriented text (the .LSY files) into typed tokens: single characters, quoted texts
// and bare words, "#" comments, integer and float numbers, and the end of the input.
//
// Lines are read up to a line feed; a tab becomes a blank, every other character below 32 is
// dropped, and the blanks that start a line are skipped, so columns count from the first
// character that is not a blank. Lines and columns are 1-based.

#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/extended.h"

namespace pax {

// The numbers are those of the error texts ("expecting integer value").
enum class TokenKind : uint8_t {
    None = 0,
    Char = 1,
    Text = 2,       // a quoted text or a bare word
    Name = 3,       // a text that the file loop recognised as a node keyword
    Comment = 4,    // "#" and the rest of the line
    Separator = 5,  // never produced for .LSY files
    Integer = 6,
    Float = 7,
    End = 8,
};

std::string_view TokenKindName(TokenKind kind);

enum class ParseErrorKind : uint8_t {
    NoError = 0,
    NoHeap = 1,
    UnexpectedEnd = 2,
    Unexpected = 3,
    UnknownName = 4,
    BadInteger = 5,
    BadFloat = 6,
    ValueLess = 7,
    ValueLarger = 8,
    ExpectingKind = 9,   // the text is followed by the expected token kind's name
    ExpectingText = 10,  // the text is followed by the caller's description
};

std::string_view ParseErrorText(ParseErrorKind kind);

// The shortest decimal text that reads back as the same value ("30", "22.5", "1e+30").
std::string NumberText(Extended value);

// Capacities in characters (UTF-8 sequences are never split); longer texts are cut.
inline constexpr size_t MaxTokenText = 255;
inline constexpr size_t MaxCommentText = 200;
// Bytes kept of one line; the rest is dropped and reported. Columns stay within 16 bits.
inline constexpr size_t MaxLineLength = 32767;

struct tToken {
    TokenKind kind = TokenKind::None;
    // A quoted text without its quotes; a comment with its "#"; a number as written.
    std::string text;
    char ch = 0;            // the character of a Char token
    bool quoted = false;    // a Text token that was written between quotes
    int32_t intValue = 0;
    Extended floatValue = 0;  // also set for integers
    uint32_t line = 0;
    uint16_t column = 0;    // where the token starts

    bool IsChar(char c) const { return kind == TokenKind::Char && ch == c; }
    bool IsNumber() const { return kind == TokenKind::Integer || kind == TokenKind::Float; }
};

class tTokenizer {
public:
    // A fault in the characters themselves (a bad number, a stray control character, an
    // overlong line): where it is and the offending text.
    using ErrorHandler =
        std::function<void(ParseErrorKind kind, uint16_t column, std::string_view offending)>;

    tTokenizer(std::unique_ptr<std::istream> input, ErrorHandler onError, char commentPrefix = '#');

    // Reads the next token; at the end of the input an End token (again and again).
    const tToken& Next();
    const tToken& Current() const { return m_token; }

    // False once the end of the input was passed.
    bool Ok() const { return m_ok; }
    const std::string& LineText() const { return m_line; }
    uint32_t LineNumber() const { return m_lineNumber; }
    // The characters of the current token as they stand in the line, quotes included.
    std::string_view TokenSource() const;

private:
    bool ReadLine();
    bool SkipBlanks();
    void ReadComment();
    void ReadNumber();
    bool ReadHexNumber(size_t digitsStart);
    void ReadQuoted();
    void ReadWord();
    void SetNumberFromText(std::string_view number, bool isFloat);
    void Report(ParseErrorKind kind, size_t index, std::string_view offending);
    char At(size_t index) const { return index < m_line.size() ? m_line[index] : '\0'; }

    std::unique_ptr<std::istream> m_input;
    ErrorHandler m_onError;
    char m_commentPrefix;
    std::string m_line;
    size_t m_pos = 0;            // index of the next character in m_line
    size_t m_tokenStart = 0;
    uint32_t m_lineNumber = 0;
    bool m_ok = true;
    tToken m_token;
};

}  // namespace pax
