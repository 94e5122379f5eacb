#include "app/window/window_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstdio>
#include <functional>
#include <map>
#include <set>

#include "app/app_test_support.h"
#include "app/demo_player.h"
#include "app/main_commands.h"
#include "app/main_state.h"
#include "app/options/background_pictures.h"
#include "app/options/option_form.h"
#include "app/picture_loop.h"
#include "app/virtual_key.h"
#include "app/window/window_test_support.h"
#include "render/files/picture_io.h"
#include "render/fonts/font3d.h"
#include "render/textures/generated_textures.h"
#include "render/textures/textures.h"
#include "render/windows/stage.h"
#include "scene/eye3d.h"
#include "support/scripted_presenter.h"
#include "system/display_info.h"
#include "system/test_files.h"
#include "system/settings.h"

namespace pax {
namespace {

namespace fs = std::filesystem;
using VirtualKey::F;

struct CountingCallbacks : testing::RecordingCallbacks {
    void RestartNextDemoTimer() override { ++restarts; }
    void CloseWindow() override { ++closed; }
    void RefreshOptions() override { ++refreshed; }
    int restarts = 0, closed = 0, refreshed = 0;
};

struct Window : ::testing::Test {
    Window() {
        studio.SetCallbacks(&callbacks);
        studio.Activate();
        for (AppWindow w : {AppWindow::Options, AppWindow::OptionsBackground, AppWindow::Navigation,
                            AppWindow::AnimationValues, AppWindow::About, AppWindow::Textures})
            studio.Commands().SetWindowOpener(w, [this, w] { opened.push_back(w); });
        window.InstallKeys();
    }
    ~Window() override { studio.SetCallbacks(nullptr); }

    BackgroundPictures& Background() { return studio.Options().Background(); }
    Eye3d& Eye() { return studio.GetStage().Eye(); }
    TBitmap32 Filled(int w, int h, TColor32 c) {
        TBitmap32 p(w, h);
        p.Clear(c);
        return p;
    }

    testing::ScopedAppSettings settings;
    testing::ScopedPresenter boxes;
    testing::ScopedCurrentFolder folder;
    Studio studio{testing::Headless()};
    CountingCallbacks callbacks;
    testing::RecordingShell shell;
    WindowCommands window{studio, shell};
    std::vector<AppWindow> opened;
};

// Every item of every menu, run as its menu runs it, does what its caption says.
TEST_F(Window, EveryMenuItemReachesItsCommand) {
    using C = CommandId;
    using Check = std::function<void(const MenuItem&)>;
    const auto opens = [this](AppWindow w) {
        return [this, w](const MenuItem& item) {
            opened.clear();
            window.Run(item.Command, item.Tag);
            EXPECT_EQ(opened, std::vector<AppWindow>{w});
        };
    };
    const auto toggles = [this](int index) {
        return [this, index](const MenuItem& item) {
            const bool before = Switches()[static_cast<size_t>(index)];
            window.Run(item.Command, item.Tag);
            EXPECT_NE(Switches()[static_cast<size_t>(index)], before);
            EXPECT_EQ(window.Checked(item.Command), !before);
        };
    };
    const auto calls = [this](const char* call) {
        return [this, call](const MenuItem& item) {
            shell.calls.clear();
            window.Run(item.Command, item.Tag);
            EXPECT_EQ(shell.calls, std::vector<std::string>{call});
        };
    };
    const auto saves = [this](const char* file) {
        return [this, file](const MenuItem& item) {
            shell.saveName = folder.File(file);
            Background().TakePicture(Filled(8, 8, 0xFF00FF00));
            window.Run(item.Command, item.Tag);
            EXPECT_TRUE(fs::exists(shell.saveName));
            fs::remove(shell.saveName);
        };
    };
    const auto saveNumbered = [this](const char* ext) {
        return [this, ext](const MenuItem& item) {
            window.Run(item.Command, item.Tag);
            EXPECT_EQ(studio.State().FlashText, WindowCommands::SavedText);
            EXPECT_EQ(fs::path(studio.State().FlashText2).extension(), ext);
            EXPECT_TRUE(fs::exists(studio.State().FlashText2));
        };
    };
    const auto toggleBar = [this](WindowBar bar) {
        return [this, bar](const MenuItem& item) {
            const bool before = shell.BarShown(bar);
            window.Run(item.Command, item.Tag);
            EXPECT_NE(shell.BarShown(bar), before);
        };
    };
    const auto backgroundMade = [this](int width) {
        return [this, width](const MenuItem& item) {
            SetSwitch(Switch::BackgroundPicture, false);
            window.Run(item.Command, item.Tag);
            EXPECT_TRUE(Switches()[Switch::BackgroundPicture]);
            EXPECT_EQ(Background().Loaded().Width(), width);
        };
    };
    const auto changesBackground = [this](const MenuItem& item) {
        TBitmap32 grain(64, 64);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) grain.SetPixel(x, y, 0xFF000000u | ((x * 7919u + y * 104729u) % 256) * 0x010101u);
        Background().TakePicture(std::move(grain));
        TBitmap32 before;
        before.Assign(Background().Loaded());
        window.Run(item.Command, item.Tag);
        EXPECT_NE(Background().Loaded().Pixel(20, 20), before.Pixel(20, 20)) << item.Caption;
    };
    const auto figureStep = [this](int delta) {
        return [this, delta](const MenuItem& item) {
            studio.Player().ShowDemo(1, 1);
            window.Run(item.Command, item.Tag);
            EXPECT_EQ(studio.State().CurrentFigure, 1 + delta);
        };
    };
    const auto textureStep = [this](int delta) {
        return [this, delta](const MenuItem& item) {
            ConfigValues().TileNumber = 5;
            window.Run(item.Command, item.Tag);
            EXPECT_EQ(ConfigValues().TileNumber, 5 + delta);
            EXPECT_EQ(Background().Loaded().Pixel(3, 7), MakeTexture(5 + delta).Pixel(3, 7));
            EXPECT_TRUE(Switches()[Switch::TilesBackground]);
        };
    };

