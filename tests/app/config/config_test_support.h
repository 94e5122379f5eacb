#pragma once
// Scratch directories and file helpers for the configuration tests.

#include <cstdlib>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
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
    std::string File(std::string_view name) const { return m_path + "/" + std::string(name); }

private:
    std::string m_path;
};

inline void WriteTextFile(const std::string& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

inline std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Makes a directory refuse new files for its lifetime: by its mode for a normal user, by
// the immutable flag for root (whom modes do not stop). Usable() is false where neither
// works.
class ReadOnlyDirectory {
public:
    explicit ReadOnlyDirectory(const std::string& path) : m_path(path) {
        if (::geteuid() != 0) {
            m_usable = ::chmod(path.c_str(), 0500) == 0;
            return;
        }
        m_fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (m_fd < 0 || ::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) != 0) return;
        m_flags = flags;
        flags |= FS_IMMUTABLE_FL;
        m_usable = ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ~ReadOnlyDirectory() {
        if (::geteuid() != 0) ::chmod(m_path.c_str(), 0700);
        if (m_fd < 0) return;
        if (m_usable) ::ioctl(m_fd, FS_IOC_SETFLAGS, &m_flags);
        ::close(m_fd);
    }
    bool Usable() const { return m_usable; }

private:
    std::string m_path;
    int m_fd = -1;
    int m_flags = 0;
    bool m_usable = false;
};

}  // namespace pax::testing
