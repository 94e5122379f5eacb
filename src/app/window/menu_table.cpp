#include "app/window/menu_table.h"

#include <array>
#include <vector>

#include "app/virtual_key.h"

namespace pax {

namespace {

using C = CommandId;
using M = MenuId;
using VirtualKey::F;

constexpr TShiftState NoShift;
const TShiftState Shift = ShiftFlag::Shift;
const TShiftState Ctrl = ShiftFlag::Ctrl;
const TShiftState Alt = ShiftFlag::Alt;
const TShiftState CtrlShift = ShiftFlag::Ctrl | ShiftFlag::Shift;
const TShiftState CtrlAlt = ShiftFlag::Ctrl | ShiftFlag::Alt;

MenuItem Item(M menu, std::string_view caption, C command, int key = 0, TShiftState shift = {}, int tag = 0) {
    return {menu, {}, caption, command, tag, key, shift, false};
}
MenuItem Check(M menu, std::string_view caption, C command, int key = 0, TShiftState shift = {}) {
    return {menu, {}, caption, command, 0, key, shift, true};
}
MenuItem Sub(M menu, std::string_view submenu, std::string_view caption, C command, int tag) {
    return {menu, submenu, caption, command, tag, 0, {}, true};
}
MenuItem Separator(M menu) { return {menu, {}, {}, C::None, 0, 0, {}, false}; }

const std::vector<MenuItem>& Items() {
    static const std::vector<MenuItem> items = [] {
        std::vector<MenuItem> t{
            Item(M::File, "New", C::FileNew),
            Item(M::File, "Open Picture ...", C::OpenPicture, 'L', Ctrl),
            Item(M::File, "Open Texture ...", C::OpenTexture),
            Item(M::File, "Open VRML ...", C::OpenVrml),
            Separator(M::File),
            Item(M::File, "Save", C::SaveJpeg, 'S', Ctrl),
            Item(M::File, "Save Bitmap", C::SaveBmp, 'B', Ctrl),
            Item(M::File, "Save PNG", C::SavePng, 'G', Ctrl),
            Item(M::File, "Save As ...", C::SaveAs, 'S', CtrlShift),
            Separator(M::File),
            Item(M::File, "Export SVG ...", C::ExportSvg),
            Item(M::File, "Export OBJ ...", C::ExportObj),
            Item(M::File, "Export Frames ...", C::ExportFrames),
            Separator(M::File),
            Item(M::File, "Print ...", C::Print, 'P', Ctrl),
            Item(M::File, "Print Setup ...", C::PrintSetup),
            Separator(M::File),
            Item(M::File, "Exit   <esc>", C::Exit, F(11)),

            Item(M::Edit, "Copy", C::CopyPicture, 'C', Ctrl),
            Item(M::Edit, "Copy Title", C::CopyTitle),
            Item(M::Edit, "Paste", C::PastePicture, 'V', Ctrl),
            Separator(M::Edit),
            Item(M::Edit, "Reset", C::EditReset, 'R', Ctrl),
            Item(M::Edit, "Clear All", C::ClearAll),
            Separator(M::Edit),
            Check(M::Edit, "Show RGB Values", C::ShowRgbValues, 'W', Ctrl),

            Item(M::Eye, "Reset", C::EyeReset),
            Item(M::Eye, "Horizontal", C::EyeHorizontal, 'H', Ctrl),
            Sub(M::Eye, "Motion", "Examine", C::EyeMode, 0),
            Sub(M::Eye, "Motion", "Encircle", C::EyeMode, 1),
            Sub(M::Eye, "Motion", "Turn", C::EyeMode, 2),
            Sub(M::Eye, "Motion", "Move", C::EyeMode, 3),
            Sub(M::Eye, "Motion", "Walk", C::EyeMode, 4),
            Separator(M::Eye),
            Item(M::Eye, "Front View", C::EyeView, 0, NoShift, 0),
            Item(M::Eye, "Back View", C::EyeView, 0, NoShift, 1),
            Item(M::Eye, "Left View", C::EyeView, 0, NoShift, 2),
            Item(M::Eye, "Right View", C::EyeView, 0, NoShift, 3),
            Item(M::Eye, "Top View", C::EyeView, 0, NoShift, 4),
            Item(M::Eye, "Bottom View", C::EyeView, 0, NoShift, 5),
            Separator(M::Eye),
            Item(M::Eye, "Roll Left 90°", C::RollLeft),
            Item(M::Eye, "Roll Right 90°", C::RollRight),

            Item(M::Background, "Reset", C::BackgroundReset),
            Item(M::Background, "Blur", C::BackgroundBlur, F(11), Ctrl),
            Item(M::Background, "Zoom", C::BackgroundZoom, F(12), Ctrl),
            Item(M::Background, "Erase", C::BackgroundErase, 'E', Ctrl),
            Item(M::Background, "Color...", C::BackgroundColour),
            Item(M::Background, "Options...", C::BackgroundOptions, F(2), Alt),
            Item(M::Background, "Save As ...", C::BackgroundSaveAs),
            Separator(M::Background),
            Item(M::Background, "Chessboard", C::Chessboard),
            Item(M::Background, "RGB Colors", C::RgbColors),
            Item(M::Background, "Mandelbrot Fractal", C::MandelbrotFractal),
            Item(M::Background, "Newton4 Fractal", C::Newton4Fractal),
            Item(M::Background, "Thorn Fractal", C::ThornFractal),
            Separator(M::Background),
            Item(M::Background, "Draw Now", C::DrawBackground, F(10), Ctrl),
            Item(M::Background, "Textures ...", C::Textures),

            Item(M::Options, "Options ...", C::Options, F(2)),
            Separator(M::Options),
            Item(M::Options, "Next Info Mode", C::NextInfoMode, F(3)),
            Item(M::Options, "Next Sync Mode", C::NextSyncMode, F(4)),
            Item(M::Options, "Next Eye Mode", C::NextEyeMode, F(5)),
            Item(M::Options, "Next Font", C::NextFont, F(6)),
            Item(M::Options, "Next Texture", C::NextTexture, F(7)),
            Item(M::Options, "Previous Texture", C::PreviousTexture, F(7), Shift),
            Separator(M::Options),
            Check(M::Options, "Sound", C::Sound, F(1), Ctrl),
            Check(M::Options, "Palette", C::Palette, F(2), Shift),
            Item(M::Options, "Background Color...", C::BackgroundColour, F(5), Ctrl),
            Check(M::Options, "Values ...", C::ValueInput, F(6), Ctrl),
            Item(M::Options, "Cursor Data", C::CursorData, 'O', Ctrl),
        };
        static const char* const sizes[] = {"128 x 128", "256 x 256", "320 x 240", "480 x 360", "640 x 480",
                                            "800 x 600", "1024 x 768", "1200 x 1024", "1600 x 1200"};
        for (int n = 1; n <= 9; ++n) t.push_back(Sub(M::Window, "Size", sizes[n - 1], C::WindowSize, n));
        const std::vector<MenuItem> window{
            Item(M::Window, "Increase Size", C::IncreaseSize, 'I', Ctrl),
            Item(M::Window, "Decrease Size", C::DecreaseSize, 'D', Ctrl),
            Check(M::Window, "Full Screen", C::FullScreen, 'F', Ctrl),
            Item(M::Window, "Full Height", C::FullHeight),
            Item(M::Window, "Center", C::Center, 'X', Ctrl),
            Item(M::Window, "Arrange", C::Arrange, 'A', Ctrl),
            Item(M::Window, "Reset", C::WindowReset),
            Separator(M::Window),
            Check(M::Window, "TitleBar", C::TitleBar, 'T', CtrlShift),
            Check(M::Window, "MenuBar", C::MenuBar, 'M', Ctrl),
            Check(M::Window, "ToolBar", C::ToolBar, 'O', CtrlShift),
            Check(M::Window, "StatusBar", C::StatusBar, 'A', CtrlShift),
            Item(M::Window, "Switch ToolBar", C::SwitchToolBar),
            Separator(M::Window),
            Item(M::Window, "Options ...", C::Options, F(2), Ctrl),
            Item(M::Window, "Navigation ...", C::Navigation, F(3), Ctrl),
            Item(M::Window, "Animation Values ...", C::AnimationValues, F(4), Ctrl),
            Item(M::Window, "Textures ...", C::Textures),

            Item(M::Help, "Figure-Help", C::FigureHelp, F(1), Shift),
            Item(M::Help, "About", C::About, F(10)),

            Item(M::Popup, "Previous Figure", C::PreviousFigure, VirtualKey::Delete),
            Item(M::Popup, "Next Figure", C::NextFigure),
            Separator(M::Popup),
            Item(M::Popup, "Save", C::SaveJpeg, 'S', Ctrl),
            Item(M::Popup, "Copy", C::CopyPicture, 'C', Ctrl),
            Item(M::Popup, "Paste", C::PastePicture, 'V', Ctrl),
            Item(M::Popup, "Print ...", C::Print, 'P', Ctrl),
            Separator(M::Popup),
            Item(M::Popup, "Export SVG ...", C::ExportSvg),
            Item(M::Popup, "Export OBJ ...", C::ExportObj),
            Item(M::Popup, "Export Frames ...", C::ExportFrames),
            Separator(M::Popup),
            Check(M::Popup, "Full Screen", C::FullScreen, 'F', Ctrl),
            Item(M::Popup, "Options ...", C::Options, F(2)),
        };
        t.insert(t.end(), window.begin(), window.end());
        return t;
    }();
    return items;
}

}  // namespace

std::string_view MenuTitle(MenuId menu) {
    switch (menu) {
    case M::File: return "File";
    case M::Edit: return "Edit";
    case M::Eye: return "Eye";
    case M::Background: return "Background";
    case M::Options: return "Options";
    case M::Window: return "Window";
    case M::Help: return "Help";
    case M::Popup: return {};
    }
    return {};
}

std::span<const MenuItem> MenuItems() { return Items(); }

std::span<const KeyCommand> ExtraKeys() {
    static const std::array<KeyCommand, 5> keys{{
        {'T', ShiftFlag::Ctrl, C::TitleBar},
        {'M', ShiftFlag::Ctrl | ShiftFlag::Shift, C::MenuBar},
        {F(9), ShiftFlag::Shift, C::Sound},
        {F(1), ShiftFlag::Ctrl | ShiftFlag::Alt, C::FigureHelp},
        {VirtualKey::Escape, {}, C::Exit},
    }};
    return keys;
}

std::span<const ToolButton> ToolButtons() {
    static const std::array<ToolButton, 26> buttons{{
        {1, C::OpenPicture, 1, "Open Picture"},
        {1, C::SaveJpeg, 2, "Save"},
        {1, C::Print, 3, "Print"},
        {1, C::PrintSetup, 4, "Print Setup"},
        {1, C::CopyPicture, 5, "Copy"},
        {1, C::BackgroundErase, 6, "Clear Background"},
        {1, C::EyeModeHint, 8, "Eye Mode"},
        {1, C::BackgroundColour, 20, "Background Color"},
        {1, C::Navigation, 21, "Navigation"},
        {1, C::AnimationValues, 22, "Animation Values"},
        {1, C::Options, 23, "Options"},
        {1, C::About, 24, "About"},
        {1, C::SwitchToolBar, 9, "Switch ToolBar"},
        {2, C::FirstDemo, 10, "First Demo"},
        {2, C::PreviousDemo, 11, "Previous Demo"},
        {2, C::PreviousFigure, 12, "Previous Figure"},
        {2, C::Pause, 13, "Pause / Step"},
        {2, C::Run, 14, "Run"},
        {2, C::NextFigure, 15, "Next Figure"},
        {2, C::NextDemo, 16, "Next Demo"},
        {2, C::LastDemo, 17, "Last Demo"},
        {2, C::NextInfoMode, 33, "Next Info Mode"},
        {2, C::NextSyncMode, 34, "Next Sync Mode"},
        {2, C::NextEyeMode, 35, "Next Eye Mode"},
        {2, C::NextFont, 36, "Next Font"},
        {2, C::NextTexture, 37, "Next Texture"},
    }};
    return buttons;
}

std::string ToolHint(int tag, const EyeMotionSettings& eye) {
    switch (tag) {
    case 1: return " Ctrl-L: load background picture";
    case 2: return " Ctrl-S: save actual scene as Pax_####.jpg";
    case 3: return " Ctrl-P: print actual scene ...";
    case 4: return " start print setup dialog ...";
    case 5: return " Ctrl-C: copy scene to clipboard";
    case 6: return " clear background ";
    case 7: return " ToolBar: for fast button action";
    case 8: return " Eye Mode = " + std::string(EyeModeName(eye));
    case 9: return " switch ToolBar";
    case 10: return " show first demo";
    case 11: return " <del> show previous demo";
    case 12: return " <back> show previous figure";
    case 13: return " F8: stop / step animation";
    case 14: return " F9: run / continue animation";
    case 15: return " <blanc> show next figure";
    case 16: return " <return> show next demo";
    case 17: return " show last demo";
    case 20: return " Strg+F5:  change background color ...";
    case 21: return " Strg+F3:  set motion mode and navigate eye ...";
    case 22: return " Strg+F6:  change animation values ...";
    case 23: return " Strg+F2:  set options and values ...";
    case 24: return " F10:  show about window and additional infos ...";
    case 33: return " F3: set next info mode";
    case 34: return " F4: set next syncronisation mode";
    case 35: return " F5: set next input mode";
    case 36: return " F6: set next font";
    case 37: return " F7: set next texture as background";
    default: return {};
    }
}

std::string ShortcutText(int key, TShiftState shift) {
    if (key == 0) return {};
    std::string text;
    if (shift.Has(ShiftFlag::Ctrl)) text += "Ctrl+";
    if (shift.Has(ShiftFlag::Alt)) text += "Alt+";
    if (shift.Has(ShiftFlag::Shift)) text += "Shift+";
    if (key >= VirtualKey::F1 && key < VirtualKey::F1 + 24) return text + "F" + std::to_string(key - VirtualKey::F1 + 1);
    switch (key) {
    case VirtualKey::Delete: return text + "Del";
    case VirtualKey::Escape: return text + "Esc";
    case VirtualKey::Backspace: return text + "Backspace";
    case VirtualKey::Space: return text + "Space";
    case VirtualKey::Enter: return text + "Return";
    default: return text + static_cast<char>(key);
    }
}

}  // namespace pax
