#include "app/config/configuration.h"

#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>

#include <random>
#include <variant>

#include "app/config/config_key_table.h"
#include "app/config/config_test_support.h"
#include "app/config/ini_file.h"
#include "support/scripted_presenter.h"
#include "system/debug_log.h"
#include "system/display_info.h"
#include "system/sound.h"

namespace pax {
namespace {

using testing::ReadOnlyDirectory;
using testing::ReadTextFile;
using testing::ScopedPresenter;
using testing::TempDir;
using testing::WriteTextFile;

const std::string MainSection = "--- Main Window ---";

class Configuration : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedDisplay = DisplayInfo();
        m_values.ConfigFileName = File();
    }
    void TearDown() override { DisplayInfo() = m_savedDisplay; }

    SettingsRef Settings() { return {m_values, m_switches}; }
    std::string File() const { return m_dir.File("pax3d.INI"); }

    void LoadText(std::string_view text) {
        WriteTextFile(File(), text);
        SetAllDefaults(Settings());
        LoadConfiguration(Settings());
    }
    IniFile SavedFile() {
        EXPECT_TRUE(SaveConfiguration(Settings()));
        IniFile ini;
        ini.LoadFromFile(File());
        return ini;
    }

    TempDir m_dir;
    ScopedPresenter m_presenter;
    tConfigValues m_values;
    tSwitches m_switches = DefaultSwitches();
    tDisplayInfo m_savedDisplay;
};

TEST_F(Configuration, NoFileGivesTheDefaults) {
    m_values.SyncMode = 2;
    m_values.Rotate = {1, 2, 3};
    SetAllDefaults(Settings());
    LoadConfiguration(Settings());
    EXPECT_EQ(m_values.DemoGroup, 0);
    EXPECT_EQ(m_values.Figure, 0);
    EXPECT_EQ(m_values.SyncMode, 0);
    EXPECT_EQ(m_values.BackgroundColor, 0xFF000000u);
    EXPECT_EQ(m_values.LightColor, 0x00FFFF80u);
    EXPECT_EQ(m_values.SoundVolume, 100);
    EXPECT_EQ(m_values.NextDemoSeconds, 0);  // 0 stands for 600 seconds
    for (auto v : {m_values.Rotate, m_values.Distance, m_values.Oscillate, m_values.Times})
        EXPECT_EQ(v, tConfigVector{});
    tConfigValues expected;
    expected.ConfigFileName = File();
    EXPECT_EQ(m_values, expected);
    EXPECT_EQ(m_switches, DefaultSwitches());
    EXPECT_EQ(m_presenter.Count(), 0u);
}

TEST_F(Configuration, SetAllDefaultsEqualsTheBuiltInDefaults) {
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
    SetAllDefaults(Settings());
    tConfigValues expected;
    expected.ConfigFileName = File();
    EXPECT_EQ(m_values, expected);
    for (int i = 0; i < Switch::Count; ++i) {
        if (inTable[i]) EXPECT_EQ(m_switches[i], defaults[i]) << "switch " << i;
        else EXPECT_FALSE(defaults[i]) << "switch " << i << " is on by default but has no entry";
    }
}

TEST_F(Configuration, ResetsKeepTheCurrentFigureAndReportChangedSwitches) {
    m_values.DemoGroup = 3;
    m_values.Figure = 4;
    m_values.SyncMode = 2;
    m_values.LineThickness = 5;
    m_values.SoundVolume = 10;
    m_switches[Switch::Paused] = true;

    SwitchChanges drawing = ResetGroup(Settings(), 2);
    EXPECT_EQ(m_values.LineThickness, 1);
    EXPECT_EQ(m_values.SoundVolume, 10);
    EXPECT_TRUE(drawing.none());
    EXPECT_TRUE(ResetGroup(Settings(), 6).none());

    SwitchChanges all = ResetAll(Settings());
    EXPECT_EQ(m_values.DemoGroup, 3);
    EXPECT_EQ(m_values.Figure, 4);
    EXPECT_EQ(m_values.SyncMode, 0);
    EXPECT_EQ(m_values.SoundVolume, 100);
    EXPECT_FALSE(m_switches[Switch::Paused]);
    EXPECT_EQ(all, SwitchChanges().set(Switch::Paused));
}

TEST_F(Configuration, BasicValuesAreNeverRead) {
    LoadText("[--- Basic Values ---]\nStep=80\nRadius=7\n");
    EXPECT_EQ(m_values.Step, 50);
    EXPECT_EQ(m_values.Radius, 100);
}

