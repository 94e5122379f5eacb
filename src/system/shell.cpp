#include "system/shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <thread>
#include <vector>

#include "system/error_reporting.h"

extern char** environ;

namespace pax {
namespace {
namespace fs = std::filesystem;

bool IsExecutableFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec) && access(path.c_str(), X_OK) == 0;
}

bool IsUrl(std::string_view file) { return file.find("://") != std::string_view::npos; }

// Starts argv[0] (searched in PATH) and lets a detached thread collect its exit status, so
// that no child is left as a zombie while the program runs.
bool Spawn(const std::vector<std::string>& args, const std::string& workingDirectory) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!workingDirectory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    std::thread([pid] {
        int status = 0;
        waitpid(pid, &status, 0);
    }).detach();
    return true;
}

bool ReportStartFailure(const std::string& file) {
    ShowError("application start", "can not start application '" + file + "'\n", Buttons::Ok);
    return false;
}

bool OpenWithDesktop(const std::string& file, const std::string& workingDirectory) {
    std::string opener = FindProgram("xdg-open");
    if (opener.empty() || !Spawn({opener, file}, workingDirectory)) return ReportStartFailure(file);
    return true;
}

struct AppletPage {
    const char* applet;
    const char* page;
};

constexpr AppletPage AppletPages[] = {
    {"sysdm.cpl", "info-overview"}, {"mmsys.cpl", "sound"},  {"main.cpl", "mouse"},
    {"desk.cpl", "display"},        {"intl.cpl", "region"}, {"timedate.cpl", "datetime"},
};

}  // namespace

std::string FindProgram(const std::string& name) {
    if (name.empty()) return "";
    if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : "";
    const char* path = std::getenv("PATH");
    std::string_view dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        size_t colon = dirs.find(':');
        std::string dir(dirs.substr(0, colon));
        std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (IsExecutableFile(candidate)) return candidate;
        if (colon == std::string_view::npos) return "";
        dirs.remove_prefix(colon + 1);
    }
}

bool StartApplication(const std::string& file, const std::string& workingDirectory) {
    std::error_code ec;
    if (file.empty() || (!IsUrl(file) && !fs::exists(file, ec))) return ReportStartFailure(file);
    if (!IsExecutableFile(file)) return OpenWithDesktop(file, workingDirectory);
    // Absolute, because the working directory changes before the program starts, and a bare
    // name means the file here, never one found in PATH.
    std::string program = fs::absolute(file, ec).string();
    if (ec || !Spawn({program}, workingDirectory)) return ReportStartFailure(file);
    return true;
}

bool OpenDocument(const std::string& file) {
    std::error_code ec;
    if (file.empty() || (!IsUrl(file) && !fs::exists(file, ec))) return ReportStartFailure(file);
    return OpenWithDesktop(file, "");
}

bool OpenControlPanel(const std::string& applet) {
    std::string settings = FindProgram("gnome-control-center");
    if (settings.empty()) return false;
    for (const AppletPage& entry : AppletPages) {
        if (applet == entry.applet) return Spawn({settings, entry.page}, "");
    }
    return false;
}

void ShowTaskBar() {}
void HideTaskBar() {}

}  // namespace pax
