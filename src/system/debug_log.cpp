#include "system/debug_log.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <mutex>

#include "system/file_utils.h"

namespace pax {
namespace {

struct LogState {
    std::FILE* file = nullptr;
    std::string path;
    std::mutex mutex;
};

LogState& State() {
    static LogState state;
    return state;
}

std::FILE* CreateAt(const std::string& path) { return std::fopen(path.c_str(), "w"); }

void WriteHeader(std::FILE* file, const std::string& executable) {
    std::time_t now = std::time(nullptr);
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "%d.%m.%Y %H:%M:%S", std::localtime(&now));
    std::fprintf(file, "%s: Vornic Debug File\n  application: %s\n  time: %s\n\n", DebugLogName,
                 executable.c_str(), stamp);
    std::fflush(file);
}

}  // namespace

bool OpenDebugLog(const std::string& executable) {
    LogState& s = State();
    std::lock_guard lock(s.mutex);
    if (s.file) std::fclose(s.file);
    s.path = DebugLogName;
    s.file = CreateAt(s.path);
    if (!s.file) {
        s.path = TempFilePath(DebugLogName);
        s.file = CreateAt(s.path);
    }
    if (!s.file) {
        s.path.clear();
        return false;
    }
    WriteHeader(s.file, executable);
    return true;
}

void LogLine(std::string_view text) {
    LogState& s = State();
    std::lock_guard lock(s.mutex);
    if (!s.file) {
        s.path = DebugLogName;
        s.file = CreateAt(s.path);
        if (!s.file) {
            s.path = TempFilePath(DebugLogName);
            s.file = CreateAt(s.path);
        }
        if (!s.file) return;
    }
    std::fwrite(text.data(), 1, text.size(), s.file);
    std::fputc('\n', s.file);
    std::fflush(s.file);
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
