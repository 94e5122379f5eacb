#include "system/user_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "system/startup.h"

namespace pax {
namespace {
namespace fs = std::filesystem;

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : "";
}

// A directory of this user's with no access for others, made with its parents when missing.
bool IsOwnDirectory(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

bool MakeOwnDirectory(const std::string& path) {
    if (IsOwnDirectory(path)) return true;
    std::error_code ec;
    const fs::path parent = fs::path(path).parent_path();
    if (!parent.empty()) fs::create_directories(parent, ec);
    const int savedErrno = errno;
    ::mkdir(path.c_str(), 0700);
    errno = savedErrno;
    return IsOwnDirectory(path);
}

// $<variable>/pax3d, else $HOME/<fallback>/pax3d, else the private temporary folder.
std::string UserFolder(const char* variable, const char* homeFallback) {
    std::string base = Env(variable);
    // The XDG rules ignore relative paths.
    if (base.empty() || base.front() != '/') {
        const std::string home = Env("HOME");
        if (!home.empty()) base = (fs::path(home) / homeFallback).string();
    }
    if (!base.empty()) {
        const std::string folder = (fs::path(base) / AppFolderName).string();
        if (MakeOwnDirectory(folder)) return folder;
    }
    return PrivateTempFolder();
}

}  // namespace

std::string ConfigFolder() { return UserFolder("XDG_CONFIG_HOME", ".config"); }

std::string StateFolder() { return UserFolder("XDG_STATE_HOME", ".local/state"); }

std::string StateFilePath(std::string_view name) { return (fs::path(StateFolder()) / name).string(); }

std::string PrivateTempFolder() {
    const std::string name = std::string(AppFolderName) + "-" + std::to_string(::geteuid());
    for (const std::string& base : {Env("TMPDIR"), std::string("/tmp")}) {
        if (base.empty()) continue;
        const std::string folder = (fs::path(base) / name).string();
        const int savedErrno = errno;
        ::mkdir(folder.c_str(), 0700);
        errno = savedErrno;
        struct stat info {};
        if (::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
            (info.st_mode & 077) == 0)
            return folder;
    }
    return {};
}

std::string PrivateTempFilePath(std::string_view name) {
    const std::string folder = PrivateTempFolder();
    return folder.empty() ? std::string() : (fs::path(folder) / name).string();
}

std::string DataFolder() {
    std::vector<fs::path> candidates;
    if (const std::string env = Env("PAX3D_DATA"); !env.empty()) candidates.emplace_back(env);
    const fs::path exe = fs::path(ExecutablePath()).parent_path();
    if (!exe.empty()) {
        candidates.push_back(exe / "data");
        candidates.push_back((exe / ".." / "share" / "pax3d" / "data").lexically_normal());
    }
    if (candidates.empty()) return "data";
    std::error_code ec;
    for (const fs::path& folder : candidates)
        if (fs::is_directory(folder, ec)) return folder.string();
    return candidates.front().string();
}

std::string DataFilePath(std::string_view name) { return (fs::path(DataFolder()) / name).string(); }

}  // namespace pax