TEST_F(Configuration, FlaggedSwitchesAreReadButNeverSaved) {
    LoadText("[--- Background ---]\nZBuffer=1\nScroll Background=1\nFilter Background=1\n"
             "[--- Light Options ---]\nShow Light=1\nLightIsOn=0\n");
    EXPECT_TRUE(m_switches[Switch::ZBuffer]);
    EXPECT_TRUE(m_switches[Switch::ScrollBackground]);
    EXPECT_TRUE(m_switches[Switch::FilterBackground]);
    EXPECT_TRUE(m_switches[Switch::ShowLight]);
    EXPECT_FALSE(m_switches[Switch::LightIsOn]);
    SavedFile();
    std::string text = ReadTextFile(File());
    for (const char* key : {"ZBuffer", "Scroll Background", "Filter Background", "Show Light", "LightIsOn"})
        EXPECT_EQ(text.find(key), std::string::npos) << key;
}

TEST_F(Configuration, SavedFileHasItsSectionsInOrderAndThePlatformTexts) {
    IniFile ini = SavedFile();
    EXPECT_EQ(ini.SectionNames(),
              (std::vector<std::string>{"global", MainSection, "--- About Window ---", "--- Option Window ---",
                                        "--- Figure Values Window ---", "--- Navigation Window ---",
                                        "--- Animation Window ---", "--- Color32 Window ---",
                                        "--- LSystems Window ---", "--- Draw Options ---", "--- Background ---",
                                        "--- Light Options ---", "--- Basic Values ---",
                                        "--- Animation Values ---"}));
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
    EXPECT_FALSE(ini.ValueExists("--- Background ---", "Used Picture"));  // empty texts are left out
}

TEST_F(Configuration, WindowPlacesAreLimitedToTheScreen) {
    DisplayInfo().HorzRes = 1024;
    DisplayInfo().VertRes = 768;
    LoadText("[--- Main Window ---]\nLeft Position=5000\nTop Position=5000\nWidth=abc\n"
             "[--- About Window ---]\nLeft Position=-300\n"
             "[--- LSystems Window ---]\nWidth=10\nHeight=700\n");
    EXPECT_EQ(m_values.MainLeft, 924);
    EXPECT_EQ(m_values.MainTop, 728);
    EXPECT_EQ(m_values.MainWidth, 480);
    EXPECT_EQ(m_values.AboutWindow, (tWindowPlace{-300, 0}));
    EXPECT_EQ(m_values.NavigationWindow, (tWindowPlace{488, 300}));
    EXPECT_EQ(m_values.LSystemWidth, 100);
    EXPECT_EQ(m_values.LSystemHeight, 700);
}

TEST_F(Configuration, PictureListKeepsAtMostEightExistingFiles) {
    std::string text = "[--- Background ---]\nUsed Picture=" + m_dir.File("p5.jpg") + "\n";
    for (int n = 1; n <= 10; ++n) {
        WriteTextFile(m_dir.File("p" + std::to_string(n) + ".jpg"), "x");
        text += "Picture" + std::to_string(n) + "=" + m_dir.File("p" + std::to_string(n) + ".jpg") + "\n";
    }
    LoadText(text);
    ASSERT_EQ(m_values.PictureList.size(), 8u);
    EXPECT_EQ(m_values.PictureList[7], m_dir.File("p8.jpg"));
    EXPECT_EQ(m_values.UsedPictureIndex, 4);

    std::filesystem::remove(m_dir.File("p2.jpg"));
    LoadText(text);
    EXPECT_EQ(m_values.PictureList.size(), 7u);
    EXPECT_EQ(m_values.UsedPictureIndex, 3);

    std::filesystem::remove(m_dir.File("p5.jpg"));
    LoadText(text);
    EXPECT_EQ(m_values.UsedPictureIndex, -1);  // the used picture is no longer in the list
}

TEST_F(Configuration, VectorsAreStoredAsThreeFloatKeys) {
    m_values.Rotate = {1.5L, -2.25L, 0.1L};
    IniFile ini = SavedFile();
    EXPECT_EQ(ini.ReadString("--- Animation Values ---", "Rotate.x", ""), "1.5");
    EXPECT_EQ(ini.ReadString("--- Animation Values ---", "Rotate.y", ""), "-2.25");
    EXPECT_EQ(ini.ReadString("--- Animation Values ---", "Rotate.z", ""), "0.1");
    EXPECT_FALSE(ini.ValueExists("--- Animation Values ---", "Rotate"));
    SetAllDefaults(Settings());
    LoadConfiguration(Settings());
    EXPECT_EQ(m_values.Rotate, (tConfigVector{1.5L, -2.25L, 0.1L}));
}

