#pragma once
// The configuration file: loading, saving and resetting the settings record and the
// switches through the ConfigKeyTable, the window places, and the background-picture list.
//
// Every operation here writes the switches directly, without the reactions that SetSwitch
// runs: loading happens before any window exists, and the options dialog applies a reset to
// the engine itself. Each returns the switches it changed, so that a caller who needs the
// reactions can run them (SetSwitch(i, settings.Switches[i]) for each).

#include <bitset>
#include <string>
#include <string_view>

#include "system/settings.h"

namespace pax {

// The record and switch table an operation works on; the process-wide ones by default.
struct SettingsRef {
    tConfigValues& Values;
    tSwitches& Switches;
};
SettingsRef GlobalSettings();

using SwitchChanges = std::bitset<Switch::Count>;

inline constexpr int MaxPictures = 8;
inline constexpr int ConfigRecordSize = static_cast<int>(sizeof(tConfigValues));

// directory + "/" + programName + ".INI"; "Pax3d" stands in for an empty program name.
std::string ConfigurationFileName(std::string_view directory, std::string_view programName);

SwitchChanges SetAllDefaults(SettingsRef settings);
// Every entry not flagged "r".
SwitchChanges ResetAll(SettingsRef settings);
// One group (0..5) of the table; another number changes nothing.
SwitchChanges ResetGroup(SettingsRef settings, int group);

// Reads the file Values.ConfigFileName (a missing or unreadable file gives no message and
// leaves the defaults). Values are limited to the table's ranges; unreadable ones keep
// their defaults. The basic values (group 4) are never read but reset. With "Play Sound"
// on, the stored volume is set.
SwitchChanges LoadConfiguration(SettingsRef settings);

// Writes the file Values.ConfigFileName atomically. On failure ShowLastError offers Abort,
// Retry and Ignore; Retry saves again. Returns whether the file was written.
bool SaveConfiguration(SettingsRef settings);

// The picture list (at most MaxPictures). AddPicture makes the file the used picture, at
// the front of the list when it was not in it. DeletePicture removes one entry; the used
// picture moves to the entry now at that index, or to the last one.
void AddPicture(tConfigValues& values, const std::string& file);
void DeletePicture(tConfigValues& values, int index);

// Start-up of the configuration, once before any window: writes the unit's line to the
// debug log, names the file (configPath when given, else the default name in the start
// directory), sets all defaults and loads the file into the process-wide settings.
void StartConfiguration(std::string_view programName, std::string_view configPath = {});

}  // namespace pax
