#include "system/file_utils.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fnmatch.h>
#include <system_error>

namespace pax {
namespace fs = std::filesystem;

namespace {
std::string& StartDir() {
    static std::string dir;
    return dir;
}
}  // namespace

std::string TempFilePath(const std::string& name) {
    const char* dir = std::getenv("TMPDIR");
    std::string base = (dir && *dir) ? dir : "/tmp";
    if (base.back() != '/') base += '/';
    return base + name;
}

void RememberStartDirectory() {
    std::error_code ec;
    StartDir() = fs::current_path(ec).string();
}

const std::string& StartDirectory() {
    if (StartDir().empty()) RememberStartDirectory();
    return StartDir();
}

void RestoreStartDirectory() {
    std::error_code ec;
    fs::current_path(StartDirectory(), ec);
}

void ListFiles(const std::string& directory, const std::string& mask, std::vector<std::string>& files) {
    std::error_code ec;
    size_t first = files.size();
    for (const auto& entry : fs::directory_iterator(directory.empty() ? "." : directory, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        std::string name = entry.path().filename().string();
        // Masks come from a platform whose names ignore case ("*.LSY" finds "tree.lsy").
        if (fnmatch(mask.c_str(), name.c_str(), FNM_CASEFOLD) == 0) files.push_back(entry.path().string());
    }
    // The directory's order is arbitrary; sorted, a listing is the same on every machine.
    std::sort(files.begin() + first, files.end());
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

std::FILE* OpenPrivateFile(const std::string& path, bool append) {
    const int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
    const int fd = ::open(path.c_str(), flags, 0600);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, append ? "a" : "w");
    if (!file) ::close(fd);
    return file;
}

int OpenRegularFile(const std::string& path, int& error) {
    error = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = errno != 0 ? errno : ENOENT;
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) error = errno != 0 ? errno : EIO;
    else if (S_ISDIR(info.st_mode)) error = EISDIR;
    else if (!S_ISREG(info.st_mode)) error = ENODEV;
    if (error == 0) return fd;
    ::close(fd);
    return -1;
}

int ReadFilePrefix(const std::string& path, size_t limit, std::string& text, bool& cut) {
    cut = false;
    text.clear();
    int error = 0;
    const int fd = OpenRegularFile(path, error);
    if (fd < 0) return error;
    char buffer[64 * 1024];
    size_t filled = 0;
    while (filled <= limit) {
        const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, limit + 1 - filled));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error = errno != 0 ? errno : EIO;
        if (got <= 0) break;
        text.append(buffer, static_cast<size_t>(got));
        filled += static_cast<size_t>(got);
    }
    ::close(fd);
    cut = filled > limit;
    text.resize(std::min(filled, limit));
    if (error != 0) text.clear();
    return error;
}

}  // namespace pax
