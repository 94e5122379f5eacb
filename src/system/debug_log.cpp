#include "system/debug_log.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <mutex>

#include "system/user_folders.h"

namespace pax {
namespace {

struct LogState {
    std::FILE* file = nullptr;
    std::string path;  // kept after closing, so that a late line appends to the same file
    std::mutex mutex;
};

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
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        int code = errno ? errno : EIO;
        errno = 0;
        return code;
    }
    s.file = file;
    s.path = path;
    WriteHeader(file, executable);
    return 0;
}

void OpenLazily(LogState& s) {
    if (!s.path.empty()) {
        s.file = std::fopen(s.path.c_str(), "a");
        return;
    }
    for (const std::string& path : {StateFilePath(DebugLogName), PrivateTempFilePath(DebugLogName)}) {
        if (path.empty()) continue;
        s.file = std::fopen(path.c_str(), "w");
        if (!s.file) continue;
        s.path = path;
        return;
    }
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
    if (s.file) {
        std::fwrite(text.data(), 1, text.size(), s.file);
        std::fputc('\n', s.file);
        std::fflush(s.file);
    }
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