TEST_F(Configuration, SaveThenLoadGivesTheSameValues) {
    std::mt19937 random(2024);
    for (int n = 1; n <= 3; ++n) WriteTextFile(m_dir.File("pic" + std::to_string(n)), "x");
    for (int round = 0; round < 20; ++round) {
        SetAllDefaults(Settings());
        for (const ConfigKey& key : ConfigKeyTable()) {
            if (key.NeverWritten() || ConfigGroupOf(&key - ConfigKeyTable().data()) == 4) continue;
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
        m_values = tConfigValues{};
        m_values.ConfigFileName = File();
        m_switches = DefaultSwitches();
        SetAllDefaults(Settings());
        LoadConfiguration(Settings());
        ASSERT_EQ(m_values, saved);
        ASSERT_EQ(m_switches, savedSwitches);
    }
}

TEST_F(Configuration, DamagedValuesGiveDefaultsOrTheirLimits) {
    LoadText("[--- Main Window ---]\r\nSync Mode=7\r\nShow Info=-5\r\nDemoGroup=x\r\n"
             "[--- Draw Options ---]\r\nFont=2\r\nFont=7\r\nLine Transparency=300\r\nDetail Level=0\r\n"
             "[--- Light Options ---]\r\nLight Model=abc\r\nLight Color=$12345678\r\n"
             "\x01\x02 junk \xff\r\n"
             "[--- Animation Values ---]\r\nSound Volume=99999999999\r\nRotate.x=1e5000\r\n"
             "Rotate.y=-500\r\nTimes.z=nan\r\n"
             "[--- Unknown ---]\r\nPaused=1\r\n");
    EXPECT_EQ(m_values.SyncMode, 3);
    EXPECT_EQ(m_values.ShowInfo, 0);
    EXPECT_EQ(m_values.DemoGroup, 0);
    EXPECT_EQ(m_values.Font, 2);
    EXPECT_EQ(m_values.LineTransparency, 255);
    EXPECT_EQ(m_values.DetailLevel, 1);
    EXPECT_EQ(m_values.LightModel, 3);
    EXPECT_EQ(m_values.LightColor, 0x12345678u);
    EXPECT_EQ(m_values.SoundVolume, 100);
    EXPECT_EQ(m_values.Rotate, (tConfigVector{0, -18, 0}));
    EXPECT_EQ(m_values.Times, tConfigVector{});
    EXPECT_FALSE(m_switches[Switch::Paused]);

    ASSERT_TRUE(SaveConfiguration(Settings()));
    std::string saved = ReadTextFile(File());
    EXPECT_EQ(saved.find("Unknown"), std::string::npos);
    EXPECT_EQ(saved.find('\r'), std::string::npos);
}

TEST_F(Configuration, RandomFilesLoadWithinTheLimits) {
    std::mt19937 random(99);
    const std::vector<std::string> pieces{"[--- Draw Options ---]", "[--- Main Window ---]", "Font=", "Sprite Id=",
                                          "Sync Mode=", "Rotate.x=", "-", "9", "99999", "$", "1e9", "\r\n",
                                          "\n", "=", "[", "]", ";", "\xEF\xBB\xBF"};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int i = 0; i < 200; ++i)
            text += round % 3 ? pieces[random() % pieces.size()] : std::string(1, char(random()));
        LoadText(text);
        for (const ConfigKey& key : ConfigKeyTable()) {
            if (auto field = std::get_if<int32_t tConfigValues::*>(&key.Target)) {
                ASSERT_GE(m_values.**field, key.Min) << key.Key;
                ASSERT_LE(m_values.**field, key.Max) << key.Key;
            }
        }
        ASSERT_GE(m_values.Rotate.x, -18);
        ASSERT_LE(m_values.Rotate.x, 18);
    }
    EXPECT_EQ(m_presenter.Count(), 0u);
}

