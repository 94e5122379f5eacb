#pragma once
// WindowCommands: the commands of the main window's menus, tool buttons and the keys that
// have no command of their own in MainCommands: window sizes and bars, saving, printing,
// copying and pasting the picture, the backgrounds, the textures and dropped files. Each runs
// on the engine's objects (the Studio) and asks the widgets through WindowShell for what only
// they can do (dialogs, clipboard, the window's frame), so all of it runs without a display.
//
//     WindowCommands window(studio, shell);
//     window.InstallKeys();                  // the table's shortcuts reach Run through the keys
//     window.Run(CommandId::SaveJpeg);       // "Images/Pax_0001.JPG"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/window/menu_table.h"
#include "app/window/window_shell.h"
#include "foundation/color32.h"

namespace pax {

class Studio;
class WindowShell;
class tTextures;
class TBitmap32;
class TextureBackground;

struct WindowSizeEntry {
    int Width, Height;
};

class WindowCommands {
public:
    static constexpr const char* SavedText = "picture saved as ...";
    static constexpr TColor32 SavedColor = 0xFFFFFF00;
    static constexpr const char* PrintTitlePrefix = "Pax3d - ";
    static constexpr size_t PrintTitleLength = 48;
    static constexpr int MaxFileHandlers = 10;
    static constexpr size_t ExtensionLength = 7;
    static constexpr size_t DroppedNameLength = 254;
    static constexpr int DefaultSizeIndex = 4;
    static constexpr int ChessSquare = 16;
    static constexpr int ZoomStep = 8;            // pixels per side of one background zoom
    static constexpr int BlurFilter = 7;          // "Blur Gaussian"
    static constexpr int MaxBackgroundSide = 8192;
    static constexpr uint8_t OpacityStep = 8;
    static constexpr const char* PasteCaption = "PaxForm:  EditPastePictureClick";
    static constexpr const char* DropCaption = "PaxForm:  FileIsDropped";

    // Both must outlive the commands. The nine textures are made and registered here.
    WindowCommands(Studio& studio, WindowShell& shell);
    ~WindowCommands();
    WindowCommands(const WindowCommands&) = delete;
    WindowCommands& operator=(const WindowCommands&) = delete;

    // Every shortcut of the menu table and of ExtraKeys bound in the Studio's key commands.
    void InstallKeys();
    // A menu item, tool button or key: the command with the item's tag.
    void Run(CommandId command, int tag = 0);
    // The check mark of a checkable item.
    bool Checked(CommandId command, int tag = 0) const;
    // The status bar's hint of a tool button.
    std::string Hint(int tag) const;

    // --- window ---------------------------------------------------------------------------------
    // Size n of the list (0 full screen, 1 128 x 128 .. 8 1200 x 1024, anything else 1600 x 1200
    // as 9); switch 2 follows; without background refresh the background is drawn at once.
    void WindowSize(int n);
    int SizeIndex() const { return m_sizeIndex; }
    // The picture becomes width x height pixels (the surfaces, the view, the background); a
    // flash "window W*H" when not full screen, refreshing and running.
    void WindowReplacement(bool full, int width, int height);
    void WindowFullScreen(bool on);
    void WindowReset();
    static WindowSizeEntry SizeOf(int n);

    // --- pictures -------------------------------------------------------------------------------
    // "Images/Pax_####" + ext, the folder made when missing; returns the name written, or
    // empty after the file error routine told what failed.
    std::string FileSave(std::string_view ext);
    void FileSaveAs();
    void BackgroundSaveAs();
    void FilePrint();
    void CopyPicture();
    void CopyTitle();
    // The clipboard's picture as background; a beep when it has none, a message and the old
    // background kept when it is too large.
    bool PastePicture();

    // --- backgrounds ----------------------------------------------------------------------------
    void ClearBackground(TColor32 colour);
    void EditClearAll();
    void UpdateBackground();
    // "Tile Number" + d as the background texture.
    void ChangeTexture(int d);
    tTextures& Textures();
    // The picture becomes the background (switches 9 and 10 on) and the surface is rebuilt.
    void TakeBackground(TBitmap32 picture);
    void Chessboard();
    void RgbColors();
    void Fractal(CommandId which);
    void BlurBackground();
    void ZoomBackground();
    // The background into the picture now, as a picture's first step would.
    void DrawBackgroundNow();

    // --- dropped files --------------------------------------------------------------------------
    using FileHandler = std::function<void(const std::string&)>;
    // The extension (with the dot, compared in lower case) cut to 7 characters; at most 10.
    void RegisterFileExtension(std::string_view extension, FileHandler handler);
    // The first dropped file's handler by its extension; the window to the front. Returns
    // whether a handler took it; a file no handler takes is told in the message line.
    bool FileIsDropped(const std::vector<std::string>& files);

    // --- status bar -----------------------------------------------------------------------------
    void StatusClick(std::string_view panel1);
    void StatusDoubleClick();

private:
    void RunFile(CommandId command);
    void RunEye(CommandId command, int tag);
    void RunBackground(CommandId command);
    void RunWindow(CommandId command, int tag);
    void ToggleBar(WindowBar bar);
    void ToggleSwitch(int index);
    void Export(CommandId command);
    TBitmap32& Picture();

    struct Handler {
        std::string Extension;
        FileHandler Run;
    };

    Studio& m_studio;
    WindowShell& m_shell;
    std::unique_ptr<tTextures> m_textures;
    std::unique_ptr<TextureBackground> m_backgroundCommands;
    std::vector<Handler> m_handlers;
    int m_sizeIndex = DefaultSizeIndex;
};

}  // namespace pax
