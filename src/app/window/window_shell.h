#pragma once
// WindowShell: what the main window's commands ask of the widgets: the window's size and
// bars, the dialogs (colour, print, files), the clipboard and the cursor. The desktop program
// implements it with Qt; headless (tests) every operation does nothing, every dialog is
// cancelled and the clipboard is empty.

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/color32.h"

namespace pax {

class TBitmap32;

enum class WindowBar { Title, Menu, Tool, Status };

// What the print dialog chose, as the debug log records it.
struct PrinterData {
    std::string Printer;
    std::string Title;
    int32_t Width = 0;    // page pixels
    int32_t Height = 0;
    bool Landscape = false;
    int32_t Pages = 1;
    int32_t Index = 0;    // the printer's index among those installed
    int32_t Copies = 1;
};

// The files a save dialog asks for.
enum class SaveKind { Picture, Background, Svg, Obj, FramesFolder };

class WindowShell {
public:
    virtual ~WindowShell() = default;

    // --- the window -----------------------------------------------------------------------------
    // The picture becomes width x height pixels; the window follows with its bars.
    virtual void SetPictureSize(int width, int height) {
        (void)width;
        (void)height;
    }
    virtual void SetFullScreen(bool on) { (void)on; }
    virtual void ShowBar(WindowBar bar, bool on) {
        (void)bar;
        (void)on;
    }
    virtual bool BarShown(WindowBar bar) const {
        (void)bar;
        return true;
    }
    // The two tool bars change places.
    virtual void SwapToolBars() {}
    virtual void CenterWindow() {}
    // The main window at the top left of the screen, the tool windows beside and below it.
    virtual void ArrangeWindows() {}
    // The screen's height left for the picture when the visible bars are taken off.
    virtual int FullHeight() const { return 0; }
    virtual void BringToFront() {}
    virtual void SetBusyCursor(bool on) { (void)on; }

    // --- dialogs --------------------------------------------------------------------------------
    // The colour dialog, starting at colour; false when cancelled.
    virtual bool ChooseColour(TColor32& colour) {
        (void)colour;
        return false;
    }
    // The print dialog; false when cancelled. On true, data describes the printer chosen.
    virtual bool PrintDialog(PrinterData& data) {
        (void)data;
        return false;
    }
    // Prints the picture on the printer the dialog chose, fitted to its page.
    virtual bool PrintPicture(const TBitmap32& picture, const std::string& title) {
        (void)picture;
        (void)title;
        return false;
    }
    virtual void PrintSetupDialog() {}
    // A save dialog proposing proposed; empty when cancelled.
    virtual std::string SaveFileName(SaveKind kind, const std::string& proposed) {
        (void)kind;
        (void)proposed;
        return {};
    }
    // The options' open dialogs: a background picture, a texture.
    virtual void OpenPictureDialog() {}
    virtual void OpenTextureDialog() {}

    // --- clipboard ------------------------------------------------------------------------------
    // Puts the picture (when given) and the text (when not empty) on the clipboard together.
    virtual void SetClipboard(const TBitmap32* picture, std::string_view text) {
        (void)picture;
        (void)text;
    }
    // The clipboard's picture, or that of the picture file on it; false when it holds none
    // (a file that is not a picture has been told).
    virtual bool ClipboardPicture(TBitmap32& picture) {
        (void)picture;
        return false;
    }
};

}  // namespace pax
