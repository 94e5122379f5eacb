#include "app/window/window_commands.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <utility>

#include "app/demo_player.h"
#include "app/export/export_commands.h"
#include "app/font_commands.h"
#include "app/main_commands.h"
#include "app/main_state.h"
#include "app/options/background_pictures.h"
#include "app/options/option_form.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "app/window/texture_background.h"
#include "render/colour/filters.h"
#include "render/files/picture_io.h"
#include "render/textures/fractals.h"
#include "render/textures/textures.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "render/windows/zbuffer.h"
#include "scene/eye3d.h"
#include "system/boolean_stack.h"
#include "system/debug_log.h"
#include "system/display_info.h"
#include "system/error_reporting.h"
#include "system/settings.h"
#include "system/sound.h"

namespace pax {

namespace fs = std::filesystem;

namespace {

constexpr int PaletteSwitch = 6;
constexpr std::array<WindowSizeEntry, 10> Sizes{{
    {0, 0}, {128, 128}, {256, 256}, {320, 240}, {480, 360}, {640, 480}, {800, 600}, {1024, 768}, {1200, 1024},
    {1600, 1200},
}};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The folder of a file to be written, made when missing; false after the file error routine.
bool MakeFolderOf(const std::string& file) {
    const fs::path folder = fs::path(file).parent_path();
    if (folder.empty()) return true;
    std::error_code error;
    if (fs::is_directory(folder, error)) return true;
    if (fs::create_directories(folder, error) && !error) return true;
    SetIoResult(error ? error.value() : ENOTDIR);
    ShowFileError(0, folder.string());
    return false;
}

}  // namespace

WindowCommands::WindowCommands(Studio& studio, WindowShell& shell)
    : m_studio(studio), m_shell(shell), m_textures(std::make_unique<tTextures>()) {
    RegisterGeneratedTextures(*m_textures);
    m_backgroundCommands = std::make_unique<TextureBackground>(*m_textures);
    m_backgroundCommands->Owner = &studio;
    studio.Options().Background().SetCommands(m_backgroundCommands.get());
    const auto load = [this](const std::string& file) { m_studio.Options().Background().LoadBackgroundFile(file); };
    for (const char* extension : {".jpg", ".jpeg", ".bmp", ".png"}) RegisterFileExtension(extension, load);
    m_studio.Commands().OnTextureWheel([this](int sign) { ChangeTexture(sign); });
}

WindowCommands::~WindowCommands() {
    m_studio.Commands().OnTextureWheel({});
    m_studio.Options().Background().SetCommands(nullptr);
}

TBitmap32& WindowCommands::Picture() { return m_studio.Picture(); }
tTextures& WindowCommands::Textures() { return *m_textures; }

// --- keys ------------------------------------------------------------------------------------------

void WindowCommands::InstallKeys() {
    MainCommands& keys = m_studio.Commands();
    const auto bind = [&](int key, TShiftState shift, CommandId command, int tag) {
        // A Ctrl+letter is a typed character: it ends with a fresh picture.
        const bool character = shift.Has(ShiftFlag::Ctrl) && !shift.Has(ShiftFlag::Alt) && key >= 'A' && key <= 'Z';
        keys.Bind(key, shift, [this, command, tag, character] {
            Run(command, tag);
            if (character) m_studio.State().RestartDemo();
        });
    };
    for (const MenuItem& item : MenuItems())
        if (item.Key != 0) bind(item.Key, item.Shift, item.Command, item.Tag);
    for (const KeyCommand& k : ExtraKeys()) bind(k.Key, k.Shift, k.Command, k.Tag);
}

// --- the commands ----------------------------------------------------------------------------------

void WindowCommands::Run(CommandId command, int tag) {
    using C = CommandId;
    MainState& state = m_studio.State();
    DemoPlayer& player = m_studio.Player();
    switch (command) {
    case C::None:
    case C::Count: return;
    case C::FileNew:
        SetSwitch(Switch::BackgroundPicture, false);
        state.RestartDemo();
        return;
    case C::OpenPicture: m_shell.OpenPictureDialog(); return;
    case C::OpenTexture: m_shell.OpenTextureDialog(); return;
    case C::OpenVrml: state.RestartDemo(); return;
    case C::SaveJpeg: FileSave(".JPG"); return;
    case C::SaveBmp: FileSave(".BMP"); return;
    case C::SavePng: FileSave(".PNG"); return;
    case C::SaveAs: FileSaveAs(); return;
    case C::ExportSvg:
    case C::ExportObj:
    case C::ExportFrames: Export(command); return;
    case C::Print: FilePrint(); return;
    case C::PrintSetup:
        m_shell.PrintSetupDialog();
        state.RestartDemo();
        return;
    case C::Exit: state.Callbacks().CloseWindow(); return;
    case C::CopyPicture: CopyPicture(); return;
    case C::CopyTitle: CopyTitle(); return;
    case C::PastePicture: PastePicture(); return;
    case C::EditReset: m_studio.Commands().EditReset({}); return;
    case C::ClearAll: EditClearAll(); return;
    case C::ShowRgbValues: ToggleSwitch(Switch::ShowRGBValues); return;
    case C::EyeReset:
    case C::EyeHorizontal:
    case C::EyeMode:
    case C::EyeView:
    case C::RollLeft:
    case C::RollRight: RunEye(command, tag); return;
    case C::BackgroundReset:
    case C::BackgroundBlur:
    case C::BackgroundZoom:
    case C::BackgroundErase:
    case C::BackgroundColour:
    case C::BackgroundSaveAs:
    case C::Chessboard:
    case C::RgbColors:
    case C::MandelbrotFractal:
    case C::Newton4Fractal:
    case C::ThornFractal:
    case C::DrawBackground: RunBackground(command); return;
    case C::BackgroundOptions: m_studio.Commands().OpenWindow(AppWindow::OptionsBackground); return;
    case C::Options: m_studio.Commands().OpenWindow(AppWindow::Options); return;
    case C::NextInfoMode: state.ChangeInfoMode(+1); return;
    case C::NextSyncMode: state.ChangeSyncMode(+1); return;
    case C::NextEyeMode: state.ChangeMotionMode(+1); return;
    case C::NextFont: ChangeFont(m_studio.GetStage().Font(), state, +1); return;
    case C::NextTexture: ChangeTexture(+1); return;
    case C::PreviousTexture: ChangeTexture(-1); return;
    case C::Sound:
        // The item's check mark, which running again after a pause also follows.
        state.SoundChecked = !state.SoundChecked;
        m_studio.Options().Change(OptionId::PlaySound, state.SoundChecked ? 1 : 0);
        return;
    case C::Palette: ToggleSwitch(PaletteSwitch); return;
    case C::ValueInput:
        state.ValueInputShown = !state.ValueInputShown;
        state.WindowRefresh();
        return;
    case C::CursorData:
        state.ShowCursorData = !state.ShowCursorData;
        state.Input.MouseMoved = true;
        state.WindowRefresh();
        return;
    case C::WindowSize:
    case C::IncreaseSize:
    case C::DecreaseSize:
    case C::FullScreen:
    case C::FullHeight:
    case C::Center:
    case C::Arrange:
    case C::WindowReset:
    case C::TitleBar:
    case C::MenuBar:
    case C::ToolBar:
    case C::StatusBar:
    case C::SwitchToolBar: RunWindow(command, tag); return;
    case C::Navigation: m_studio.Commands().OpenWindow(AppWindow::Navigation); return;
    case C::AnimationValues: m_studio.Commands().OpenWindow(AppWindow::AnimationValues); return;
    case C::Textures: m_studio.Commands().OpenWindow(AppWindow::Textures); return;
    case C::FigureHelp: state.ToggleHelp(); return;
    case C::About: m_studio.Commands().OpenWindow(AppWindow::About); return;
    case C::FirstDemo: player.FirstDemo(); return;
    case C::PreviousDemo: player.PreviousDemo(); return;
    case C::PreviousFigure: player.PreviousFigure(); return;
    case C::Pause: m_studio.Pictures().SetPause(true); return;
    case C::Run: m_studio.Pictures().SetPause(false); return;
    case C::NextFigure: player.NextFigure(); return;
    case C::NextDemo: player.NextDemo(); return;
    case C::LastDemo: player.LastDemo(); return;
    case C::EyeModeHint: state.ChangeMotionMode(+1); return;
    }
}

bool WindowCommands::Checked(CommandId command, int tag) const {
    using C = CommandId;
    const tSwitches& s = Switches();
    switch (command) {
    case C::ShowRgbValues: return s[Switch::ShowRGBValues];
    case C::Sound: return m_studio.State().SoundChecked;
    case C::Palette: return s[PaletteSwitch];
    case C::ValueInput: return m_studio.State().ValueInputShown;
    case C::FullScreen: return s[Switch::FullScreen];
    case C::TitleBar: return m_shell.BarShown(WindowBar::Title);
    case C::MenuBar: return m_shell.BarShown(WindowBar::Menu);
    case C::ToolBar: return m_shell.BarShown(WindowBar::Tool);
    case C::StatusBar: return m_shell.BarShown(WindowBar::Status);
    case C::EyeMode: return m_studio.State().EyeMotion.EyeMode == tag;
    case C::WindowSize: return !s[Switch::FullScreen] && m_sizeIndex == tag;
    default: return false;
    }
}

std::string WindowCommands::Hint(int tag) const { return ToolHint(tag, m_studio.State().EyeMotion); }

void WindowCommands::ToggleSwitch(int index) {
    SetSwitch(index, !Switches()[static_cast<size_t>(index)]);
    m_studio.State().Callbacks().RefreshOptions();
    m_studio.State().WindowRefresh();
}

void WindowCommands::RunEye(CommandId command, int tag) {
    Eye3d& eye = m_studio.GetStage().Eye();
    MainState& state = m_studio.State();
    switch (command) {
    case CommandId::EyeReset: eye.Reset(); break;
    case CommandId::EyeHorizontal: eye.RollToHorizontal(); break;
    case CommandId::EyeMode:
        SetEyeMode(state.EyeMotion, tag);
        state.ShowEyeMode();
        break;
    case CommandId::EyeView: eye.ResetView(tag); break;
    case CommandId::RollLeft: eye.RollLeft90(); break;
    case CommandId::RollRight: eye.RollRight90(); break;
    default: return;
    }
    state.WindowRefresh();
}

void WindowCommands::RunBackground(CommandId command) {
    MainState& state = m_studio.State();
    switch (command) {
    case CommandId::BackgroundReset:
        m_studio.Options().ResetGroup(OptionTab::Background);
        state.Callbacks().RefreshOptions();
        state.RestartDemo();
        return;
    case CommandId::BackgroundBlur: BlurBackground(); return;
    case CommandId::BackgroundZoom: ZoomBackground(); return;
    case CommandId::BackgroundErase: ClearBackground(ConfigValues().BackgroundColor); return;
    case CommandId::BackgroundColour: {
        TColor32 colour = ConfigValues().BackgroundColor;
        if (m_shell.ChooseColour(colour)) ClearBackground(colour);
        return;
    }
    case CommandId::BackgroundSaveAs: BackgroundSaveAs(); return;
    case CommandId::Chessboard: Chessboard(); return;
    case CommandId::RgbColors: RgbColors(); return;
    case CommandId::MandelbrotFractal:
    case CommandId::Newton4Fractal:
    case CommandId::ThornFractal: Fractal(command); return;
    case CommandId::DrawBackground: DrawBackgroundNow(); return;
    default: return;
    }
}

void WindowCommands::RunWindow(CommandId command, int tag) {
    const bool full = Switches()[Switch::FullScreen];
    switch (command) {
    case CommandId::WindowSize: WindowSize(tag); return;
    case CommandId::IncreaseSize:
        if (!full) WindowSize(m_sizeIndex + 1);
        return;
    case CommandId::DecreaseSize:
        if (!full && m_sizeIndex > 1) WindowSize(m_sizeIndex - 1);
        return;
    case CommandId::FullScreen: WindowFullScreen(!full); return;
    case CommandId::FullHeight: {
        const int height = m_shell.FullHeight();
        if (height > 0) WindowReplacement(false, height * 4 / 3, height);
        return;
    }
    case CommandId::Center: m_shell.CenterWindow(); return;
    case CommandId::Arrange: m_shell.ArrangeWindows(); return;
    case CommandId::WindowReset: WindowReset(); return;
    case CommandId::TitleBar: ToggleBar(WindowBar::Title); return;
    case CommandId::MenuBar: ToggleBar(WindowBar::Menu); return;
    case CommandId::ToolBar: ToggleBar(WindowBar::Tool); return;
    case CommandId::StatusBar: ToggleBar(WindowBar::Status); return;
    case CommandId::SwitchToolBar: m_shell.SwapToolBars(); return;
    default: return;
    }
}

void WindowCommands::ToggleBar(WindowBar bar) {
    m_shell.ShowBar(bar, !m_shell.BarShown(bar));
    if (bar == WindowBar::Status) SetSwitch(Switch::StatusBar, m_shell.BarShown(bar));
}

// --- window ------------------------------------------------------------------------------------------

WindowSizeEntry WindowCommands::SizeOf(int n) {
    if (n < 1) return {DisplayInfo().HorzRes, DisplayInfo().VertRes};
    return Sizes[static_cast<size_t>(std::min(n, 9))];
}

void WindowCommands::WindowSize(int n) {
    const bool full = n < 1;
    SetSwitch(Switch::FullScreen, full);
    m_shell.SetFullScreen(full);
    if (!full)
        for (WindowBar bar : {WindowBar::Title, WindowBar::Tool, WindowBar::Status}) m_shell.ShowBar(bar, true);
    const WindowSizeEntry size = SizeOf(n);
    WindowReplacement(full, size.Width, size.Height);
    if (!Switches()[Switch::RefreshBackground]) DrawBackgroundNow();
    if (n > 0) m_sizeIndex = std::min(n, 9);
}

void WindowCommands::WindowReplacement(bool full, int width, int height) {
    width = std::max(width, 16);
    height = std::max(height, 16);
    Stage& stage = m_studio.GetStage();
    stage.DrawingSurface().SetSize(width, height);
    stage.ZBuffer().SetSize(width, height);
    stage.View().SetSize(0, 0, width - 1, height - 1);
    m_shell.SetPictureSize(width, height);
    UpdateBackground();
    MainState& state = m_studio.State();
    if (!full && Switches()[Switch::RefreshBackground] && state.Running())
        state.FlashInfo("window " + std::to_string(width) + "*" + std::to_string(height), MainState::InfoColor);
    state.WindowRefresh();
}

void WindowCommands::WindowFullScreen(bool on) {
    if (on) {
        WindowSize(0);
        return;
    }
    WindowSize(DefaultSizeIndex);
    m_studio.State().ClearFlashInfo();
    m_shell.ShowBar(WindowBar::Menu, true);
}

void WindowCommands::WindowReset() {
    WindowSize(DefaultSizeIndex);
    for (WindowBar bar : {WindowBar::Title, WindowBar::Menu, WindowBar::Tool, WindowBar::Status}) m_shell.ShowBar(bar, true);
}

// --- pictures ----------------------------------------------------------------------------------------

std::string WindowCommands::FileSave(std::string_view ext) {
    const std::string name = NextPictureName(ext);
    if (!MakeFolderOf(name) || !SavePicture(Picture(), name)) return {};
    MainState& state = m_studio.State();
    state.FlashInfo(SavedText, SavedColor);
    state.FlashInfo2(name);
    state.RestartDemo();
    return name;
}

void WindowCommands::FileSaveAs() {
    const std::string name = m_shell.SaveFileName(SaveKind::Picture, ProposedPictureName());
    if (name.empty() || !MakeFolderOf(name) || !SavePicture(Picture(), name)) return;
    m_studio.State().FlashInfo(SavedText, SavedColor);
    m_studio.State().FlashInfo2(name);
}

void WindowCommands::BackgroundSaveAs() {
    const TBitmap32& background = m_studio.Options().Background().Loaded();
    if (background.Empty()) {
        SoundBeep();
        return;
    }
    const std::string name = m_shell.SaveFileName(SaveKind::Background, ProposedPictureName());
    if (name.empty() || !MakeFolderOf(name) || !SavePicture(background, name)) return;
    m_studio.State().FlashInfo(SavedText, SavedColor);
    m_studio.State().FlashInfo2(name);
}

void WindowCommands::FilePrint() {
    PushBoolean(Switches()[Switch::Paused]);
    SetSwitch(Switch::Paused, true);
    PrinterData data;
    if (m_shell.PrintDialog(data)) {
        m_shell.SetBusyCursor(true);
        data.Title = (PrintTitlePrefix + m_studio.State().FigureTitle).substr(0, PrintTitleLength);
        LogLine("Drucker = " + data.Printer);
        LogLine("Titel   = " + data.Title);
        LogLine("Breite  = " + std::to_string(data.Width));
        LogLine("Höhe    = " + std::to_string(data.Height));
        LogLine(data.Landscape ? "Lage    = Querformat" : "Lage    = Hochformat");
        LogLine("Seiten  = " + std::to_string(data.Pages));
        LogLine("Index   = " + std::to_string(data.Index));
        LogLine("Kopien  = " + std::to_string(data.Copies));
        m_shell.PrintPicture(Picture(), data.Title);
        m_shell.SetBusyCursor(false);
    }
    SetSwitch(Switch::Paused, PopBoolean());
    m_studio.State().UpdateCaption();
}

void WindowCommands::CopyPicture() { m_shell.SetClipboard(&Picture(), m_studio.State().FigureTitle); }

void WindowCommands::CopyTitle() { m_shell.SetClipboard(nullptr, m_studio.State().FigureTitle); }

bool WindowCommands::PastePicture() {
    TBitmap32 pasted;
    if (!m_shell.ClipboardPicture(pasted) || pasted.Empty()) {
        SoundBeep();
        return false;
    }
    if (pasted.Width() > MaxBackgroundSide || pasted.Height() > MaxBackgroundSide) {
        ShowError(PasteCaption,
                  "the picture of " + std::to_string(pasted.Width()) + " x " + std::to_string(pasted.Height()) +
                      " pixels is too large for a background (at most " + std::to_string(MaxBackgroundSide) + " x " +
                      std::to_string(MaxBackgroundSide) + ")",
                  Buttons::Ok);
        return false;
    }
    m_studio.Options().Background().TakePicture(std::move(pasted));
    return true;
}

void WindowCommands::Export(CommandId command) {
    const std::string figure = m_studio.State().FigureTitle.empty() ? "pax" : m_studio.State().FigureTitle;
    if (command == CommandId::ExportSvg) {
        const std::string file = m_shell.SaveFileName(SaveKind::Svg, figure + ".svg");
        if (!file.empty()) ExportSvgCommand(m_studio, file);
    } else if (command == CommandId::ExportObj) {
        const std::string file = m_shell.SaveFileName(SaveKind::Obj, figure + ".obj");
        if (!file.empty()) ExportObjCommand(m_studio, file);
    } else {
        const std::string folder = m_shell.SaveFileName(SaveKind::FramesFolder, "frames");
        if (!folder.empty()) ExportFramesCommand(m_studio, folder);
    }
}

// --- backgrounds ----------------------------------------------------------------------------------

void WindowCommands::ClearBackground(TColor32 colour) {
    m_backgroundCommands->ClearBackground(colour);
    m_studio.State().Callbacks().RefreshOptions();
    m_studio.State().RestartDemo();
}

void WindowCommands::EditClearAll() { ClearBackground(ConfigValues().BackgroundColor); }

void WindowCommands::UpdateBackground() { m_studio.Options().Background().Rebuild(); }

void WindowCommands::ChangeTexture(int d) {
    ConfigValues().TileNumber += d;
    m_studio.Options().Background().ChooseType(BackgroundType::Texture);
}

void WindowCommands::TakeBackground(TBitmap32 picture) {
    m_shell.SetBusyCursor(true);
    m_studio.Options().Background().TakePicture(std::move(picture));
    m_shell.SetBusyCursor(false);
}

void WindowCommands::Chessboard() {
    const TBitmap32& shown = Picture();
    TBitmap32 board;
    board.SetSize(shown.Width(), shown.Height());
    board.Clear(ConfigValues().OpaqueBackground());
    for (int y = 0; y < board.Height(); ++y) {
        TColor32* row = board.ScanLine(y);
        for (int x = 0; x < board.Width(); ++x)
            if ((x / ChessSquare + y / ChessSquare) % 2 == 1) row[x] = 0xFFFFFFFF;
    }
    TakeBackground(std::move(board));
}

void WindowCommands::RgbColors() {
    // Magenta, red, yellow, green, cyan, blue, magenta across; black, the colour, white down.
    static constexpr TColor32 Stops[7] = {0xFF00FF, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF};
    const int width = DisplayInfo().HorzRes, height = DisplayInfo().VertRes;
    TBitmap32 colours;
    colours.SetSize(width, height);
    const auto channel = [](TColor32 c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
    for (int x = 0; x < width; ++x) {
        const double band = 6.0 * x / width;
        const int i = std::min(5, static_cast<int>(band));
        const double t = band - i;
        int rgb[3];
        for (int k = 0; k < 3; ++k) {
            const int shift = 16 - 8 * k;
            rgb[k] = static_cast<int>(channel(Stops[i], shift) + t * (channel(Stops[i + 1], shift) - channel(Stops[i], shift)));
        }
        for (int y = 0; y < height; ++y) {
            const double down = 2.0 * y / height;   // 0 black, 1 the colour, 2 white
            TColor32 c = 0xFF000000u;
            for (int k = 0; k < 3; ++k) {
                const double v = down <= 1 ? rgb[k] * down : rgb[k] + (255 - rgb[k]) * (down - 1);
                c |= static_cast<TColor32>(std::clamp(static_cast<int>(v), 0, 255)) << (16 - 8 * k);
            }
            colours.SetPixel(x, y, c);
        }
    }
    TakeBackground(std::move(colours));
}

void WindowCommands::Fractal(CommandId which) {
    const FractalMenu picture = which == CommandId::MandelbrotFractal ? FractalMenu::Mandelbrot
                                : which == CommandId::Newton4Fractal  ? FractalMenu::Newton
                                                                      : FractalMenu::CosineMap;
    m_shell.SetBusyCursor(true);
    TBitmap32 tile;
    tile.SetSize(Picture().Width(), Picture().Height());
    tile.Clear(clBlack32);
    RenderFractalPicture(picture, tile);
    TBitmap32 background;
    background.SetSize(DisplayInfo().HorzRes, DisplayInfo().VertRes);
    TileTexture(0, 0, tile, background);
    m_shell.SetBusyCursor(false);
    TakeBackground(std::move(background));
}

void WindowCommands::BlurBackground() {
    const TBitmap32& loaded = m_studio.Options().Background().Loaded();
    if (loaded.Empty()) {
        SoundBeep();
        return;
    }
    TBitmap32 blurred;
    blurred.Assign(loaded);
    ApplyFilter(blurred, BlurFilter);
    TakeBackground(std::move(blurred));
}

void WindowCommands::ZoomBackground() {
    const TBitmap32& loaded = m_studio.Options().Background().Loaded();
    if (loaded.Width() <= 4 * ZoomStep || loaded.Height() <= 4 * ZoomStep) {
        SoundBeep();
        return;
    }
    TBitmap32 zoomed;
    zoomed.SetSize(loaded.Width(), loaded.Height());
    ShiftSurface(loaded, zoomed, ZoomStep);
    TakeBackground(std::move(zoomed));
}

void WindowCommands::DrawBackgroundNow() {
    Stage& stage = m_studio.GetStage();
    TBitmap32& picture = Picture();
    const TBitmap32& background = m_studio.Pictures().Background().Picture;
    if (Switches()[Switch::BackgroundPicture] && !background.Empty()) {
        background.DrawTo(picture, 0, 0);
    } else {
        picture.Clear(ConfigValues().OpaqueBackground());
        stage.ZBuffer().Clear();
    }
    m_studio.State().Callbacks().ShowPicture(DrawnArea::Anything());
}

// --- dropped files --------------------------------------------------------------------------------

void WindowCommands::RegisterFileExtension(std::string_view extension, FileHandler handler) {
    if (static_cast<int>(m_handlers.size()) >= MaxFileHandlers || !handler) return;
    m_handlers.push_back({Lower(std::string(extension.substr(0, ExtensionLength))), std::move(handler)});
}

bool WindowCommands::FileIsDropped(const std::vector<std::string>& files) {
    if (files.empty()) return false;
    const std::string name = files.front().substr(0, DroppedNameLength);
    const std::string extension = Lower(fs::path(name).extension().string()).substr(0, ExtensionLength);
    for (const Handler& h : m_handlers) {
        if (h.Extension != extension) continue;
        h.Run(name);
        m_shell.BringToFront();
        return true;
    }
    m_studio.State().ShowStatusError("can not open dropped file '" + fs::path(name).filename().string() +
                                     "': not a picture (.jpg, .jpeg, .bmp, .png)");
    return false;
}

// --- status bar -----------------------------------------------------------------------------------

void WindowCommands::StatusClick(std::string_view panel1) { m_shell.SetClipboard(nullptr, panel1); }

void WindowCommands::StatusDoubleClick() { m_studio.State().ShowEyeMode(); }

}  // namespace pax
