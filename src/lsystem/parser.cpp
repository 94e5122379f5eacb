#include "lsystem/parser.h"

#include <cerrno>
#include <limits>
#include <sstream>

#include "system/error_reporting.h"
#include "system/file_utils.h"
#include "system/user_folders.h"

namespace pax {
namespace {

std::string& ErrorDirectorySetting() {
    static std::string directory;
    return directory;
}

std::string JoinPath(const std::string& directory, std::string_view name) {
    if (directory.empty()) return std::string(name);
    std::string path = directory;
    if (path.back() != '/') path += '/';
    return path + std::string(name);
}

bool IsControlCharacter(std::string_view text) {
    if (text.size() != 1) return false;
    auto c = static_cast<unsigned char>(text[0]);
    return c < 32 || c == 127;
}

// What follows the error text on the marker line.
std::string ErrorDetail(ParseErrorKind kind, TokenKind expected, std::string_view text,
                        std::string_view offending) {
    switch (kind) {
        case ParseErrorKind::ExpectingText: return std::string(text);
        case ParseErrorKind::ExpectingKind: return std::string(TokenKindName(expected));
        default: break;
    }
    std::string detail;
    // The bound makes "value less than 0.5 '0.3'" readable.
    if (kind == ParseErrorKind::ValueLess || kind == ParseErrorKind::ValueLarger) {
        detail = " ";
        detail += text;
    }
    if (IsControlCharacter(offending))
        return detail + " character #" + std::to_string(static_cast<unsigned char>(offending[0]));
    return detail + " '" + std::string(offending) + "'";
}

Extended NearestTo0(Extended min, Extended max) {
    if (0 < min) return min;
    if (0 > max) return max;
    return 0;
}

}  // namespace

void SetParseErrorDirectory(std::string directory) { ErrorDirectorySetting() = std::move(directory); }

const std::string& ParseErrorDirectory() { return ErrorDirectorySetting(); }

std::string ParseSummaryText(uint32_t errorCount, std::string_view fileName) {
    return std::to_string(errorCount) + " parsing errors detected in LSystem file " + "\n\n" +
           std::string(fileName) + "\n\n" + "see file \"ParseErrors.tmp\" for more details...";
}

tParser::tParser(char commentPrefix) : m_commentPrefix(commentPrefix) {}

tParser::~tParser() { CloseErrorFile(); }

void tParser::Register(std::string_view keyword, tKeyword::Reader reader) {
    m_words.AddObject(std::make_unique<tKeyword>(keyword, std::move(reader)));
}

const tKeyword* tParser::FindKeyword(const tToken& token) const {
    if (token.kind != TokenKind::Text && token.kind != TokenKind::Char) return nullptr;
    for (const tTreeNode& node : m_words.TopLevel()) {
        const auto* keyword = node.As<tKeyword>();
        if (keyword && keyword->Name() == token.text) return keyword;
    }
    return nullptr;
}

tParseResult tParser::ParseFile(const std::string& fileName, const FileItemSink& onFileItem) {
    std::string text;
    bool cut = false;
    int failure = ReadFilePrefix(fileName, MaxParsedFileBytes, text, cut);
    if (failure == 0 && cut) failure = EFBIG;
    if (failure != 0) {
        SetIoResult(failure);
        ShowFileError(0, fileName);
        tParseResult result;
        result.fileName = fileName;
        result.failure = failure;
        return result;
    }
    return Parse(std::make_unique<std::istringstream>(std::move(text)), fileName, onFileItem);
}

tParseResult tParser::ParseText(std::string_view text, const std::string& sourceName,
                                const FileItemSink& onFileItem) {
    return Parse(std::make_unique<std::istringstream>(std::string(text)), sourceName, onFileItem);
}

tParseResult tParser::Parse(std::unique_ptr<std::istream> input, const std::string& sourceName,
                            const FileItemSink& onFileItem) {
    CloseErrorFile();
    m_errorFileFailed = false;
    m_result = tParseResult{};
    m_result.fileName = sourceName;
    m_result.opened = true;
    m_previousLine = 0;
    m_matched = false;
    m_tokenizer = std::make_unique<tTokenizer>(
        std::move(input),
        [this](ParseErrorKind kind, uint16_t column, std::string_view offending) {
            Record(kind, TokenKind::None, {}, column, offending);
        },
        m_commentPrefix);

    NextToken();
    while (!AtEnd()) {
        if (const tKeyword* keyword = FindKeyword(m_token)) {
            m_token.kind = TokenKind::Name;
            NextToken();
            // A reader always consumes at least the keyword, so the loop advances.
            keyword->NodeReader()(*this);
            continue;
        }
        if (onFileItem) onFileItem(m_token, m_tokenizer->TokenSource());
        NextToken();
    }
    CloseErrorFile();
    m_tokenizer.reset();

    if (m_result.errorCount > 0) {
        m_result.summary = ParseSummaryText(m_result.errorCount, sourceName);
        if (m_summaryBox == SummaryBox::Show) ShowWarning(ParserCaption, m_result.summary);
    }
    return std::move(m_result);
}

const tToken& tParser::NextToken() {
    m_previousLine = m_token.line;
    m_token = m_tokenizer->Next();
    return m_token;
}

bool tParser::Keyword(std::string_view name) {
    if (m_token.kind != TokenKind::Text || m_token.text != name) return false;
    NextToken();
    return true;
}

bool tParser::Expect(char c) {
    if (!m_token.IsChar(c)) {
        Error(ParseErrorKind::ExpectingText, TokenKind::Char, std::string("'") + c + "'");
        return false;
    }
    NextToken();
    m_matched = true;
    return true;
}

bool tParser::Optional(char c) {
    if (!m_token.IsChar(c)) return false;
    NextToken();
    return true;
}

bool tParser::ReadFloat(Extended& target) {
    return ReadFloatInRange(target, -std::numeric_limits<Extended>::infinity(),
                            std::numeric_limits<Extended>::infinity());
}

bool tParser::ReadFloatInRange(Extended& target, Extended min, Extended max) {
    if (!m_token.IsNumber()) {
        target = NearestTo0(min, max);
        Error(ParseErrorKind::ExpectingKind, TokenKind::Float);
        return false;
    }
    target = m_token.floatValue;
    if (target < min) Error(ParseErrorKind::ValueLess, TokenKind::None, NumberText(min));
    if (target > max) Error(ParseErrorKind::ValueLarger, TokenKind::None, NumberText(max));
    NextToken();
    m_matched = true;
    return true;
}

bool tParser::ReadLong(int32_t& target) { return ReadLongMax(target, std::numeric_limits<int32_t>::max()); }

bool tParser::ReadLongMax(int32_t& target, int32_t max) {
    if (m_token.kind != TokenKind::Integer) {
        target = max < 0 ? max : 0;
        Error(ParseErrorKind::ExpectingKind, TokenKind::Integer);
        return false;
    }
    target = m_token.intValue;
    if (target > max) Error(ParseErrorKind::ValueLarger, TokenKind::None, std::to_string(max));
    NextToken();
    m_matched = true;
    return true;
}

bool tParser::ReadText(std::string& target) {
    if (m_token.kind != TokenKind::Text) {
        Error(ParseErrorKind::ExpectingKind, TokenKind::Text);
        return false;
    }
    target = m_token.text;
    NextToken();
    m_matched = true;
    return true;
}

bool tParser::SkipComment(std::vector<std::string>& lines) {
    if (m_token.kind != TokenKind::Comment) return false;
    lines.push_back(m_token.text);
    NextToken();
    m_matched = true;
    return true;
}

bool tParser::TakeTrailingComment(std::string& fieldComment) {
    if (m_token.kind != TokenKind::Comment || m_token.line != m_previousLine || !fieldComment.empty())
        return false;
    fieldComment = m_token.text;
    NextToken();
    return true;
}

void tParser::Error(ParseErrorKind kind, TokenKind expected, std::string_view text) {
    Record(kind, expected, text, m_token.column, m_token.text);
}

void tParser::Record(ParseErrorKind kind, TokenKind expected, std::string_view text, uint16_t column,
                     std::string_view offending) {
    if (m_result.errorCount < std::numeric_limits<uint32_t>::max()) ++m_result.errorCount;
    tParseError error;
    error.kind = kind;
    error.expected = expected;
    error.text = std::string(text);
    error.line = m_tokenizer ? m_tokenizer->LineNumber() : 0;
    error.column = column;
    if (m_result.errorCount <= MaxListedErrors) {
        std::string line = m_tokenizer ? m_tokenizer->LineText() : std::string();
        size_t blanks = column > 0 ? column - 1u : 0u;
        error.entry = "error in line " + std::to_string(error.line) + " at position " +
                      std::to_string(column) + ": \n" + line + "\n" + std::string(blanks, ' ') + "^" +
                      std::string(ParseErrorText(kind)) + ErrorDetail(kind, expected, text, offending);
        WriteEntry(error.entry);
        m_result.entries.push_back(error.entry);
    }
    if (m_errorCallback) m_errorCallback(error);
}

void tParser::OpenErrorFile() {
    std::string directory = m_errorDirectory ? *m_errorDirectory : ParseErrorDirectory();
    if (directory.empty()) directory = StateFolder();
    std::string path = JoinPath(directory, ParseErrorFileName);
    m_errorFile = OpenPrivateFile(path, false);
    if (!m_errorFile) {
        path = PrivateTempFilePath(ParseErrorFileName);
        if (!path.empty()) m_errorFile = OpenPrivateFile(path, false);
    }
    if (!m_errorFile) {
        m_errorFileFailed = true;
        return;
    }
    m_result.errorFilePath = path;
}

void tParser::WriteEntry(const std::string& entry) {
    if (!m_errorFile && !m_errorFileFailed) OpenErrorFile();
    if (!m_errorFile) return;
    std::string text = "\n";
    text += entry + "\n";
    std::fwrite(text.data(), 1, text.size(), m_errorFile);
    std::fflush(m_errorFile);
}

void tParser::CloseErrorFile() {
    if (!m_errorFile) return;
    if (m_result.errorCount > MaxListedErrors) {
        std::string note = "\n";
        note += std::to_string(m_result.errorCount - MaxListedErrors) + " further errors not listed\n";
        std::fwrite(note.data(), 1, note.size(), m_errorFile);
    }
    std::fclose(m_errorFile);
    m_errorFile = nullptr;
}

}  // namespace pax
