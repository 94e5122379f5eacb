#include "system/debug_log.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <mutex>

#include "system/file_utils.h"
#include "system/user_folders.h"

namespace pax {
namespace {

struct LogState {
    std::FILE* file = nullptr;
    std::string path;  // kept after closing, so that a late line appends to the same file
    size_t bytes = 0;  // in the file so far
    bool full = false;
    std::mutex mutex;
};

size_t SizeOf(std::FILE* file) {
    struct stat info {};
    return ::fstat(::fileno(file), &info) == 0 ? static_cast<size_t>(info.st_size) : 0;
}

LogState& State() {
    static LogState state;
    return state;
}

void WriteHeader(std::FILE* file, const std::string& executable) {
    std::time_t now = std::time(nullptr);
    char stamp[64] = "";
    if (const std::tm* local = std::localtime(&now))
        std::strftime(stamp, sizeof stamp, "%d.%m.%Y %H:%M:%S", local);
    std::fprintf(file, "%s: Vornic Debug File\n  application: %s\n  time: %s\n\n", DebugLogName,
                 executable.c_str(), stamp);
    std::fflush(file);
}

// Call with the mutex held.
int CreateLocked(LogState& s, const std::string& path, const std::string& executable) {
    if (s.file) std::fclose(s.file);
    s.file = nullptr;
    errno = 0;
    std::FILE* file = OpenPrivateFile(path, false);
    if (!file) {
        int code = errno ? errno : EIO;
        errno = 0;
        return code;
    }
    s.file = file;
    s.path = path;
    s.bytes = 0;
    s.full = false;
    WriteHeader(file, executable);
    s.bytes = SizeOf(file);
    return 0;
}

void OpenLazily(LogState& s) {
    if (!s.path.empty()) {
        s.file = OpenPrivateFile(s.path, true);
        if (s.file) s.bytes = SizeOf(s.file);
        return;
    }
    for (const std::string& path : {StateFilePath(DebugLogName), PrivateTempFilePath(DebugLogName)}) {
        if (path.empty()) continue;
        s.file = OpenPrivateFile(path, false);
        if (!s.file) continue;
        s.path = path;
        s.bytes = 0;
        s.full = false;
        return;
    }
}

// Call with the mutex held. Past the cap one note says so and later lines are dropped, so
// that a flood of errors cannot fill the disk.
void WriteLocked(LogState& s, std::string_view text) {
    if (s.full) return;
    if (s.bytes + text.size() + 1 > MaxDebugLogBytes) {
        s.full = true;
        const std::string note = std::string(DebugLogName) + ": the log has reached its limit of " +
                                 std::to_string(MaxDebugLogBytes >> 20) + " MB; later lines are dropped\n";
        std::fwrite(note.data(), 1, note.size(), s.file);
        std::fflush(s.file);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), s.file);
    std::fputc('\n', s.file);
    std::fflush(s.file);
    s.bytes += text.size() + 1;
}

}  // namespace

bool OpenDebugLog(const std::string& executable) {
    LogState& s = State();
    std::lock_guard lock(s.mutex);
    if (CreateLocked(s, StateFilePath(DebugLogName), executable) == 0) return true;
    const std::string fallback = PrivateTempFilePath(DebugLogName);
    return !fallback.empty() && CreateLocked(s, fallback, executable) == 0;
}

int CreateDebugLog(const std::string& path, const std::string& executable) {
    LogState& s = State();
    std::lock_guard lock(s.mutex);
    return CreateLocked(s, path, executable);
}

void LogLine(std::string_view text) {
    // Callers log between a failed call and ShowLastError: the log must not change errno.
    int savedErrno = errno;
    LogState& s = State();
    std::lock_guard lock(s.mutex);
    if (!s.file) OpenLazily(s);
    if (s.file) WriteLocked(s, text);
    errno = savedErrno;
}

void LogInitialization(std::string_view unit, std::string_view details) {
    std::string line(" ");
    line += unit;
    line += ".initialization: ";
    line += details;
    LogLine(line);
}

std::string DebugLogPath() {
    LogState& s = State();
    std::lock_guard lock(s.mutex);
    return s.path;
}

void CloseDebugLog() {
    LogState& s = State();
    std::lock_guard lock(s.mutex);
    if (s.file) std::fclose(s.file);
    s.file = nullptr;
}

}  // namespace pax
