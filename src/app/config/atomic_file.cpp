#include "app/config/atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace pax {
namespace fs = std::filesystem;

namespace {

using Stage = AtomicWriteResult::Stage;

AtomicWriteResult Failure(Stage stage, int error) {
    return AtomicWriteResult{stage, error != 0 ? error : EIO};
}

std::string ResolveLink(const std::string& path) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec)) return path;
    fs::path target = fs::weakly_canonical(path, ec);
    return ec ? path : target.string();
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

mode_t ModeFor(const std::string& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) return old.st_mode & 07777;
    return 0644;
}

// The rename itself must reach the disk too; a directory that cannot be synced (some
// network file systems) still holds the new file, so failures here are not reported.
void SyncDirectory(const std::string& directory) {
    int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view contents) {
    const std::string target = ResolveLink(path);
    fs::path targetPath(target);
    const fs::path parent = targetPath.parent_path();
    const std::string directory = parent.empty() ? std::string(".") : parent.string();
    std::string temp = directory + "/." + targetPath.filename().string() + ".XXXXXX";

    int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return Failure(Stage::Create, errno);

    auto abandon = [&](Stage stage) {
        int error = errno;
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        return Failure(stage, error);
    };
    if (::fchmod(fd, ModeFor(target)) != 0) return abandon(Stage::Write);
    if (!WriteAll(fd, contents)) return abandon(Stage::Write);
    if (::fsync(fd) != 0) return abandon(Stage::Write);
    int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return abandon(Stage::Write);
    if (::rename(temp.c_str(), target.c_str()) != 0) return abandon(Stage::Replace);
    SyncDirectory(directory);
    return {};
}

}  // namespace pax
