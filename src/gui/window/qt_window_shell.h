#pragma once
// QtWindowShell: the window commands' requests served by Qt: the main window's size, bars
// and place, the colour, print and file dialogs, the clipboard and the busy cursor.

#include <QPrinter>

#include <memory>

#include "app/window/window_shell.h"

class QToolBar;

namespace pax {

class MainWindow;
class Studio;

class QtWindowShell : public WindowShell {
public:
    QtWindowShell(MainWindow& window, Studio& studio);
    ~QtWindowShell() override;

    // The two tool bars, once they are made (the first shown above the second).
    void SetToolBars(QToolBar* first, QToolBar* second);
    QPrinter& Printer() { return *m_printer; }

    void SetPictureSize(int width, int height) override;
    void SetFullScreen(bool on) override;
    void ShowBar(WindowBar bar, bool on) override;
    bool BarShown(WindowBar bar) const override;
    void SwapToolBars() override;
    void CenterWindow() override;
    void ArrangeWindows() override;
    int FullHeight() const override;
    void BringToFront() override;
    void SetBusyCursor(bool on) override;

    bool ChooseColour(TColor32& colour) override;
    bool PrintDialog(PrinterData& data) override;
    bool PrintPicture(const TBitmap32& picture, const std::string& title) override;
    void PrintSetupDialog() override;
    std::string SaveFileName(SaveKind kind, const std::string& proposed) override;
    void OpenPictureDialog() override;
    void OpenTextureDialog() override;

    void SetClipboard(const TBitmap32* picture, std::string_view text) override;
    bool ClipboardPicture(TBitmap32& picture) override;

private:
    MainWindow& m_window;
    Studio& m_studio;
    std::unique_ptr<QPrinter> m_printer;
    QToolBar* m_toolBars[2] = {nullptr, nullptr};
    bool m_titleBar = true;
    int m_busy = 0;
};

// The surface as a Qt image of its own (a copy).
QImage ImageOf(const TBitmap32& surface);
// The image's pixels as a surface; an empty surface for a null image.
void SurfaceOf(const QImage& image, TBitmap32& surface);

}  // namespace pax
