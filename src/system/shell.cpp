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

// The desktops' settings tools for each applet, the first one installed wins: GNOME's
// control centre with its page, KDE's system settings with its module, then single tools.
struct SettingsTool {
    const char* applet;
    const char* program;
    const char* page;   // nullptr: the program alone
};

constexpr SettingsTool SettingsTools[] = {
    {"sysdm.cpl", "gnome-control-center", "info-overview"},
    {"sysdm.cpl", "systemsettings", "kcm_about-distro"},
    {"sysdm.cpl", "xfce4-about", nullptr},
    {"mmsys.cpl", "gnome-control-center", "sound"},
    {"mmsys.cpl", "systemsettings", "kcm_pulseaudio"},
    {"mmsys.cpl", "pavucontrol", nullptr},
    {"main.cpl", "gnome-control-center", "mouse"},
    {"main.cpl", "systemsettings", "kcm_mouse"},
    {"main.cpl", "xfce4-mouse-settings", nullptr},
    {"desk.cpl", "gnome-control-center", "display"},
    {"desk.cpl", "systemsettings", "kcm_kscreen"},
    {"desk.cpl", "xfce4-display-settings", nullptr},
    {"intl.cpl", "gnome-control-center", "region"},
    {"intl.cpl", "systemsettings", "kcm_regionandlang"},
    {"timedate.cpl", "gnome-control-center", "datetime"},
    {"timedate.cpl", "systemsettings", "kcm_clock"},
    {"joy.cpl", "jstest-gtk", nullptr},
    // Modems are network connections on Linux.
    {"modem.cpl", "nm-connection-editor", nullptr},
};

// The installed tool of the applet and its arguments; empty when there is none.
std::vector<std::string> SettingsCommand(const std::string& applet) {
    for (const SettingsTool& tool : SettingsTools) {
        if (applet != tool.applet) continue;
        std::string program = FindProgram(tool.program);
        if (program.empty()) continue;
        if (!tool.page) return {program};
        return {program, tool.page};
    }
    return {};
}

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

bool HasControlPanel(const std::string& applet) { return !SettingsCommand(applet).empty(); }

bool OpenControlPanel(const std::string& applet) {
    const std::vector<std::string> command = SettingsCommand(applet);
    return !command.empty() && Spawn(command, "");
}

void ShowTaskBar() {}
void HideTaskBar() {}

}  // namespace pax
