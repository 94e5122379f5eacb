#include "system/startup.h"

#include <unistd.h>

#include <cctype>
#include <filesystem>

#include "system/boolean_stack.h"
#include "system/debug_log.h"
#include "system/display_info.h"
#include "system/error_reporting.h"
#include "system/file_utils.h"
#include "system/picture_clock.h"
#include "system/sound.h"
#include "system/system_info.h"
#include "system/user_folders.h"

namespace pax {
namespace {
namespace fs = std::filesystem;

struct StartState {
    std::string executable;
    std::string programName;
};

StartState& State() {
    static StartState state;
    return state;
}

std::string FullExecutablePath(const char* argv0) {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.string();
    if (!argv0 || !*argv0) return "";
    return fs::absolute(argv0, ec).string();
}

void CreateLogOrExit(const std::string& executable) {
    const std::string path = StateFilePath(DebugLogName);
    int code = CreateDebugLog(path, executable);
    if (code == 0) return;
    SetIoResult(code);
    ShowFileError(0, path);
    const std::string fallback = PrivateTempFilePath(DebugLogName);
    ShowInfo("SysUtil2:  initialization", "using testfile " + fallback);
    code = CreateDebugLog(fallback, executable);
    if (code != 0) ExitProgram(code);
}

}  // namespace

std::string ProgramNameFrom(std::string_view path) {
    std::string name = fs::path(path).filename().string();
    constexpr std::string_view Exe = ".exe";
    if (name.size() > Exe.size()) {
        std::string_view tail = std::string_view(name).substr(name.size() - Exe.size());
        bool isExe = true;
        for (size_t i = 0; i < Exe.size(); ++i) isExe &= std::tolower(static_cast<unsigned char>(tail[i])) == Exe[i];
        if (isExe) name.resize(name.size() - Exe.size());
    }
    return name;
}

const std::string& ExecutablePath() { return State().executable; }
const std::string& ProgramName() { return State().programName; }

void StartSystemUtilities(const char* argv0) {
    StartState& s = State();
    s.executable = FullExecutablePath(argv0);
    CreateLogOrExit(s.executable);

    s.programName = ProgramNameFrom(argv0 && *argv0 ? argv0 : s.executable);
    RememberStartDirectory();
    RefreshMemoryStatus();
    SetCurrentDisplayMode(0);
    ResetBooleanStack();
    ReadWaveDevices();
    ResetPictureClock();

    LogInitialization("SysUtil2", "program " + s.programName + ", computer " +
                                      SystemInfo::ComputerName() + ", start directory " +
                                      StartDirectory() + ", memory " +
                                      std::to_string(MemoryStatus().TotalPhys >> 20) +
                                      " MB, wave devices " + std::to_string(WaveDeviceCount()));
}

void StopSystemUtilities() {
    StopSound();
    ResetBooleanStack();
    CloseDebugLog();
}

}  // namespace pax
