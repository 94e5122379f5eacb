#pragma once
// Scratch directories and file helpers for the configuration tests.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace pax::testing {

// A fresh directory under the temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pax3d-config-XXXXXX").string();
        if (::mkdtemp(pattern.data())) m_path = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(std::string_view name) const { return std::string(m_path).append("/").append(name); }
    size_t Entries() const {
        auto entries = std::filesystem::directory_iterator(m_path);
        return static_cast<size_t>(std::distance(begin(entries), end(entries)));
    }

private:
    std::string m_path;
};

inline void WriteTextFile(const std::string& path, std::string_view text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(text.data(), std::streamsize(text.size()));
}

inline std::string ReadTextFile(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

}  // namespace pax::testing
