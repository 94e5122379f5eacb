#pragma once
// The parser framework on top of the tokenizer: a table of node keywords with their readers,
// the small operations a node reader is built from (Keyword, Expect, Optional, the value
// readers), and the collection of every syntax error of a file into "ParseErrors.tmp" with
// one summary warning at the end. Reading goes on after an error, so one pass reports all.
//
//   tParser parser;
//   parser.Register("LSystem", [&](tParser& p) { file.AddNode(ReadNode(p)); });
//   tParseResult result = parser.ParseFile("plants.LSY", [&](const tToken&, std::string_view source) {
//       file.AddComment(source);       // header line, comments and stray words at file level
//   });

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/extended.h"
#include "foundation/tree.h"
#include "lsystem/tokenizer.h"

namespace pax {

inline constexpr std::string_view ParseErrorFileName = "ParseErrors.tmp";
inline constexpr std::string_view ParserCaption = "VadaVARA.OParser";
// Entries beyond this many are counted but neither written nor kept, so that a damaged or
// binary file cannot fill the disk with reports.
inline constexpr uint32_t MaxListedErrors = 100;

// Files larger than this are not read at all (a device or a huge damaged file would take
// minutes and all memory); what a user writes is a few kilobytes.
inline constexpr size_t MaxParsedFileBytes = 16 * 1024 * 1024;

// The directory that receives "ParseErrors.tmp"; empty (the default) is the state folder.
// When the file cannot be created there, it goes to the private temporary folder.
void SetParseErrorDirectory(std::string directory);
const std::string& ParseErrorDirectory();

// count + " parsing errors detected in LSystem file " + two line breaks + the file name + ...
std::string ParseSummaryText(uint32_t errorCount, std::string_view fileName);

struct tParseError {
    ParseErrorKind kind = ParseErrorKind::NoError;
    TokenKind expected = TokenKind::None;
    std::string text;       // the caller's text (kind 10) or the violated bound (kinds 7 and 8)
    uint32_t line = 0;
    uint16_t column = 0;
    std::string entry;      // the three lines written to the error file
};

// What one parse produced besides the nodes, for callers that report it themselves.
struct tParseResult {
    std::string fileName;
    bool opened = false;
    // Why the file was not opened: an errno value (EISDIR a directory, ENODEV a FIFO or
    // device, EFBIG more than MaxParsedFileBytes); 0 when it was.
    int failure = 0;
    uint32_t errorCount = 0;
    // The error file's entries (at most MaxListedErrors), each "error in line L at position
    // C: ", the source line and the marker line, joined by line breaks.
    std::vector<std::string> entries;
    std::string summary;         // the warning's text; empty without errors
    std::string errorFilePath;   // where the entries were written; empty when nowhere

    bool Ok() const { return opened && errorCount == 0; }
};

enum class SummaryBox { Show, Suppress };

class tParser;

// A registered node type: its keyword (at most 30 characters) and the reader that is called
// with the token after the keyword as the current token.
class tKeyword : public tTinyObject {
public:
    using Reader = std::function<void(tParser&)>;
    tKeyword(std::string_view name, Reader reader) : tTinyObject(name), m_reader(std::move(reader)) {}
    const Reader& NodeReader() const { return m_reader; }

private:
    Reader m_reader;
};

class tParser {
public:
    // Everything at file level that is not a node: the token and its characters as written.
    using FileItemSink = std::function<void(const tToken& token, std::string_view source)>;
    using ErrorCallback = std::function<void(const tParseError&)>;

    explicit tParser(char commentPrefix = '#');
    ~tParser();
    tParser(const tParser&) = delete;
    tParser& operator=(const tParser&) = delete;

    void Register(std::string_view keyword, tKeyword::Reader reader);
    // The registered node type whose keyword the token is, if any.
    const tKeyword* FindKeyword(const tToken& token) const;

    void SetErrorCallback(ErrorCallback callback) { m_errorCallback = std::move(callback); }
    // Overrides ParseErrorDirectory() for this parser.
    void SetErrorDirectory(std::string directory) { m_errorDirectory = std::move(directory); }
    void SetSummaryBox(SummaryBox mode) { m_summaryBox = mode; }

    // A file that cannot be opened, is no regular file or is larger than MaxParsedFileBytes is
    // reported by the file error routine (opened = false).
    tParseResult ParseFile(const std::string& fileName, const FileItemSink& onFileItem);
    // The same for text in memory; sourceName stands for the file name in the reports.
    tParseResult ParseText(std::string_view text, const std::string& sourceName,
                           const FileItemSink& onFileItem);

    // --- for node readers ---
    const tToken& Token() const { return m_token; }
    const tToken& NextToken();
    bool AtEnd() const { return m_token.kind == TokenKind::End; }
    // The line of the token consumed last: a comment on it belongs to that token's field.
    uint32_t PreviousLine() const { return m_previousLine; }

    // Consumes the current token when it is a text equal to name (case-sensitive).
    bool Keyword(std::string_view name);
    // The current token must be the character c: consumed and matched, else an error.
    bool Expect(char c);
    // Consumes the character c when it stands there; changes nothing otherwise.
    bool Optional(char c);

    // Value readers: on success the value is stored, the token consumed and matched set. When
    // no number stands there, the target gets 0 (or the nearer bound when 0 is out of range),
    // "expecting <kind>" is reported and the token is left for the node reader. A value out
    // of range is reported and kept.
    bool ReadFloat(Extended& target);
    bool ReadFloatInRange(Extended& target, Extended min, Extended max);
    bool ReadLong(int32_t& target);
    bool ReadLongMax(int32_t& target, int32_t max);
    bool ReadText(std::string& target);

    // A comment token is appended to lines and consumed.
    bool SkipComment(std::vector<std::string>& lines);
    // A comment on the line of the token consumed last goes to an empty fieldComment.
    bool TakeTrailingComment(std::string& fieldComment);

    bool Matched() const { return m_matched; }
    void SetMatched(bool matched) { m_matched = matched; }

    // Records one error at the current token.
    void Error(ParseErrorKind kind, TokenKind expected = TokenKind::None, std::string_view text = {});
    uint32_t ErrorCount() const { return m_result.errorCount; }

private:
    tParseResult Parse(std::unique_ptr<std::istream> input, const std::string& sourceName,
                       const FileItemSink& onFileItem);
    void Record(ParseErrorKind kind, TokenKind expected, std::string_view text, uint16_t column,
                std::string_view offending);
    void WriteEntry(const std::string& entry);
    void OpenErrorFile();
    void CloseErrorFile();

    char m_commentPrefix;
    tTree m_words{"tokenWordTree"};
    std::unique_ptr<tTokenizer> m_tokenizer;
    tToken m_token;
    uint32_t m_previousLine = 0;
    bool m_matched = false;
    tParseResult m_result;
    std::optional<std::string> m_errorDirectory;
    std::FILE* m_errorFile = nullptr;
    bool m_errorFileFailed = false;
    ErrorCallback m_errorCallback;
    SummaryBox m_summaryBox = SummaryBox::Show;
};

}  // namespace pax