    const std::map<C, Check> checks{
        {C::FileNew, [&](const MenuItem& item) {
             SetSwitch(Switch::BackgroundPicture, true);
             window.Run(item.Command);
             EXPECT_FALSE(Switches()[Switch::BackgroundPicture]);
         }},
        {C::OpenPicture, calls("open picture")},
        {C::OpenTexture, calls("open texture")},
        {C::OpenVrml, [&](const MenuItem& item) {
             const int restarts = callbacks.restarts;
             window.Run(item.Command);
             EXPECT_GT(callbacks.restarts, restarts);
         }},
        {C::SaveJpeg, saveNumbered(".JPG")},
        {C::SaveBmp, saveNumbered(".BMP")},
        {C::SavePng, saveNumbered(".PNG")},
        {C::SaveAs, saves("chosen.png")},
        {C::ExportSvg, saves("figure.svg")},
        {C::ExportObj, saves("figure.obj")},
        {C::ExportFrames, [&](const MenuItem& item) {
             shell.folderName = folder.File("frames");
             window.Run(item.Command);
             EXPECT_TRUE(fs::exists(shell.folderName + "/frame_0000.png"));
             EXPECT_TRUE(fs::exists(shell.folderName + "/frame_0099.png"));
         }},
        {C::Print, [&](const MenuItem& item) {
             SetSwitch(Switch::Paused, false);
             shell.printedTitle.clear();
             window.Run(item.Command);
             EXPECT_EQ(shell.printedTitle, ("Pax3d - " + studio.State().FigureTitle).substr(0, 48));
             EXPECT_EQ(shell.printedWidth, studio.Picture().Width());
             EXPECT_FALSE(Switches()[Switch::Paused]);   // the pause state is restored
         }},
        {C::PrintSetup, calls("print setup")},
        {C::Exit, [&](const MenuItem& item) {
             const int closed = callbacks.closed;
             window.Run(item.Command);
             EXPECT_EQ(callbacks.closed, closed + 1);
         }},
        {C::CopyPicture, [&](const MenuItem& item) {
             window.Run(item.Command);
             EXPECT_EQ(shell.clipboardPicture.Width(), studio.Picture().Width());
             EXPECT_EQ(shell.clipboardText, studio.State().FigureTitle);
         }},
        {C::CopyTitle, [&](const MenuItem& item) {
             window.Run(item.Command);
             EXPECT_TRUE(shell.clipboardPicture.Empty());
             EXPECT_EQ(shell.clipboardText, studio.State().FigureTitle);
         }},
        {C::PastePicture, [&](const MenuItem& item) {
             shell.clipboardPicture = Filled(40, 30, 0xFF112233);
             window.Run(item.Command);
             EXPECT_EQ(Background().Loaded().Width(), 40);
             EXPECT_EQ(Background().Loaded().Pixel(5, 5), 0xFF112233u);
         }},
        {C::EditReset, [&](const MenuItem& item) {
             Eye().MoveForward(100);
             window.Run(item.Command);
             EXPECT_EQ(Eye().Position(), Eye3d().Position());
         }},
        {C::ClearAll, [&](const MenuItem& item) {
             SetSwitch(Switch::BackgroundPicture, true);
             window.Run(item.Command);
             EXPECT_FALSE(Switches()[Switch::BackgroundPicture]);
         }},
        {C::ShowRgbValues, toggles(Switch::ShowRGBValues)},
        {C::EyeReset, [&](const MenuItem& item) {
             Eye().MoveForward(100);
             window.Run(item.Command);
             EXPECT_EQ(Eye().Position(), Eye3d().Position());
         }},
        {C::EyeHorizontal, [&](const MenuItem& item) {
             Eye().Reset();
             Eye().RollLeft(30);
             window.Run(item.Command);
             EXPECT_NEAR(static_cast<double>(Eye().Up().z), 1.0, 1e-9);
         }},
        {C::EyeMode, [&](const MenuItem& item) {
             window.Run(item.Command, item.Tag);
             EXPECT_EQ(studio.State().EyeMotion.EyeMode, item.Tag);
             EXPECT_TRUE(window.Checked(item.Command, item.Tag));
         }},
        {C::EyeView, [&](const MenuItem& item) {
             Eye3d expected;
             expected.ResetView(item.Tag);
             Eye().Reset();
             window.Run(item.Command, item.Tag);
             EXPECT_EQ(Eye().Heading(), expected.Heading()) << item.Caption;
         }},
        {C::RollLeft, [&](const MenuItem& item) {
             Eye().Reset();
             window.Run(item.Command);
             EXPECT_NEAR(static_cast<double>(Eye().Up().z), 0.0, 1e-9);
         }},
        {C::RollRight, [&](const MenuItem& item) {
             Eye().Reset();
             window.Run(item.Command);
             EXPECT_NEAR(static_cast<double>(Eye().Up().z), 0.0, 1e-9);
         }},
        {C::BackgroundReset, [&](const MenuItem& item) {
             SetSwitch(Switch::ScrollBackground, !DefaultSwitches()[Switch::ScrollBackground]);
             window.Run(item.Command);
             EXPECT_EQ(Switches()[Switch::ScrollBackground], DefaultSwitches()[Switch::ScrollBackground]);
         }},
        {C::BackgroundBlur, changesBackground},
        {C::BackgroundZoom, changesBackground},
        {C::BackgroundErase, [&](const MenuItem& item) {
             SetSwitch(Switch::BackgroundPicture, true);
             window.Run(item.Command);
             EXPECT_FALSE(Switches()[Switch::BackgroundPicture]);
             EXPECT_EQ(studio.Picture().Pixel(1, 1), ConfigValues().BackgroundColor | 0xFF000000u);
         }},
        {C::BackgroundColour, [&](const MenuItem& item) {
             window.Run(item.Command);
             EXPECT_EQ(ConfigValues().BackgroundColor, shell.colour);
             EXPECT_EQ(studio.Picture().Pixel(1, 1), shell.colour);
         }},
        {C::BackgroundOptions, opens(AppWindow::OptionsBackground)},
        {C::BackgroundSaveAs, saves("background.bmp")},
        {C::Chessboard, [&](const MenuItem& item) {
             window.Run(item.Command);
             const TBitmap32& board = Background().Loaded();
             EXPECT_EQ(board.Width(), studio.Picture().Width());
             EXPECT_EQ(board.Pixel(16, 0), 0xFFFFFFFFu);
             EXPECT_EQ(board.Pixel(16, 16), ConfigValues().BackgroundColor | 0xFF000000u);
         }},
        {C::RgbColors, [&](const MenuItem& item) {
             window.Run(item.Command);
             const TBitmap32& colours = Background().Loaded();
             ASSERT_EQ(colours.Width(), DisplayInfo().HorzRes);
             EXPECT_EQ(colours.Pixel(0, 0), 0xFF000000u);                         // black at the top
             EXPECT_EQ(colours.Pixel(0, colours.Height() / 2), 0xFFFF00FFu);       // magenta in the middle
             EXPECT_EQ(colours.Pixel(colours.Width() / 6, colours.Height() / 2), 0xFFFF0000u);   // red
         }},
        {C::MandelbrotFractal, backgroundMade(DisplayInfo().HorzRes)},
        {C::Newton4Fractal, backgroundMade(DisplayInfo().HorzRes)},
        {C::ThornFractal, backgroundMade(DisplayInfo().HorzRes)},
        {C::DrawBackground, [&](const MenuItem& item) {
             SetSwitch(Switch::BackgroundPicture, false);
             studio.Picture().Clear(0xFF00FF00);
             window.Run(item.Command);
             EXPECT_EQ(studio.Picture().Pixel(2, 2), ConfigValues().BackgroundColor | 0xFF000000u);
         }},
        {C::Textures, opens(AppWindow::Textures)},
        {C::Options, opens(AppWindow::Options)},
        {C::NextInfoMode, [&](const MenuItem& item) {
             studio.State().Info = 3;
             window.Run(item.Command);
             EXPECT_EQ(studio.State().Info, 0);
         }},
        {C::NextSyncMode, [&](const MenuItem& item) {
             const int mode = studio.State().SyncMode();
             window.Run(item.Command);
             EXPECT_EQ(studio.State().SyncMode(), (mode + 1) % 4);
         }},
        {C::NextEyeMode, [&](const MenuItem& item) {
             SetEyeMode(studio.State().EyeMotion, 1);
             window.Run(item.Command);
             EXPECT_EQ(studio.State().EyeMotion.EyeMode, 2);
         }},
        {C::NextFont, [&](const MenuItem& item) {
             const uint8_t font = studio.GetStage().Font().FontNumber;
             window.Run(item.Command);
             EXPECT_NE(studio.GetStage().Font().FontNumber, font);
         }},
        {C::NextTexture, textureStep(+1)},
        {C::PreviousTexture, textureStep(-1)},
        {C::Sound, [&](const MenuItem& item) {
             const bool checked = studio.State().SoundChecked;
             window.Run(item.Command);
             EXPECT_EQ(window.Checked(item.Command), !checked);
             EXPECT_EQ(Switches()[Switch::PlaySound], !checked);
         }},
        {C::Palette, toggles(6)},
        {C::ValueInput, [&](const MenuItem& item) {
             const bool before = studio.State().ValueInputShown;
             window.Run(item.Command);
             EXPECT_NE(studio.State().ValueInputShown, before);
         }},
        {C::CursorData, [&](const MenuItem& item) {
             const bool before = studio.State().ShowCursorData;
             window.Run(item.Command);
             EXPECT_NE(studio.State().ShowCursorData, before);
         }},
        {C::WindowSize, [&](const MenuItem& item) {
             window.Run(item.Command, item.Tag);
             EXPECT_EQ(studio.Picture().Width(), WindowCommands::SizeOf(item.Tag).Width);
             EXPECT_EQ(shell.height, WindowCommands::SizeOf(item.Tag).Height);
             EXPECT_TRUE(window.Checked(item.Command, item.Tag));
         }},
        {C::IncreaseSize, [&](const MenuItem& item) {
             window.WindowSize(4);
             window.Run(item.Command);
             EXPECT_EQ(window.SizeIndex(), 5);
             EXPECT_EQ(studio.Picture().Width(), 640);
         }},
        {C::DecreaseSize, [&](const MenuItem& item) {
             window.WindowSize(4);
             window.Run(item.Command);
             EXPECT_EQ(window.SizeIndex(), 3);
             EXPECT_EQ(studio.Picture().Height(), 240);
         }},
        {C::FullScreen, [&](const MenuItem& item) {
             window.WindowSize(4);
             window.Run(item.Command);
             EXPECT_TRUE(shell.fullScreen);
             EXPECT_EQ(studio.Picture().Width(), DisplayInfo().HorzRes);
             window.Run(item.Command);
             EXPECT_FALSE(shell.fullScreen);
             EXPECT_EQ(studio.Picture().Width(), 480);
         }},
        {C::FullHeight, [&](const MenuItem& item) {
             window.Run(item.Command);
             EXPECT_EQ(studio.Picture().Height(), 600);
             EXPECT_EQ(studio.Picture().Width(), 800);
         }},
        {C::Center, calls("center")},
        {C::Arrange, calls("arrange")},
        {C::WindowReset, [&](const MenuItem& item) {
             window.WindowSize(7);
             shell.bars[1] = false;
             window.Run(item.Command);
             EXPECT_EQ(studio.Picture().Width(), 480);
             EXPECT_TRUE(shell.bars[1]);
         }},
        {C::TitleBar, toggleBar(WindowBar::Title)},
        {C::MenuBar, toggleBar(WindowBar::Menu)},
        {C::ToolBar, toggleBar(WindowBar::Tool)},
        {C::StatusBar, toggleBar(WindowBar::Status)},
        {C::SwitchToolBar, calls("swap")},
        {C::Navigation, opens(AppWindow::Navigation)},
        {C::AnimationValues, opens(AppWindow::AnimationValues)},
        {C::FigureHelp, [&](const MenuItem& item) {
             const uint8_t help = studio.State().HelpMode;
             window.Run(item.Command);
             EXPECT_EQ(studio.State().HelpMode, 1 - help);
         }},
        {C::About, opens(AppWindow::About)},
        {C::PreviousFigure, figureStep(-1)},
        {C::NextFigure, figureStep(+1)},
    };

