#include "lsystem/lsy_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <functional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "system/error_reporting.h"

namespace pax {
namespace {

bool IsStoredHeader(const tLsyFile::Item& item) { return !item.IsNode() && item.Line().starts_with(LsyHeader); }

bool ReportFileFailure(int code, const std::string& fileName) {
    SetIoResult(code != 0 ? code : EIO);
    ShowFileError(0, fileName);
    return false;
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// A name beside the target that no other writer of this process or another one uses.
std::string TemporaryName(const std::string& fileName) {
    static std::atomic<unsigned> counter{0};
    return fileName + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// Items beyond MaxLsyItems are dropped with one "no heap" error, so that a huge damaged file
// cannot take all memory.
class ItemCollector {
public:
    ItemCollector(tLsyFile& file, tParser& parser) : m_file(file), m_parser(parser) {}
    void AddNode(tVLSystem&& node) {
        if (Room()) m_file.AddNode(std::move(node));
    }
    void AddComment(std::string_view line) {
        if (Room()) m_file.AddComment(std::string(line));
    }

private:
    bool Room() {
        if (m_file.Items().size() < MaxLsyItems) return true;
        if (!m_full) m_parser.Error(ParseErrorKind::NoHeap);
        m_full = true;
        return false;
    }

    tLsyFile& m_file;
    tParser& m_parser;
    bool m_full = false;
};

tParseResult ReadInto(tLsyFile& file, const std::string& fileName, SummaryBox summary,
                      const std::function<tParseResult(tParser&, const tParser::FileItemSink&)>& parse) {
    tLsyFile read(fileName);
    tParser parser;
    parser.SetSummaryBox(summary);
    ItemCollector items(read, parser);
    RegisterVLSystem(parser, [&items](tVLSystem&& node) { items.AddNode(std::move(node)); });
    // A comment keeps its capacity; other stray tokens are kept as written, quotes included.
    tParseResult result = parse(parser, [&items](const tToken& token, std::string_view source) {
        items.AddComment(token.kind == TokenKind::Comment ? std::string_view(token.text) : source);
    });
    if (result.opened) file = std::move(read);
    return result;
}

}  // namespace

std::vector<const tVLSystem*> tLsyFile::Nodes() const {
    std::vector<const tVLSystem*> nodes;
    for (const Item& item : m_items)
        if (item.IsNode()) nodes.push_back(&item.Node());
    return nodes;
}

size_t tLsyFile::NodeCount() const {
    size_t count = 0;
    for (const Item& item : m_items) count += item.IsNode() ? 1 : 0;
    return count;
}

tDate Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_mon + 1, local.tm_mday, local.tm_year + 1900};
}

tParseResult ReadLsyFile(const std::string& fileName, tLsyFile& file, SummaryBox summary) {
    return ReadInto(file, fileName, summary, [&fileName](tParser& parser, const tParser::FileItemSink& sink) {
        return parser.ParseFile(fileName, sink);
    });
}

tParseResult ReadLsyText(std::string_view text, const std::string& sourceName, tLsyFile& file, SummaryBox summary) {
    return ReadInto(file, sourceName, summary, [&](tParser& parser, const tParser::FileItemSink& sink) {
        return parser.ParseText(text, sourceName, sink);
    });
}

std::string LsyHeaderLine(const tDate& date) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%2d-%2.2d-%4.4d", date.month, date.day, date.year);
    return std::string(LsyHeader) + "   " + buffer;
}

std::string LsyFileText(const tLsyFile& file, const tDate& date) {
    std::string text = LsyHeaderLine(date) + "\n";
    const auto& items = file.Items();
    for (size_t i = 0; i < items.size(); ++i) {
        if (i == 0 && IsStoredHeader(items[i])) continue;
        text += items[i].IsNode() ? VLSystemText(items[i].Node(), 0) : items[i].Line() + "\n";
    }
    return text;
}

bool WriteTextFile(const std::string& fileName, std::string_view text) {
    std::string temporary = TemporaryName(fileName);
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return ReportFileFailure(errno, fileName);
    // A replaced file keeps its permissions.
    struct stat existing{};
    if (::stat(fileName.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) ::fchmod(fd, existing.st_mode & 07777);
    bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
    int code = written ? 0 : errno;
    if (::close(fd) != 0 && written) {
        written = false;
        code = errno;
    }
    if (written && ::rename(temporary.c_str(), fileName.c_str()) != 0) {
        written = false;
        code = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return ReportFileFailure(code, fileName);
    }
    return true;
}

bool SaveLsyFile(const tLsyFile& file, const std::string& fileName) {
    return WriteTextFile(fileName, LsyFileText(file, Today()));
}

bool SaveVLSystem(const tVLSystem& node, const std::string& fileName) {
    return WriteTextFile(fileName, VLSystemText(node, 0));
}

std::string SavedMessageText(std::string_view fileName) {
    return "Lindenmayer System File \"" + std::string(fileName) + "\" saved";
}

void ShowSavedMessage(std::string_view fileName) { ShowInfo(SavedMessageCaption, SavedMessageText(fileName)); }

}  // namespace pax
