#pragma once
// Files for the system tests: a temporary directory of their own, and the debug log kept in a
// file of this test process, so that tests running in parallel never share a log.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "system/debug_log.h"

namespace pax::testing {

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Removed by the process that made it: a death test's child, which exits through the
// static destructors, leaves it to its parent.
class ScopedTempDir {
public:
    ScopedTempDir() {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/pax3d_test_XXXXXX";
        if (mkdtemp(pattern.data())) m_path = pattern;
    }
    ~ScopedTempDir() {
        std::error_code ec;
        if (getpid() == m_owner && !m_path.empty()) std::filesystem::remove_all(m_path, ec);
    }
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    pid_t m_owner = getpid();
    std::string m_path;
};

// Points the debug log at this process's own file and remembers where it ended, so that
// Text() gives exactly what was logged since.
class LogWatch {
public:
    LogWatch() {
        static ScopedTempDir dir;
        m_path = dir.File("DEBUG.TMP");
        if (DebugLogPath() != m_path) CreateDebugLog(m_path, "test");
        m_start = ReadWholeFile(m_path).size();
    }
    std::string Text() const { return ReadWholeFile(m_path).substr(m_start); }

private:
    std::string m_path;
    size_t m_start = 0;
};

}  // namespace pax::testing