    // A small picture keeps the fractals and the frames quick.
    window.WindowSize(1);
    std::set<std::pair<C, int>> ran;
    int run = 0;
    for (const MenuItem& item : MenuItems()) {
        if (item.Command == C::None) continue;
        const auto check = checks.find(item.Command);
        ASSERT_NE(check, checks.end()) << "no check for \"" << item.Caption << "\"";
        SCOPED_TRACE(std::string(item.Caption));
        // The popup's items run the commands of the menu bar's once more.
        if (!ran.insert({item.Command, item.Tag}).second) continue;
        check->second(item);
        ++run;
    }
    EXPECT_GT(run, 85);
}

TEST_F(Window, ShortcutsOfTheMenusAndTheKeyTableReachTheCommands) {
    MainCommands& keys = studio.Commands();
    studio.State().Info = 3;
    keys.KeyDown(F(3), {});
    EXPECT_EQ(studio.State().Info, 0);
    keys.KeyDown(F(3), ShiftFlag::Shift);
    EXPECT_EQ(studio.State().Info, 3);

    const bool zbuffer = Switches()[Switch::ZBuffer];
    keys.KeyDown('Z', ShiftFlag::Ctrl | ShiftFlag::Alt);
    EXPECT_NE(Switches()[Switch::ZBuffer], zbuffer);

    keys.KeyDown('G', ShiftFlag::Ctrl);
    EXPECT_TRUE(fs::exists(folder.File("Images/Pax_0001.PNG")) || fs::exists(studio.State().FlashText2));
    EXPECT_EQ(fs::path(studio.State().FlashText2).extension(), ".PNG");

    Eye().Reset();
    Eye().RollLeft(45);
    keys.KeyDown('H', ShiftFlag::Ctrl);
    EXPECT_NEAR(static_cast<double>(Eye().Up().z), 1.0, 1e-9);

    keys.KeyDown('I', ShiftFlag::Ctrl);
    EXPECT_EQ(studio.Picture().Width(), 640);
    keys.KeyDown('M', ShiftFlag::Ctrl);
    EXPECT_FALSE(shell.bars[static_cast<int>(WindowBar::Menu)]);

    ConfigValues().FillTransparency = 250;
    keys.KeyDown(VirtualKey::Subtract, ShiftFlag::Ctrl | ShiftFlag::Alt);
    EXPECT_EQ(ConfigValues().FillTransparency, 255);   // opacity 8 less, limited

    keys.KeyDown('3', ShiftFlag::Ctrl | ShiftFlag::Alt);
    EXPECT_EQ(ConfigValues().BasicAnimation, 3);

    ConfigValues().TileNumber = 9;
    keys.KeyDown(F(7), {});
    EXPECT_EQ(ConfigValues().TileNumber, 1);   // wraps over the nine textures

    studio.Player().ShowDemo(0, 2);
    keys.KeyDown(VirtualKey::Delete, {});
    EXPECT_EQ(studio.State().CurrentFigure, 1);

    // The mouse: Alt and a double click turn the eye around, the left button's wheel picks
    // the texture.
    Eye().Reset();
    const tVector3d heading = Eye().Heading();
    keys.DoubleClick(ShiftFlag::Alt);
    EXPECT_NEAR(static_cast<double>(Eye().Heading().y), -static_cast<double>(heading.y), 1e-12);
    keys.MouseDown(MouseButton::Left, 10, 10, {});
    keys.Wheel(-1, {});
    keys.MouseUp({});
    EXPECT_EQ(ConfigValues().TileNumber, 9);
}

TEST_F(Window, WindowSizesFollowTheList) {
    window.WindowSize(12);
    EXPECT_EQ(studio.Picture().Width(), 1600);
    EXPECT_EQ(studio.Picture().Height(), 1200);
    EXPECT_EQ(window.SizeIndex(), 9);
    window.WindowSize(1);
    EXPECT_EQ(shell.width, 128);
    EXPECT_EQ(studio.GetStage().ZBuffer().Width(), 128);
    window.Run(CommandId::DecreaseSize);
    EXPECT_EQ(window.SizeIndex(), 1);   // no size below the first
    window.WindowSize(0);
    EXPECT_TRUE(Switches()[Switch::FullScreen]);
    EXPECT_EQ(window.SizeIndex(), 1);   // full screen keeps the index
    window.Run(CommandId::IncreaseSize);
    EXPECT_EQ(studio.Picture().Width(), DisplayInfo().HorzRes);   // no change in full screen
}

TEST_F(Window, SavingMakesTheFolderAndAFailedWriteIsReported) {
    ASSERT_FALSE(fs::exists("Images"));
    const std::string jpeg = window.FileSave(".JPG");
    const std::string bmp = window.FileSave(".BMP");
    const std::string png = window.FileSave(".PNG");
    // The numbers run on through this run, each the first free one.
    ASSERT_EQ(jpeg.size(), std::string("Images/Pax_0001.JPG").size());
    const int first = std::stoi(jpeg.substr(11, 4));
    const auto numbered = [](int n, const char* ext) {
        char name[32];
        std::snprintf(name, sizeof name, "Images/Pax_%04d%s", n, ext);
        return std::string(name);
    };
    EXPECT_EQ(jpeg, numbered(first, ".JPG"));
    EXPECT_EQ(bmp, numbered(first + 1, ".BMP"));
    EXPECT_EQ(png, numbered(first + 2, ".PNG"));
    const auto head = [](const std::string& file, size_t n) { return testing::ReadWholeFile(file).substr(0, n); };
    EXPECT_EQ(head(jpeg, 3), "\xFF\xD8\xFF");
    EXPECT_EQ(head(bmp, 2), "BM");
    EXPECT_EQ(head(png, 4), "\x89PNG");
    TBitmap32 back;
    ASSERT_TRUE(LoadPicture(back, png));
    EXPECT_EQ(back.Pixel(7, 9), studio.Picture().Pixel(7, 9) | 0xFF000000u);
    EXPECT_TRUE(boxes.Shown().empty());

    // "Images" in the way as a file: nothing written, the file error routine tells why and
    // no success is flashed.
    fs::remove_all("Images");
    std::ofstream("Images") << "in the way";
    studio.State().ClearFlashInfo();
    EXPECT_EQ(window.FileSave(".JPG"), "");
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_NE(boxes.Last().text.find("Images"), std::string::npos);
    EXPECT_TRUE(studio.State().FlashText.empty());
}

TEST_F(Window, DroppedFilesGoToTheirHandlerByExtensionInLowerCase) {
    TBitmap32 picture = Filled(30, 20, 0xFF336699);
    ASSERT_TRUE(SavePicture(picture, folder.File("dropped.png")));
    ASSERT_TRUE(SavePicture(picture, folder.File("UPPER.JPG")));
    EXPECT_TRUE(window.FileIsDropped({folder.File("dropped.png"), folder.File("ignored.bmp")}));
    EXPECT_EQ(Background().Loaded().Width(), 30);
    EXPECT_EQ(shell.calls, std::vector<std::string>{"front"});

    Background().TakePicture(Filled(5, 5, 0xFF000000));
    EXPECT_TRUE(window.FileIsDropped({folder.File("UPPER.JPG")}));
    EXPECT_EQ(Background().Loaded().Width(), 30);

    // A damaged picture: the loader's message, and the old background stays.
    std::ofstream(folder.File("broken.jpg")) << "no picture at all";
    EXPECT_TRUE(window.FileIsDropped({folder.File("broken.jpg")}));
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(Background().Loaded().Width(), 30);
    EXPECT_TRUE(Switches()[Switch::BackgroundPicture]);

    // No handler: told in the message line, nothing changed.
    EXPECT_FALSE(window.FileIsDropped({folder.File("notes.txt")}));
    EXPECT_NE(callbacks.status2.find("notes.txt"), std::string::npos);
    EXPECT_EQ(callbacks.status2Colour, MainState::StatusErrorColor);
    EXPECT_FALSE(window.FileIsDropped({}));

    // Ten handlers at most, extensions cut to seven characters.
    std::vector<std::string> seen;
    for (int i = 0; i < 10; ++i)
        window.RegisterFileExtension(".LONGEXTENSION" + std::to_string(i), [&](const std::string& f) { seen.push_back(f); });
    EXPECT_TRUE(window.FileIsDropped({"x.longex"}));
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(Window, PasteTakesOnlyAPictureThatFits) {
    Background().TakePicture(Filled(12, 12, 0xFF00FF00));
    EXPECT_FALSE(window.PastePicture());   // an empty clipboard beeps
    shell.clipboardPicture = Filled(WindowCommands::MaxBackgroundSide + 1, 2, 0xFF000000);
    EXPECT_FALSE(window.PastePicture());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, WindowCommands::PasteCaption);
    EXPECT_EQ(Background().Loaded().Width(), 12);

    window.CopyPicture();
    EXPECT_TRUE(window.PastePicture());
    EXPECT_EQ(Background().Loaded().Width(), studio.Picture().Width());
}

TEST_F(Window, ToolHintsAndTheStatusBar) {
    EXPECT_EQ(window.Hint(2), " Ctrl-S: save actual scene as Pax_####.jpg");
    SetEyeMode(studio.State().EyeMotion, 3);
    EXPECT_EQ(window.Hint(8), " Eye Mode = Move");
    EXPECT_EQ(window.Hint(99), "");
    for (const ToolButton& b : ToolButtons()) EXPECT_FALSE(window.Hint(b.HintTag).empty()) << b.Name;
    window.StatusClick("3/12");
    EXPECT_EQ(shell.clipboardText, "3/12");
    window.StatusDoubleClick();
    EXPECT_EQ(callbacks.status2, " Eye Mode = Move");
}

}  // namespace
}  // namespace pax
