#include "app/config/configuration.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <optional>
#include <unistd.h>
#include <variant>

#include "app/config/atomic_file.h"
#include "app/config/config_key_table.h"
#include "app/config/ini_file.h"
#include "system/debug_log.h"
#include "system/display_info.h"
#include "system/error_reporting.h"
#include "system/file_utils.h"
#include "system/user_folders.h"
#include "system/sound.h"

namespace pax {
namespace {

using V = tConfigValues;

constexpr std::string_view MainSection = "--- Main Window ---";
constexpr std::string_view LSystemSection = "--- LSystems Window ---";
constexpr std::string_view BackgroundSection = "--- Background ---";
constexpr std::string_view LeftKey = "Left Position";
constexpr std::string_view TopKey = "Top Position";

// Texts (picture file names) are kept to a path's length so a hostile file cannot blow up
// the record.
constexpr size_t TextCapacity = 4096;

// A window may not start closer than this to the right and bottom screen edges (pixels).
constexpr int RightMargin = 100;
constexpr int BottomMargin = 40;
// Window sizes accepted from the file (pixels).
constexpr int32_t MinWindowExtent = 100;
constexpr int32_t MaxWindowExtent = 16384;

struct ToolWindowKey {
    std::string_view Section;
    tWindowPlace V::*Place;
};

// In the order they are written, after the main window.
constexpr std::array<ToolWindowKey, 6> ToolWindows{{
    {"--- About Window ---", &V::AboutWindow},
    {"--- Option Window ---", &V::OptionWindow},
    {"--- Figure Values Window ---", &V::FigureValuesWindow},
    {"--- Navigation Window ---", &V::NavigationWindow},
    {"--- Animation Window ---", &V::AnimationWindow},
    {"--- Color32 Window ---", &V::ColorWindow},
}};

// Groups in the order of their sections in a saved file.
constexpr std::array<int, 5> SavedGroupOrder{2, 1, 3, 4, 5};

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

std::string CutToCapacity(std::string text) {
    if (text.size() <= TextCapacity) return text;
    size_t end = TextCapacity;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
    return text;
}

template <class T>
T Limit(T value, const ConfigKey& key) {
    return static_cast<T>(std::clamp<long double>(value, key.Min, key.Max));
}

std::string PictureKey(int number) { return "Picture" + std::to_string(number); }

std::string ComponentKey(std::string_view key, char axis) { return std::string(key) + '.' + axis; }

std::string NowText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::strftime(text, sizeof text, "%d.%m.%Y %H:%M:%S", &local);
    return text;
}

SwitchChanges Changes(const tSwitches& before, const tSwitches& after) {
    SwitchChanges changed;
    for (int i = 0; i < Switch::Count; ++i) changed[i] = before[i] != after[i];
    return changed;
}

// ---- one entry ----

void AssignDefault(const ConfigKey& key, SettingsRef s) {
    std::visit(Overloaded{
                   [&](SwitchTarget t) { s.Switches[t.Index] = ParseIniBool(key.Default).value_or(false); },
                   [&](int32_t V::*f) { s.Values.*f = ParseIniInteger(key.Default).value_or(0); },
                   [&](uint32_t V::*f) { s.Values.*f = ParseIniHex(key.Default).value_or(0); },
                   [&](std::string V::*f) { s.Values.*f = std::string(key.Default); },
                   [&](tConfigVector V::*f) { s.Values.*f = tConfigVector{}; },
                   [&](long double V::*f) { s.Values.*f = ParseIniFloat(key.Default).value_or(0); },
               },
               key.Target);
}

void ReadEntry(const IniFile& ini, std::string_view section, const ConfigKey& key, SettingsRef s) {
    std::visit(Overloaded{
                   [&](SwitchTarget t) {
                       s.Switches[t.Index] =
                           ini.ReadBool(section, key.Key, ParseIniBool(key.Default).value_or(false));
                   },
                   [&](int32_t V::*f) {
                       int32_t fallback = ParseIniInteger(key.Default).value_or(0);
                       s.Values.*f = Limit(ini.ReadInteger(section, key.Key, fallback), key);
                   },
                   [&](uint32_t V::*f) {
                       s.Values.*f = ini.ReadHex(section, key.Key, ParseIniHex(key.Default).value_or(0));
                   },
                   [&](std::string V::*f) {
                       s.Values.*f = CutToCapacity(ini.ReadString(section, key.Key, key.Default));
                   },
                   [&](tConfigVector V::*f) {
                       // The current vector is the fallback, component by component.
                       tConfigVector& v = s.Values.*f;
                       v.x = Limit(ini.ReadFloat(section, ComponentKey(key.Key, 'x'), v.x), key);
                       v.y = Limit(ini.ReadFloat(section, ComponentKey(key.Key, 'y'), v.y), key);
                       v.z = Limit(ini.ReadFloat(section, ComponentKey(key.Key, 'z'), v.z), key);
                   },
                   [&](long double V::*f) {
                       long double fallback = ParseIniFloat(key.Default).value_or(0);
                       s.Values.*f = Limit(ini.ReadFloat(section, key.Key, fallback), key);
                   },
               },
               key.Target);
}

void WriteEntry(IniFile& ini, std::string_view section, const ConfigKey& key, SettingsRef s) {
    if (key.NeverWritten()) return;
    std::visit(Overloaded{
                   [&](SwitchTarget t) { ini.WriteBool(section, key.Key, s.Switches[t.Index]); },
                   [&](int32_t V::*f) { ini.WriteInteger(section, key.Key, s.Values.*f); },
                   [&](uint32_t V::*f) { ini.WriteHex(section, key.Key, s.Values.*f); },
                   [&](std::string V::*f) {
                       if (!(s.Values.*f).empty()) ini.WriteString(section, key.Key, s.Values.*f);
                   },
                   [&](tConfigVector V::*f) {
                       const tConfigVector& v = s.Values.*f;
                       ini.WriteFloat(section, ComponentKey(key.Key, 'x'), v.x);
                       ini.WriteFloat(section, ComponentKey(key.Key, 'y'), v.y);
                       ini.WriteFloat(section, ComponentKey(key.Key, 'z'), v.z);
                   },
                   [&](long double V::*f) { ini.WriteFloat(section, key.Key, s.Values.*f); },
               },
               key.Target);
}

// ---- groups ----

template <class Action>
void ForGroup(int group, Action action) {
    const ConfigGroup& g = ConfigGroups()[group];
    for (int i = g.First; i < g.First + g.Count; ++i) action(ConfigKeyTable()[i], g.Section);
}

enum class ResetScope { Everything, NotKept };

void ResetEntries(SettingsRef s, int group, ResetScope scope) {
    ForGroup(group, [&](const ConfigKey& key, std::string_view) {
        if (scope == ResetScope::NotKept && key.KeptOnReset()) return;
        AssignDefault(key, s);
    });
}

void ReadGroup(const IniFile& ini, SettingsRef s, int group) {
    ForGroup(group, [&](const ConfigKey& key, std::string_view section) { ReadEntry(ini, section, key, s); });
}

void WriteGroup(IniFile& ini, SettingsRef s, int group) {
    ForGroup(group, [&](const ConfigKey& key, std::string_view section) { WriteEntry(ini, section, key, s); });
}

// ---- windows and pictures ----

tWindowPlace ReadPlace(const IniFile& ini, std::string_view section, tWindowPlace fallback) {
    const tDisplayInfo& screen = DisplayInfo();
    int32_t left = ini.ReadInteger(section, LeftKey, fallback.Left);
    int32_t top = ini.ReadInteger(section, TopKey, fallback.Top);
    return {std::min(left, static_cast<int32_t>(screen.HorzRes) - RightMargin),
            std::min(top, static_cast<int32_t>(screen.VertRes) - BottomMargin)};
}

int32_t ReadExtent(const IniFile& ini, std::string_view section, std::string_view key, int32_t fallback) {
    return std::clamp(ini.ReadInteger(section, key, fallback), MinWindowExtent, MaxWindowExtent);
}

void ReadWindows(const IniFile& ini, tConfigValues& v) {
    const tConfigValues defaults;
    tWindowPlace main = ReadPlace(ini, MainSection, {defaults.MainLeft, defaults.MainTop});
    v.MainLeft = main.Left;
    v.MainTop = main.Top;
    for (const ToolWindowKey& w : ToolWindows) v.*w.Place = ReadPlace(ini, w.Section, defaults.*w.Place);
    v.LSystemWindow = ReadPlace(ini, LSystemSection, defaults.LSystemWindow);
    v.MainWidth = ReadExtent(ini, MainSection, "Width", defaults.MainWidth);
    v.MainHeight = ReadExtent(ini, MainSection, "Height", defaults.MainHeight);
    v.LSystemWidth = ReadExtent(ini, LSystemSection, "Width", defaults.LSystemWidth);
    v.LSystemHeight = ReadExtent(ini, LSystemSection, "Height", defaults.LSystemHeight);
}

void WritePlace(IniFile& ini, std::string_view section, tWindowPlace place) {
    ini.WriteInteger(section, LeftKey, place.Left);
    ini.WriteInteger(section, TopKey, place.Top);
}

void ReadPictureList(const IniFile& ini, tConfigValues& v) {
    v.PictureList.clear();
    for (int n = 1; n <= MaxPictures; ++n) {
        std::string file = CutToCapacity(ini.ReadString(BackgroundSection, PictureKey(n), ""));
        if (!file.empty()) v.PictureList.push_back(std::move(file));
    }
}

// Files that are gone are dropped silently. An empty list has the index 0, as after
// deleting its last entry; -1 means that the used picture is not in a non-empty list.
void CheckPictureList(tConfigValues& v) {
    std::erase_if(v.PictureList, [](const std::string& file) { return !FileExists(file); });
    if (v.PictureList.empty()) {
        v.UsedPictureIndex = 0;
        return;
    }
    auto found = std::find(v.PictureList.begin(), v.PictureList.end(), v.UsedPicture);
    v.UsedPictureIndex = found == v.PictureList.end()
                             ? -1
                             : static_cast<int32_t>(found - v.PictureList.begin());
    int32_t count = static_cast<int32_t>(v.PictureList.size());
    if (v.UsedPictureIndex >= count) {
        v.UsedPictureIndex = count - 1;
        v.UsedPicture = v.PictureList.back();
    }
}

std::string FileNameOf(const tConfigValues& v) {
    if (!v.ConfigFileName.empty()) return v.ConfigFileName;
    return ConfigurationFileName(ConfigFolder(), v.ProgramName);
}

bool CanOpenForReading(const std::string& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        errno = 0;  // a missing file is no error to report later
        return false;
    }
    ::close(fd);
    return true;
}

