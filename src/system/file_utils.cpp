#include "system/file_utils.h"

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
    for (const auto& entry : fs::directory_iterator(directory.empty() ? "." : directory, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        std::string name = entry.path().filename().string();
        if (fnmatch(mask.c_str(), name.c_str(), 0) == 0) files.push_back(entry.path().string());
    }
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

}  // namespace pax
