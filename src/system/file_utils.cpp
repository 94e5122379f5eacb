#include "system/file_utils.h"

#include <algorithm>
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

}  // namespace pax