// A configuration that cannot be read where it belongs may have been left in the
// temporary directory by an earlier run that could not write there.
void UseTemporaryCopyIfNeeded(tConfigValues& v) {
    const std::string file = FileNameOf(v);
    v.ConfigFileName = file;
    if (CanOpenForReading(file)) return;
    std::string copy = PrivateTempFilePath(std::filesystem::path(file).filename().string());
    if (copy.empty() || copy == file || !FileExists(copy)) return;
    v.ConfigFileName = copy;
    ShowInfo("Unit PaxConf: LoadConfiguration", "loading preferences from file '" + copy + "' !");
}

// ---- saving ----

IniFile BuildConfigurationFile(SettingsRef s) {
    const tConfigValues& v = s.Values;
    IniFile ini;
    ini.WriteString("global", "Saving Time", NowText());

    // Cleared before its first key, so that the place and size written next stay in it.
    ini.EraseSection(MainSection);
    WritePlace(ini, MainSection, {v.MainLeft, v.MainTop});
    ini.WriteInteger(MainSection, "Width", v.MainWidth);
    ini.WriteInteger(MainSection, "Height", v.MainHeight);
    WriteGroup(ini, s, 0);

    for (const ToolWindowKey& w : ToolWindows) WritePlace(ini, w.Section, v.*w.Place);
    WritePlace(ini, LSystemSection, v.LSystemWindow);
    ini.WriteInteger(LSystemSection, "Width", v.LSystemWidth);
    ini.WriteInteger(LSystemSection, "Height", v.LSystemHeight);

    for (int group : SavedGroupOrder) {
        ini.EraseSection(ConfigGroups()[group].Section);
        WriteGroup(ini, s, group);
        if (group != 1) continue;
        for (int n = 1; n <= MaxPictures; ++n) ini.DeleteKey(BackgroundSection, PictureKey(n));
        int count = std::min<int>(MaxPictures, static_cast<int>(v.PictureList.size()));
        for (int n = 1; n <= count; ++n) ini.WriteString(BackgroundSection, PictureKey(n), v.PictureList[n - 1]);
    }
    return ini;
}

