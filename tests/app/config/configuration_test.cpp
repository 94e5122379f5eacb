#include "app/config/configuration.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <random>
#include <set>
#include <variant>

#include "app/config/config_key_table.h"
#include "app/config/config_test_support.h"
#include "app/config/ini_file.h"
#include "support/scripted_presenter.h"
#include "system/user_folders.h"
#include "system/display_info.h"
#include "system/sound.h"

namespace pax {
namespace {

using testing::ReadTextFile;
using testing::WriteTextFile;

const std::string MainSection = "--- Main Window ---";
const std::string AnimationSection = "--- Animation Values ---";

class Configuration : public ::testing::Test {
protected:
    void SetUp() override { m_values.ConfigFileName = File(); }
    void TearDown() override { DisplayInfo() = m_savedDisplay; }

    SettingsRef Settings() { return {m_values, m_switches}; }
    std::string File() const { return m_dir.File("pax3d.INI"); }
    tConfigValues Defaults() const {
        tConfigValues v;
        v.ConfigFileName = File();
        return v;
    }
    void Load() {
        SetAllDefaults(Settings());
        LoadConfiguration(Settings());
    }
    void LoadText(std::string_view text) {
        WriteTextFile(File(), text);
        Load();
    }
    IniFile SavedFile() {
        EXPECT_TRUE(SaveConfiguration(Settings()));
        IniFile ini;
        ini.LoadFromFile(File());
        return ini;
    }

