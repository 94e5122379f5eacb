#include "render/fonts/stroke_font_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "render/fonts/stroke_data.h"
#include "system/user_folders.h"

namespace pax {

namespace {

constexpr uint8_t Signature[4] = {'P', 'K', 0x08, 0x08};
constexpr size_t NameOffset = 0x5C;
constexpr size_t CountOffset = 0x81;
constexpr size_t FirstOffset = 0x84;
constexpr size_t StrokeOffsetOffset = 0x85;

int Int16At(const std::vector<uint8_t>& d, size_t at) {
    return static_cast<int16_t>(static_cast<uint16_t>(d[at] | (d[at + 1] << 8)));
}

size_t UInt16At(const std::vector<uint8_t>& d, size_t at) { return static_cast<size_t>(d[at] | (d[at + 1] << 8)); }

// The whole file, or an error code. A descriptor is closed on every path.
int32_t ReadWholeFile(const std::string& path, std::vector<uint8_t>& out) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno ? errno : EIO;
    int32_t code = 0;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        code = errno ? errno : EIO;
    } else if (S_ISDIR(info.st_mode)) {
        code = EISDIR;
    } else if (!S_ISREG(info.st_mode)) {
        code = EINVAL;
    } else if (static_cast<unsigned long long>(info.st_size) > tBGIFont::MaxFileSize) {
        code = tBGIFont::ErrorNoMemory;
    } else {
        try {
            out.assign(static_cast<size_t>(info.st_size), 0);
        } catch (const std::bad_alloc&) {
            code = tBGIFont::ErrorNoMemory;
        }
        size_t got = 0;
        while (code == 0 && got < out.size()) {
            const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) code = errno ? errno : EIO;
            else if (n == 0) out.resize(got);   // the file shrank while read
            else got += static_cast<size_t>(n);
        }
    }
    ::close(fd);
    return code;
}

}  // namespace

std::string tBGIFont::FontFilePath(std::string_view name) { return DataFilePath(std::string(name) + ".CHR"); }

bool tBGIFont::Load(std::string_view name) { return LoadFile(FontFilePath(name)); }

bool tBGIFont::LoadFile(const std::string& path) {
    Release();
    std::vector<uint8_t> bytes;
    if (const int32_t code = ReadWholeFile(path, bytes)) return Fail(code);
    return LoadBytes(std::move(bytes));
}

bool tBGIFont::LoadBytes(std::vector<uint8_t> bytes) {
    Release();
    Data = std::move(bytes);
    FileSize = Data.size();
    Loaded = LoadedMark;
    if (Data.size() < sizeof Signature) return Fail(ErrorReadPastEnd);
    if (std::memcmp(Data.data(), Signature, sizeof Signature) != 0) return Fail(ErrorBadFormat);
    if (Data.size() < OffsetTableStart) return Fail(ErrorReadPastEnd);

    const int count = Int16At(Data, CountOffset);
    First = Data[FirstOffset];
    if (count <= 0 || First + count - 1 > 255) return Fail(ErrorBadFormat);
    Last = static_cast<uint8_t>(First + count - 1);
    Name.assign(reinterpret_cast<const char*>(Data.data() + NameOffset), 4);
    OffsetBase = OffsetTableStart;
    WidthBase = OffsetTableStart + 2 * static_cast<size_t>(count);
    if (WidthBase + static_cast<size_t>(count) > Data.size()) return Fail(ErrorReadPastEnd);
    const int strokeOffset = Int16At(Data, StrokeOffsetOffset);
    if (strokeOffset < 0) return Fail(ErrorBadFormat);
    StrokeBase = HeaderStart + static_cast<size_t>(strokeOffset);
    if (const int32_t code = CheckLayout()) return Fail(code);
    Error = 0;
    return true;
}

// Every character's strokes start inside the file and end there with their terminator.
int32_t tBGIFont::CheckLayout() const {
    if (StrokeBase > Data.size()) return ErrorBadFormat;
    for (int c = First; c <= Last; ++c) {
        const size_t start = StrokeStart(static_cast<uint8_t>(c));
        if (start >= Data.size()) return ErrorBadFormat;
        if (WalkStrokes(std::span(Data).subspan(start)) == 0) return ErrorBadFormat;
    }
    return 0;
}

size_t tBGIFont::StrokeStart(uint8_t c) const { return StrokeBase + UInt16At(Data, OffsetBase + 2 * size_t(c - First)); }

bool tBGIFont::Fail(int32_t code) {
    Release();
    Error = code;
    return false;
}

void tBGIFont::Release() {
    Data.clear();
    Data.shrink_to_fit();
    Loaded = 0;
    Name.clear();
    First = Last = 0;
    OffsetBase = WidthBase = StrokeBase = FileSize = 0;
}

int tBGIFont::CharWidth(uint8_t c) const {
    if (!Held() || c < First || c > Last) return -1;
    return Data[WidthBase + size_t(c - First)];
}

std::span<const uint8_t> tBGIFont::CharStrokes(uint8_t c) const {
    if (!Held() || c < First || c > Last) return {};
    const std::span<const uint8_t> rest = std::span(Data).subspan(StrokeStart(c));
    return rest.first(WalkStrokes(rest));
}

}  // namespace pax