struct SaveFailure {
    int Error = 0;
    std::string Text;
};

std::optional<SaveFailure> TrySave(SettingsRef s, const std::string& file) {
    try {
        AtomicWriteResult result = WriteFileAtomically(file, BuildConfigurationFile(s).ToText());
        if (result.Ok()) return std::nullopt;
        if (result.FailedAt == AtomicWriteResult::Stage::Create)
            return SaveFailure{result.Error, "can not save file '" + file + "' !"};
        return SaveFailure{result.Error, "can not write to file '" + file + "' !\n"};
    } catch (const std::bad_alloc&) {
        return SaveFailure{ENOMEM, "can not write to file '" + file + "' !\n"};
    } catch (const std::exception&) {
        return SaveFailure{EIO, "can not write to file '" + file + "' !\n"};
    }
}

}  // namespace

SettingsRef GlobalSettings() { return {ConfigValues(), Switches()}; }

std::string ConfigurationFileName(std::string_view startDirectory, std::string_view programName) {
    std::string name = programName.empty() ? "Pax3d" : std::string(programName);
    std::string directory(startDirectory);
    if (!directory.empty() && directory.back() != '/') directory += '/';
    return directory + name + ".INI";
}

SwitchChanges SetAllDefaults(SettingsRef s) {
    const tSwitches before = s.Switches;
    for (int g = 0; g < ConfigGroupCount; ++g) ResetEntries(s, g, ResetScope::Everything);
    return Changes(before, s.Switches);
}

