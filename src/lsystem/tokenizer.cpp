#include "lsystem/tokenizer.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace pax {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "_" counts as a letter so that every text the writer leaves bare ("tree_2d" is quoted,
// "my_tree" is not) reads back as one word.
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

int HexDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The first maxChars characters; a UTF-8 sequence is never split.
std::string CutCharacters(std::string_view text, size_t maxChars) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && chars++ == maxChars) return std::string(text.substr(0, i));
    }
    return std::string(text);
}

// True when a number that from_chars found out of range is too small rather than too large.
bool HasNegativeExponent(std::string_view number) {
    size_t e = number.find_first_of("eE");
    return e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
}

uint16_t ColumnOf(size_t index) {
    return static_cast<uint16_t>(std::min<size_t>(index + 1, std::numeric_limits<uint16_t>::max()));
}

}  // namespace

std::string_view TokenKindName(TokenKind kind) {
    static constexpr std::array<std::string_view, 9> Names = {
        "none", "char", "text", "name", "#", "separator", "integer value", "float value", "end"};
    auto index = static_cast<size_t>(kind);
    return index < Names.size() ? Names[index] : "none";
}

std::string_view ParseErrorText(ParseErrorKind kind) {
    static constexpr std::array<std::string_view, 11> Texts = {
        "no Error ?",           "no heap !",         "unexpected end", "unexpected",
        "unknown name",         "bad integer constant", "bad float constant",
        "value less than",      "value larger than", "expecting ",     "expecting "};
    auto index = static_cast<size_t>(kind);
    return index < Texts.size() ? Texts[index] : Texts[0];
}

std::string NumberText(Extended value) {
    // -0 would read back as the integer 0.
    if (value == 0) return "0";
    std::array<char, 64> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (ec != std::errc()) return "0";
    return std::string(buffer.data(), end);
}

tTokenizer::tTokenizer(std::unique_ptr<std::istream> input, ErrorHandler onError, char commentPrefix)
    : m_input(std::move(input)), m_onError(std::move(onError)), m_commentPrefix(commentPrefix) {}

void tTokenizer::Report(ParseErrorKind kind, size_t index, std::string_view offending) {
    if (m_onError) m_onError(kind, ColumnOf(index), offending);
}

// The previous line stays current at the end of the input, so that an error found there
// can still show it.
bool tTokenizer::ReadLine() {
    std::streambuf* buffer = m_input ? m_input->rdbuf() : nullptr;
    if (!buffer) return false;
    int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof()) return false;
    ++m_lineNumber;
    m_line.clear();
    m_pos = 0;
    size_t dropped = 0;
    std::string droppedStart;
    for (; c != std::char_traits<char>::eof() && c != '\n'; c = buffer->sbumpc()) {
        auto ch = static_cast<unsigned char>(c);
        if (ch == '\t') ch = ' ';
        if (ch < 32) continue;
        if (ch == ' ' && m_line.empty()) continue;
        if (m_line.size() < MaxLineLength) {
            m_line += static_cast<char>(ch);
            continue;
        }
        if (droppedStart.size() < 20) droppedStart += static_cast<char>(ch);
        ++dropped;
    }
    if (dropped > 0) Report(ParseErrorKind::Unexpected, MaxLineLength, droppedStart + (dropped > 20 ? "..." : ""));
    return true;
}

bool tTokenizer::SkipBlanks() {
    for (;;) {
        while (m_pos < m_line.size() && m_line[m_pos] == ' ') ++m_pos;
        if (m_pos < m_line.size()) return true;
        if (!ReadLine()) return false;
    }
}

std::string_view tTokenizer::TokenSource() const {
    if (m_tokenStart >= m_line.size() || m_pos <= m_tokenStart) return {};
    return std::string_view(m_line).substr(m_tokenStart, m_pos - m_tokenStart);
}

const tToken& tTokenizer::Next() {
    m_token = tToken{};
    for (;;) {
        if (!SkipBlanks()) {
            m_ok = false;
            m_pos = m_tokenStart = m_line.size();
            m_token.kind = TokenKind::End;
            m_token.line = m_lineNumber;
            m_token.column = ColumnOf(m_line.size());
            return m_token;
        }
        m_tokenStart = m_pos;
        m_token.line = m_lineNumber;
        m_token.column = ColumnOf(m_pos);
        char c = m_line[m_pos];
        if (c == m_commentPrefix) {
            ReadComment();
        } else if (IsDigit(c) || ((c == '+' || c == '-' || c == '.') && IsDigit(At(m_pos + 1)))) {
            ReadNumber();
        } else if (c == '"' || c == '\'') {
            ReadQuoted();
        } else if (IsLetter(c)) {
            ReadWord();
        } else if (static_cast<unsigned char>(c) == 127) {
            // The only control character that line reading lets through.
            ++m_pos;
            Report(ParseErrorKind::Unexpected, m_tokenStart, std::string_view(&c, 1));
            continue;
        } else {
            ++m_pos;
            m_token.kind = TokenKind::Char;
            m_token.ch = c;
            m_token.text.assign(1, c);
        }
        return m_token;
    }
}