TEST_F(Configuration, SaveFailureOffersRetryAndKeepsTheOldFile) {
    WriteTextFile(File(), "old");
    ReadOnlyDirectory readOnly(m_dir.Path());
    if (!readOnly.Usable()) GTEST_SKIP() << "cannot make a directory read-only here";
    m_presenter.Answer(Answer::Retry);
    m_presenter.Answer(Answer::Ignore);

    EXPECT_FALSE(SaveConfiguration(Settings()));
    ASSERT_EQ(m_presenter.Count(), 2u);
    const MessageRequest& box = m_presenter.Last();
    EXPECT_EQ(box.caption, " Error in PaxConf.SaveConfiguration");
    EXPECT_EQ(box.text.rfind("can not save file '" + File() + "' !\n  error ", 0), 0u) << box.text;
    EXPECT_EQ(box.buttons, 258);
    EXPECT_EQ(ReadTextFile(File()), "old");
}

TEST_F(Configuration, AWriteCutShortIsReportedAndKeepsTheOldFile) {
    WriteTextFile(File(), "old");
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool written = SaveConfiguration(Settings());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    ASSERT_EQ(m_presenter.Count(), 1u);
    EXPECT_EQ(m_presenter.Last().text.rfind("can not write to file '" + File() + "' !\n\n  error ", 0), 0u)
        << m_presenter.Last().text;
    EXPECT_EQ(ReadTextFile(File()), "old");
    auto entries = std::filesystem::directory_iterator(m_dir.Path());
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1);  // the temporary file is gone
}

TEST_F(Configuration, ACopyInTheTemporaryDirectoryIsUsedWithANotice) {
    TempDir tmp;
    std::string savedTmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    ::setenv("TMPDIR", tmp.Path().c_str(), 1);
    WriteTextFile(tmp.File("pax3d.INI"), "[--- Main Window ---]\nSync Mode=2\n");
    SetAllDefaults(Settings());
    LoadConfiguration(Settings());
    if (savedTmp.empty()) ::unsetenv("TMPDIR");
    else ::setenv("TMPDIR", savedTmp.c_str(), 1);

    EXPECT_EQ(m_values.SyncMode, 2);
    EXPECT_EQ(m_values.ConfigFileName, tmp.File("pax3d.INI"));
    ASSERT_EQ(m_presenter.Count(), 1u);
    EXPECT_EQ(m_presenter.Last().caption, "Unit PaxConf: LoadConfiguration");
    EXPECT_EQ(m_presenter.Last().text, "loading preferences from file '" + tmp.File("pax3d.INI") + "' !");
}

class VolumeRecorder : public SilentSoundDevice {
public:
    explicit VolumeRecorder(int& left) : m_left(left) {}
    bool SetVolume(uint16_t left, uint16_t, std::string&) override {
        m_left = left;
        return true;
    }

private:
    int& m_left;
};

TEST_F(Configuration, TheStoredVolumeIsSetOnlyWhenSoundIsOn) {
    int volume = -1;
    auto previous = InstallSoundDevice(std::make_unique<VolumeRecorder>(volume));
    LoadText("[--- Animation Values ---]\nPlay Sound=0\nSound Volume=40\n");
    int volumeWhenOff = volume;
    LoadText("[--- Animation Values ---]\nPlay Sound=1\nSound Volume=40\n");
    InstallSoundDevice(std::move(previous));
    EXPECT_EQ(volumeWhenOff, -1);
    EXPECT_EQ(volume, 40 * 655);
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

TEST(ConfigurationStart, NamesTheFileLogsItsLineAndLoads) {
    EXPECT_EQ(ConfigurationFileName("/home/u", "pax3d"), "/home/u/pax3d.INI");
    EXPECT_EQ(ConfigurationFileName("/home/u/", ""), "/home/u/Pax3d.INI");

    TempDir dir;
    WriteTextFile(dir.File("my.INI"), "[--- Main Window ---]\nFigure=6\n");
    const tConfigValues savedValues = ConfigValues();
    const tSwitches savedSwitches = Switches();
    StartConfiguration("pax3d", dir.File("my.INI"));
    EXPECT_EQ(ConfigValues().Figure, 6);
    EXPECT_EQ(ConfigValues().ConfigFileName, dir.File("my.INI"));
    ConfigValues() = savedValues;
    Switches() = savedSwitches;
    std::string log = ReadTextFile(DebugLogPath());
    EXPECT_NE(log.find(" PaxConf.initialization: " + std::to_string(sizeof(tConfigValues))), std::string::npos);
}

}  // namespace
}  // namespace pax
