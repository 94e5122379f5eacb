#pragma once
// The ConfigKeyTable: one static description of every stored setting, which drives loading,
// saving and resetting. 66 entries in six groups, each group a contiguous run of the table
// stored in its own section of the file.

#include <array>
#include <cstdint>
#include <string_view>
#include <variant>

#include "system/settings.h"

namespace pax {

inline constexpr int ConfigKeyCount = 66;
inline constexpr int ConfigGroupCount = 6;

// Where an entry's value lives: an element of Switches or a field of tConfigValues.
struct SwitchTarget {
    int Index;
};
using ConfigTarget = std::variant<SwitchTarget,                        // type 'b'
                                  int32_t tConfigValues::*,            // 'i'
                                  uint32_t tConfigValues::*,           // 'h'
                                  std::string tConfigValues::*,        // 's'
                                  tConfigVector tConfigValues::*,      // 'v'
                                  long double tConfigValues::*>;       // 'f'

struct ConfigKey {
    std::string_view Key;       // at most 20 characters
    std::string_view Flags;     // "r": kept by the reset operations; "s": never written
    char Type;                  // 'b', 'i', 'h', 's', 'v' or 'f'
    ConfigTarget Target;
    std::string_view Default;   // "True"/"False", decimal, "$" + hex, text; "---" for vectors
    // The values a read may give ('i', 'v' per component, 'f'); a value outside is limited
    // to the nearer bound.
    long double Min = 0;
    long double Max = 0;

    bool KeptOnReset() const { return Flags.find('r') != std::string_view::npos; }
    bool NeverWritten() const { return Flags.find('s') != std::string_view::npos; }
};

struct ConfigGroup {
    std::string_view Section;
    int First;
    int Count;
};

const std::array<ConfigKey, ConfigKeyCount>& ConfigKeyTable();
const std::array<ConfigGroup, ConfigGroupCount>& ConfigGroups();

// The group an entry belongs to.
int ConfigGroupOf(int entry);

}  // namespace pax
