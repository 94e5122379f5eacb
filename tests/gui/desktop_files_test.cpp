// Where a desktop run leaves its files: the configuration and the log in the XDG folders,
// nothing in the current folder.
#include <gtest/gtest.h>

#include <QTest>

#include <cstdlib>
#include <filesystem>

#include "app/app_test_support.h"
#include "app/studio.h"
#include "gui/main_window.h"
#include "gui_test_support.h"
#include "system/debug_log.h"
#include "system/settings.h"
#include "system/startup.h"
#include "system/test_files.h"

namespace pax {
namespace {

namespace fs = std::filesystem;

TEST(DesktopFiles, ARunWritesItsLogAndConfigurationWithTheWindowsPlaceIntoTheXdgFoldersAndNothingIntoTheCurrentFolder) {
    QApplication& app = testing::TestApplication();
    (void)app;
    testing::ScopedAppSettings settings;
    testing::ScopedTempDir work, config, state;
    const fs::path previousDir = fs::current_path();
    const std::string previousConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string previousState = std::getenv("XDG_STATE_HOME");
    const std::string previousLog = DebugLogPath();
    fs::current_path(work.Path());
    setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    setenv("XDG_STATE_HOME", state.Path().c_str(), 1);

    StartSystemUtilities("/usr/bin/pax3d");
    {
        StudioOptions options = testing::Headless(ConfigSource::DefaultFile);
        Studio studio(options);
        MainWindow window(studio);
        Switches()[Switch::Paused] = true;
        window.show();
        QTRY_VERIFY(studio.Activated());
        window.move(37, 41);
        window.close();
    }
    StopSystemUtilities();

    // The window's place is kept in the main window's section.
    const std::string ini = testing::ReadWholeFile(config.File("pax3d/pax3d.INI"));
    const size_t section = ini.find("[--- Main Window ---]");
    ASSERT_NE(section, std::string::npos);
    const std::string mainWindow = ini.substr(section, ini.find("\n[", section + 1) - section);
    EXPECT_NE(mainWindow.find("Left Position=37"), std::string::npos) << mainWindow;
    EXPECT_NE(mainWindow.find("Top Position=41"), std::string::npos) << mainWindow;
    EXPECT_NE(testing::ReadWholeFile(state.File("pax3d/DEBUG.TMP")).find("PaxForm.initialization:"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(work.Path()));

    fs::current_path(previousDir);
    setenv("XDG_CONFIG_HOME", previousConfig.c_str(), 1);
    setenv("XDG_STATE_HOME", previousState.c_str(), 1);
    CreateDebugLog(previousLog, "test");
}

}  // namespace
}  // namespace pax