    testing::TempDir m_dir;
    testing::ScopedPresenter m_presenter;
    tConfigValues m_values;
    tSwitches m_switches = DefaultSwitches();
    tDisplayInfo m_savedDisplay = DisplayInfo();
};

TEST_F(Configuration, NoFileGivesTheDefaultsWhateverWasSetBefore) {
    const tSwitches defaults = DefaultSwitches();
    tSwitches inTable{};
    for (const ConfigKey& key : ConfigKeyTable()) {
        std::visit([&](auto target) {
            using T = decltype(target);
            if constexpr (std::is_same_v<T, SwitchTarget>) {
                m_switches[target.Index] = !defaults[target.Index];
                inTable[target.Index] = true;
            } else if constexpr (std::is_same_v<T, std::string tConfigValues::*>) {
                m_values.*target = "scrambled";
            } else if constexpr (std::is_same_v<T, tConfigVector tConfigValues::*>) {
                m_values.*target = {1, 2, 3};
            } else {
                m_values.*target = 77;
            }
        }, key.Target);
    }
    Load();
    EXPECT_EQ(m_values, Defaults());
    EXPECT_EQ(m_switches, defaults);
    for (int i = 0; i < Switch::Count; ++i)
        EXPECT_TRUE(inTable[i] || !defaults[i]) << "switch " << i << " is on by default but has no entry";
    const tConfigValues& v = m_values;
    EXPECT_EQ(std::tuple(v.DemoGroup, v.Figure, v.SyncMode, v.SoundVolume, v.NextDemoSeconds),
              std::tuple(0, 0, 0, 100, 0));   // 0 seconds stand for 600
    EXPECT_EQ(std::tuple(v.BackgroundColor, v.LightColor), std::tuple(0xFF000000u, 0x00FFFF80u));
    for (const tConfigVector& vector : {v.Rotate, v.Distance, v.Oscillate, v.Times}) EXPECT_EQ(vector, tConfigVector{});
    EXPECT_EQ(m_presenter.Count(), 0u);
}

TEST_F(Configuration, ResetsKeepTheCurrentFigureAndReportChangedSwitches) {
    std::tie(m_values.DemoGroup, m_values.Figure, m_values.SyncMode, m_values.LineThickness, m_values.SoundVolume) =
        std::tuple(3, 4, 2, 5, 10);
    m_switches[Switch::Paused] = true;
    EXPECT_TRUE(ResetGroup(Settings(), 2).none());
    EXPECT_EQ(std::tuple(m_values.LineThickness, m_values.SoundVolume), std::tuple(1, 10));
    EXPECT_TRUE(ResetGroup(Settings(), 6).none());
    EXPECT_EQ(ResetAll(Settings()), SwitchChanges().set(Switch::Paused));
    EXPECT_EQ(std::tuple(m_values.DemoGroup, m_values.Figure, m_values.SyncMode, m_values.SoundVolume),
              std::tuple(3, 4, 0, 100));
    EXPECT_FALSE(m_switches[Switch::Paused]);
}

TEST_F(Configuration, BasicValuesAreNeverReadAndFlaggedSwitchesAreReadButNeverWritten) {
    LoadText("[--- Basic Values ---]\nStep=80\nRadius=7\n"
             "[--- Background ---]\nZBuffer=1\nScroll Background=1\nFilter Background=1\n"
             "[--- Light Options ---]\nShow Light=1\nLightIsOn=0\n");
    EXPECT_EQ(std::tuple(m_values.Step, m_values.Radius), std::tuple(50, 100));
    for (int i : {Switch::ZBuffer, Switch::ScrollBackground, Switch::FilterBackground, Switch::ShowLight})
        EXPECT_TRUE(m_switches[i]) << i;
    EXPECT_FALSE(m_switches[Switch::LightIsOn]);
    ASSERT_TRUE(SaveConfiguration(Settings()));
    const std::string text = ReadTextFile(File());
    for (const char* key : {"ZBuffer", "Scroll Background", "Filter Background", "Show Light", "LightIsOn"})
        EXPECT_EQ(text.find(key), std::string::npos) << key;
}

TEST_F(Configuration, SavedFileHasItsSectionsInOrderVectorsAsThreeKeysAndThePlatformTexts) {
    m_values.Rotate = {1.5L, -2.25L, 0.1L};
    IniFile ini = SavedFile();
    EXPECT_EQ(ini.SectionNames(),
              (std::vector<std::string>{"global", MainSection, "--- About Window ---", "--- Option Window ---",
                                        "--- Figure Values Window ---", "--- Navigation Window ---",
                                        "--- Animation Window ---", "--- Color32 Window ---",
                                        "--- LSystems Window ---", "--- Draw Options ---", "--- Background ---",
                                        "--- Light Options ---", "--- Basic Values ---", AnimationSection}));
    EXPECT_EQ(ini.KeyNames(MainSection),
              (std::vector<std::string>{"Left Position", "Top Position", "Width", "Height", "DemoGroup", "Figure",
                                        "Sync Mode", "Show Info", "Paused", "Realtime", "FullScreen",
                                        "Statusbar"}));
    EXPECT_TRUE(ini.ValueExists("global", "Saving Time"));
    EXPECT_EQ(ini.KeyNames("--- LSystems Window ---"),
              (std::vector<std::string>{"Left Position", "Top Position", "Width", "Height"}));
    EXPECT_EQ(ini.ReadString("--- Background ---", "Background Color", ""), "FF000000");
    EXPECT_EQ(ini.ReadString("--- Light Options ---", "Light Color", ""), "00FFFF80");
    EXPECT_EQ(ini.ReadString(MainSection, "Realtime", ""), "1");
    EXPECT_FALSE(ini.ValueExists("--- Background ---", "Used Picture"));   // empty texts are left out
    for (auto [key, text] : {std::pair("Rotate.x", "1.5"), {"Rotate.y", "-2.25"}, {"Rotate.z", "0.1"}})
        EXPECT_EQ(ini.ReadString(AnimationSection, key, ""), text);
    EXPECT_FALSE(ini.ValueExists(AnimationSection, "Rotate"));   // read back by the round trip below
}

TEST_F(Configuration, PictureListKeepsAtMostEightExistingFiles) {
    const auto picture = [&](int n) { return m_dir.File("p" + std::to_string(n) + ".jpg"); };
    std::string text = "[--- Background ---]\nUsed Picture=" + picture(5) + "\n";
    for (int n = 1; n <= 10; ++n) {
        WriteTextFile(picture(n), "x");
        text += "Picture" + std::to_string(n) + "=" + picture(n) + "\n";
    }
    LoadText(text);
    ASSERT_EQ(m_values.PictureList.size(), 8u);
    EXPECT_EQ(m_values.PictureList[7], picture(8));
    EXPECT_EQ(m_values.UsedPictureIndex, 4);
    std::filesystem::remove(picture(2));
    LoadText(text);
    EXPECT_EQ(m_values.PictureList.size(), 7u);
    EXPECT_EQ(m_values.UsedPictureIndex, 3);
    std::filesystem::remove(picture(5));
    LoadText(text);
    EXPECT_EQ(m_values.UsedPictureIndex, -1);   // the used picture is no longer in the list
}

TEST_F(Configuration, SaveThenLoadGivesTheSameValues) {
    std::mt19937 random(2024);
    for (int n = 1; n <= 3; ++n) WriteTextFile(m_dir.File("pic" + std::to_string(n)), "x");
    for (int round = 0; round < 20; ++round) {
        SetAllDefaults(Settings());
        for (const ConfigKey& key : ConfigKeyTable()) {
            if (key.NeverWritten() || ConfigGroupOf(int(&key - ConfigKeyTable().data())) == 4) continue;
            auto inRange = [&] { return std::uniform_int_distribution<int>(int(key.Min), int(key.Max))(random); };
            std::visit([&](auto target) {
                using T = decltype(target);
                if constexpr (std::is_same_v<T, SwitchTarget>) m_switches[target.Index] = random() % 2;
                else if constexpr (std::is_same_v<T, int32_t tConfigValues::*>) m_values.*target = inRange();
                else if constexpr (std::is_same_v<T, uint32_t tConfigValues::*>) m_values.*target = random();
                else if constexpr (std::is_same_v<T, tConfigVector tConfigValues::*>)
                    m_values.*target = {inRange() / 7.0L, inRange() / 3.0L, static_cast<long double>(inRange())};
            }, key.Target);
        }
        m_values.MainLeft = -int(random() % 500);
        m_values.ColorWindow = {int(random() % 1000), int(random() % 900)};
        m_values.LSystemHeight = 100 + int(random() % 1000);
        m_values.PictureList = {m_dir.File("pic1"), m_dir.File("pic2"), m_dir.File("pic3")};
        m_values.UsedPictureIndex = int(random() % 3);
        m_values.UsedPicture = m_values.PictureList[m_values.UsedPictureIndex];
        const tConfigValues saved = m_values;
        const tSwitches savedSwitches = m_switches;
        ASSERT_TRUE(SaveConfiguration(Settings()));
        m_values = Defaults();
        m_switches = DefaultSwitches();
        Load();
        ASSERT_EQ(m_values, saved);
        ASSERT_EQ(m_switches, savedSwitches);
    }
}

TEST_F(Configuration, DamagedFilesAndPlacesOffTheScreenGiveDefaultsOrTheLimitsWithoutAMessage) {
    DisplayInfo().HorzRes = 1024;
    DisplayInfo().VertRes = 768;
    LoadText("[--- Main Window ---]\r\nSync Mode=7\r\nShow Info=-5\r\nDemoGroup=x\r\n"
             "Left Position=5000\r\nTop Position=5000\r\nWidth=abc\r\n"
             "[--- About Window ---]\r\nLeft Position=-300\r\n[--- LSystems Window ---]\r\nWidth=10\r\nHeight=700\r\n"
             "[--- Draw Options ---]\r\nFont=2\r\nFont=7\r\nLine Transparency=300\r\nDetail Level=0\r\n"
             "[--- Light Options ---]\r\nLight Model=abc\r\nLight Color=$12345678\r\n"
             "\x01\x02 junk \xff\r\n"
             "[--- Animation Values ---]\r\nSound Volume=99999999999\r\nRotate.x=1e5000\r\n"
             "Rotate.y=-500\r\nTimes.z=nan\r\n"
             "[--- Unknown ---]\r\nPaused=1\r\n");
    const tConfigValues& v = m_values;
    EXPECT_EQ(std::tuple(v.SyncMode, v.ShowInfo, v.DemoGroup, v.Font), std::tuple(3, 0, 0, 2));
    EXPECT_EQ(std::tuple(v.LineTransparency, v.DetailLevel, v.LightModel, v.SoundVolume), std::tuple(255, 1, 3, 100));
    EXPECT_EQ(v.LightColor, 0x12345678u);
    EXPECT_EQ(std::tuple(v.Rotate, v.Times), std::tuple(tConfigVector{0, -18, 0}, tConfigVector{}));
    EXPECT_EQ(std::tuple(v.MainLeft, v.MainTop, v.MainWidth, v.LSystemWidth, v.LSystemHeight),
              std::tuple(924, 728, 480, 100, 700));
    EXPECT_EQ(v.AboutWindow, (tWindowPlace{-300, 0}));
    EXPECT_EQ(v.NavigationWindow, (tWindowPlace{488, 300}));
    EXPECT_FALSE(m_switches[Switch::Paused]);
    ASSERT_TRUE(SaveConfiguration(Settings()));
    const std::string saved = ReadTextFile(File());
    EXPECT_EQ(saved.find("Unknown"), std::string::npos);
    EXPECT_EQ(saved.find('\r'), std::string::npos);
    EXPECT_EQ(m_presenter.Count(), 0u);
}

TEST_F(Configuration, AFailedSaveOffersRetryAndAWriteCutShortKeepsTheOldFile) {
    m_values.ConfigFileName = m_dir.File("missing/pax3d.INI");
    m_presenter.Answer(Answer::Retry);
    m_presenter.Answer(Answer::Ignore);
    EXPECT_FALSE(SaveConfiguration(Settings()));
    ASSERT_EQ(m_presenter.Count(), 2u);
    EXPECT_EQ(m_presenter.Last().caption, " Error in PaxConf.SaveConfiguration");
    EXPECT_EQ(m_presenter.Last().text.rfind("can not save file '" + m_values.ConfigFileName + "' !\n  error ", 0), 0u)
        << m_presenter.Last().text;
    EXPECT_EQ(m_presenter.Last().buttons, 258);

    m_values.ConfigFileName = File();
    WriteTextFile(File(), "old");
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = SaveConfiguration(Settings());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    ASSERT_EQ(m_presenter.Count(), 3u);
    EXPECT_EQ(m_presenter.Last().text.rfind("can not write to file '" + File() + "' !\n\n  error ", 0), 0u)
        << m_presenter.Last().text;
    EXPECT_EQ(ReadTextFile(File()), "old");
    EXPECT_EQ(m_dir.Entries(), 1u);   // the temporary file is gone
}

int g_leftVolume = -1;
struct VolumeRecorder : SilentSoundDevice {
    bool SetVolume(uint16_t left, uint16_t, std::string&) override {
        g_leftVolume = left;
        return true;
    }
};

TEST_F(Configuration, ACopyInTheTemporaryDirectoryIsUsedWithANoticeAndTheVolumeSetWhenSoundIsOn) {
    testing::TempDir tmp;
    const char* oldTmp = std::getenv("TMPDIR");
    const std::string savedTmp = oldTmp ? oldTmp : "";
    ::setenv("TMPDIR", tmp.Path().c_str(), 1);
    const std::string copy = PrivateTempFilePath("pax3d.INI");
    WriteTextFile(copy, "[--- Main Window ---]\nSync Mode=2\n");
    Load();
    savedTmp.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", savedTmp.c_str(), 1);
    EXPECT_EQ(m_values.SyncMode, 2);
    EXPECT_EQ(m_values.ConfigFileName, copy);
    ASSERT_EQ(m_presenter.Count(), 1u);
    EXPECT_EQ(m_presenter.Last().caption, "Unit PaxConf: LoadConfiguration");
    EXPECT_EQ(m_presenter.Last().text, "loading preferences from file '" + copy + "' !");

    auto previous = InstallSoundDevice(std::make_unique<VolumeRecorder>());
    m_values.ConfigFileName = File();
    LoadText("[--- Animation Values ---]\nPlay Sound=0\nSound Volume=40\n");
    const int volumeWhenOff = g_leftVolume;
    LoadText("[--- Animation Values ---]\nPlay Sound=1\nSound Volume=40\n");
    InstallSoundDevice(std::move(previous));
    EXPECT_EQ(volumeWhenOff, -1);
    EXPECT_EQ(g_leftVolume, 40 * 655);
}

TEST(ConfigurationPictures, AddAndDeleteFollowTheUsedPictureRules) {
    tConfigValues v;
    AddPicture(v, "a");
    AddPicture(v, "b");
    EXPECT_EQ(v.PictureList, (std::vector<std::string>{"b", "a"}));
    AddPicture(v, "a");
    EXPECT_EQ(v.UsedPictureIndex, 1);
    EXPECT_EQ(v.UsedPicture, "a");
    for (std::string name : {"c", "d", "e", "f", "g", "h", "i"}) AddPicture(v, name);
    EXPECT_EQ(v.PictureList, (std::vector<std::string>{"i", "h", "g", "f", "e", "d", "c", "b"}));
    EXPECT_EQ(v.UsedPictureIndex, 0);
    DeletePicture(v, 7);
    EXPECT_EQ(v.UsedPictureIndex, 6);
    EXPECT_EQ(v.UsedPicture, "c");
    DeletePicture(v, 0);
    EXPECT_EQ(v.UsedPicture, "h");
    DeletePicture(v, 99);
    EXPECT_EQ(v.PictureList.size(), 6u);
    while (!v.PictureList.empty()) DeletePicture(v, 2 % int(v.PictureList.size()));
    EXPECT_EQ(v.UsedPicture, "");
    EXPECT_EQ(v.UsedPictureIndex, 0);
}

TEST(ConfigurationStart, NamesTheFileAndLoadsIt) {
    EXPECT_EQ(ConfigurationFileName("/home/u", "pax3d"), "/home/u/pax3d.INI");
    EXPECT_EQ(ConfigurationFileName("/home/u/", ""), "/home/u/Pax3d.INI");
    testing::TempDir dir;
    WriteTextFile(dir.File("my.INI"), "[--- Main Window ---]\nFigure=6\n");
    const tConfigValues savedValues = ConfigValues();
    const tSwitches savedSwitches = Switches();
    StartConfiguration("pax3d", dir.File("my.INI"));
    EXPECT_EQ(ConfigValues().Figure, 6);
    EXPECT_EQ(ConfigValues().ConfigFileName, dir.File("my.INI"));
    ConfigValues() = savedValues;
    Switches() = savedSwitches;
}

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
