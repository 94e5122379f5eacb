#pragma once
// The main window's menus, popup menus, tool buttons and the keys of their commands as one
// table, so that menus, tool buttons and keys reach the same command (WindowCommands::Run)
// and the widgets only lay the table out.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "scene/eye_motion.h"

namespace pax {

enum class CommandId : uint8_t {
    None,   // a separator
    // File
    FileNew, OpenPicture, OpenTexture, OpenVrml, SaveJpeg, SaveBmp, SavePng, SaveAs,
    ExportSvg, ExportObj, ExportFrames, Print, PrintSetup, Exit,
    // Edit
    CopyPicture, CopyTitle, PastePicture, EditReset, ClearAll, ShowRgbValues,
    // Eye
    EyeReset, EyeHorizontal, EyeMode, EyeView, RollLeft, RollRight,
    // Background
    BackgroundReset, BackgroundBlur, BackgroundZoom, BackgroundErase, BackgroundColour, BackgroundOptions,
    BackgroundSaveAs, Chessboard, RgbColors, MandelbrotFractal, Newton4Fractal, ThornFractal, DrawBackground,
    // Options
    Options, NextInfoMode, NextSyncMode, NextEyeMode, NextFont, NextTexture, PreviousTexture, Sound, Palette,
    ValueInput, CursorData,
    // Window
    WindowSize, IncreaseSize, DecreaseSize, FullScreen, FullHeight, Center, Arrange, WindowReset,
    TitleBar, MenuBar, ToolBar, StatusBar, SwitchToolBar, Navigation, AnimationValues, Textures,
    // Help
    FigureHelp, About,
    // Animate (tool buttons and the picture's popup menu)
    FirstDemo, PreviousDemo, PreviousFigure, Pause, Run, NextFigure, NextDemo, LastDemo, EyeModeHint,
    Count
};

enum class MenuId : uint8_t { File, Edit, Eye, Background, Options, Window, Help, Popup };

struct MenuItem {
    MenuId Menu;
    // The submenu the item sits in ("Motion", "View", "Size"); empty for the menu itself.
    std::string_view Submenu;
    std::string_view Caption;   // empty for a separator
    CommandId Command;
    int Tag = 0;                // the eye mode, the view, the window size
    int Key = 0;                // the shortcut's virtual key; 0 for none
    TShiftState Shift;
    bool Checkable = false;
};

// "File", "Edit", "Eye", "Background", "Options", "Window", "Help"; the popup has no title.
std::string_view MenuTitle(MenuId menu);

// Every item of every menu, menu by menu in the order shown.
std::span<const MenuItem> MenuItems();

// The keys of commands that have no menu item of their own, or a second key.
struct KeyCommand {
    int Key;
    TShiftState Shift;
    CommandId Command;
    int Tag = 0;
};
std::span<const KeyCommand> ExtraKeys();

// The tool buttons: bar 1 or 2, the command, the hint tag and the tool tip.
struct ToolButton {
    int Bar;
    CommandId Command;
    int HintTag;
    std::string_view Name;
};
std::span<const ToolButton> ToolButtons();

// The status bar's hint for a tool button's tag (" Ctrl-S: save actual scene as Pax_####.jpg");
// tag 8 ends with the eye mode's name. Empty for an unknown tag.
std::string ToolHint(int tag, const EyeMotionSettings& eye);

// The shortcut as a menu shows it: "Ctrl+Shift+S", "F7", "Del".
std::string ShortcutText(int key, TShiftState shift);

}  // namespace pax