void tTokenizer::ReadComment() {
    m_token.kind = TokenKind::Comment;
    m_token.text = CutCharacters(std::string_view(m_line).substr(m_pos), MaxCommentText);
    m_pos = m_line.size();
}

void tTokenizer::ReadQuoted() {
    char quote = m_line[m_pos];
    size_t first = m_pos + 1;
    size_t close = m_line.find(quote, first);
    // A text not closed on its line runs to the end of the line.
    size_t last = close == std::string::npos ? m_line.size() : close;
    m_token.kind = TokenKind::Text;
    m_token.quoted = true;
    m_token.text = CutCharacters(std::string_view(m_line).substr(first, last - first), MaxTokenText);
    m_pos = close == std::string::npos ? m_line.size() : close + 1;
}

void tTokenizer::ReadWord() {
    size_t end = m_pos;
    while (end < m_line.size() && (IsLetter(m_line[end]) || IsDigit(m_line[end]))) ++end;
    m_token.kind = TokenKind::Text;
    m_token.text = CutCharacters(std::string_view(m_line).substr(m_pos, end - m_pos), MaxTokenText);
    m_pos = end;
}

// Sign, digits, one ".", exponent; or "0x" and hexadecimal digits. A malformed constant is
// read as far as it looks like a number, so that its remains do not become further tokens.
void tTokenizer::ReadNumber() {
    size_t start = m_pos;
    size_t p = start;
    if (m_line[p] == '+' || m_line[p] == '-') ++p;
    if (At(p) == '0' && (At(p + 1) == 'x' || At(p + 1) == 'X') && ReadHexNumber(p + 2)) return;

    bool isFloat = false;
    size_t badAt = std::string::npos;
    while (IsDigit(At(p))) ++p;
    if (At(p) == '.') {
        isFloat = true;
        ++p;
        while (IsDigit(At(p))) ++p;
    }
    size_t validEnd = p;
    if (At(p) == '.') {
        badAt = p;
        while (At(p) == '.' || IsDigit(At(p))) ++p;
    } else if (At(p) == 'e' || At(p) == 'E') {
        size_t q = p + 1;
        if (At(q) == '+' || At(q) == '-') ++q;
        if (IsDigit(At(q))) {
            while (IsDigit(At(q))) ++q;
            isFloat = true;
            validEnd = q;
        } else {
            badAt = p;
        }
        isFloat = true;
        p = q;
    }
    m_pos = p;
    m_token.text = CutCharacters(std::string_view(m_line).substr(start, p - start), MaxTokenText);
    SetNumberFromText(std::string_view(m_line).substr(start, validEnd - start), isFloat);
    if (badAt != std::string::npos) Report(ParseErrorKind::BadFloat, badAt, m_token.text);
}

bool tTokenizer::ReadHexNumber(size_t digitsStart) {
    size_t start = m_pos;
    size_t p = digitsStart;
    long double value = 0;
    for (int digit; (digit = HexDigit(At(p))) >= 0; ++p) value = value * 16 + digit;
    m_token.text = CutCharacters(std::string_view(m_line).substr(start, p - start), MaxTokenText);
    m_pos = p;
    if (m_line[start] == '-') value = -value;
    if (p == digitsStart || !std::isfinite(value)) {
        m_token.kind = TokenKind::Integer;
        Report(ParseErrorKind::BadInteger, p == digitsStart ? digitsStart - 1 : start, m_token.text);
        return true;
    }
    m_token.floatValue = value;
    if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max()) {
        m_token.kind = TokenKind::Integer;
        m_token.intValue = static_cast<int32_t>(value);
    } else {
        m_token.kind = TokenKind::Float;
    }
    return true;
}

void tTokenizer::SetNumberFromText(std::string_view number, bool isFloat) {
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    const char* first = number.data();
    const char* last = first + number.size();
    if (!isFloat) {
        int32_t value = 0;
        auto [ptr, ec] = std::from_chars(first, last, value);
        if (ec == std::errc() && ptr == last) {
            m_token.kind = TokenKind::Integer;
            m_token.intValue = value;
            m_token.floatValue = value;
            return;
        }
        // Too large for 32 bits: read as a float.
    }
    m_token.kind = TokenKind::Float;
    long double value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        value = 0;
        if (!HasNegativeExponent(number)) Report(ParseErrorKind::BadFloat, m_tokenStart, m_token.text);
    }
    m_token.floatValue = value;
}

}  // namespace pax
