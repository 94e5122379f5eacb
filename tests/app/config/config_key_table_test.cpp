#include "app/config/config_key_table.h"

#include <gtest/gtest.h>

#include <set>

#include "app/config/ini_file.h"

namespace pax {
namespace {

TEST(ConfigKeyTable, GroupsHaveTheirSectionsFirstKeysAndSizesAndFlagsMarkKeptAndUnwrittenEntries) {
    const std::tuple<std::string_view, std::string_view, int> expected[] = {
        {"--- Main Window ---", "DemoGroup", 8},      {"--- Background ---", "Show Picture", 11},
        {"--- Draw Options ---", "Convex Object", 19}, {"--- Light Options ---", "Light Color", 10},
        {"--- Basic Values ---", "Step", 9},          {"--- Animation Values ---", "Rotate", 9},
    };
    for (int g = 0; g < ConfigGroupCount; ++g) {
        const ConfigGroup& group = ConfigGroups()[g];
        EXPECT_EQ(std::tuple(group.Section, ConfigKeyTable()[group.First].Key, group.Count), expected[g]);
        EXPECT_EQ(ConfigGroupOf(group.First + group.Count - 1), g);
    }
    EXPECT_EQ(ConfigKeyTable()[65].Key, "Next Demo [sec]");
    EXPECT_EQ(ConfigGroupOf(66), -1);

    std::set<std::string_view> kept, unwritten;
    for (const ConfigKey& key : ConfigKeyTable()) {
        if (key.KeptOnReset()) kept.insert(key.Key);
        if (key.NeverWritten()) unwritten.insert(key.Key);
    }
    EXPECT_EQ(kept, (std::set<std::string_view>{"DemoGroup", "Figure"}));
    EXPECT_EQ(unwritten, (std::set<std::string_view>{"ZBuffer", "Scroll Background", "Filter Background",
                                                     "Show Light", "LightIsOn"}));
}

TEST(ConfigKeyTable, KeysAreUniqueInTheirGroupAndDefaultsParseWithinTheLimits) {
    std::set<std::pair<std::string_view, int>> keys;
    for (const ConfigKey& key : ConfigKeyTable()) {
        SCOPED_TRACE(std::string(key.Key));
        EXPECT_TRUE(keys.emplace(key.Key, ConfigGroupOf(int(&key - ConfigKeyTable().data()))).second);
        switch (key.Type) {
            case 'b': EXPECT_TRUE(ParseIniBool(key.Default).has_value()); break;
            case 'h': EXPECT_TRUE(ParseIniHex(key.Default).has_value()); break;
            case 'v': EXPECT_EQ(key.Default, "---"); EXPECT_LE(key.Min, 0); EXPECT_GE(key.Max, 0); break;
            case 'i': {
                const std::optional<int32_t> value = ParseIniInteger(key.Default);
                ASSERT_TRUE(value.has_value());
                EXPECT_GE(*value, key.Min);
                EXPECT_LE(*value, key.Max);
                EXPECT_LT(key.Min, key.Max);
                break;
            }
            default: break;
        }
    }
}

}  // namespace
}  // namespace pax