SwitchChanges ResetAll(SettingsRef s) {
    const tSwitches before = s.Switches;
    for (int g = 0; g < ConfigGroupCount; ++g) ResetEntries(s, g, ResetScope::NotKept);
    return Changes(before, s.Switches);
}

SwitchChanges ResetGroup(SettingsRef s, int group) {
    const tSwitches before = s.Switches;
    if (group >= 0 && group < ConfigGroupCount) ResetEntries(s, group, ResetScope::NotKept);
    return Changes(before, s.Switches);
}

SwitchChanges LoadConfiguration(SettingsRef s) {
    const tSwitches before = s.Switches;
    UseTemporaryCopyIfNeeded(s.Values);
    IniFile ini;
    ini.LoadFromFile(s.Values.ConfigFileName);

    for (int group : {0, 1, 2, 3}) ReadGroup(ini, s, group);
    // The basic values always start from their defaults.
    ResetEntries(s, 4, ResetScope::NotKept);
    ReadGroup(ini, s, 5);
    ReadWindows(ini, s.Values);
    ReadPictureList(ini, s.Values);
    CheckPictureList(s.Values);

    if (s.Switches[Switch::PlaySound]) SetSoundVolume(s.Values.SoundVolume);
    return Changes(before, s.Switches);
}

bool SaveConfiguration(SettingsRef s) {
    const std::string file = FileNameOf(s.Values);
    for (;;) {
        std::optional<SaveFailure> failure = TrySave(s, file);
        if (!failure) return true;
        errno = failure->Error;
        int answer = ShowLastError("PaxConf.SaveConfiguration", failure->Text,
                                   Buttons::AbortRetryIgnoreDefault2);
        if (answer != Answer::Retry) return false;
    }
}

void AddPicture(tConfigValues& v, const std::string& file) {
    std::string name = CutToCapacity(file);
    auto found = std::find(v.PictureList.begin(), v.PictureList.end(), name);
    if (found != v.PictureList.end()) {
        v.UsedPictureIndex = static_cast<int32_t>(found - v.PictureList.begin());
    } else {
        v.PictureList.insert(v.PictureList.begin(), name);
        if (v.PictureList.size() > MaxPictures) v.PictureList.resize(MaxPictures);
        v.UsedPictureIndex = 0;
    }
    v.UsedPicture = name;
}

void DeletePicture(tConfigValues& v, int index) {
    if (index < 0 || index >= static_cast<int>(v.PictureList.size())) return;
    v.PictureList.erase(v.PictureList.begin() + index);
    if (v.PictureList.empty()) {
        v.UsedPicture.clear();
        v.UsedPictureIndex = 0;
        return;
    }
    v.UsedPictureIndex = std::min(index, static_cast<int>(v.PictureList.size()) - 1);
    v.UsedPicture = v.PictureList[static_cast<size_t>(v.UsedPictureIndex)];
}

void StartConfiguration(std::string_view programName, std::string_view configPath) {
    LogInitialization("PaxConf", std::to_string(ConfigRecordSize));
    SettingsRef s = GlobalSettings();
    s.Values.ProgramName = programName;
    s.Values.ConfigFileName =
        configPath.empty() ? ConfigurationFileName(ConfigFolder(), programName) : std::string(configPath);
    SetAllDefaults(s);
    LoadConfiguration(s);
}

}  // namespace pax
