#pragma once
// A window shell that records what the commands asked of the widgets and answers the dialogs
// as the test tells it, and a current folder of the test's own.

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/config/config_test_support.h"
#include "app/window/window_shell.h"
#include "render/surface/bitmap32.h"

namespace pax::testing {

struct RecordingShell : WindowShell {
    void SetPictureSize(int w, int h) override {
        width = w;
        height = h;
    }
    void SetFullScreen(bool on) override { fullScreen = on; }
    void ShowBar(WindowBar bar, bool on) override { bars[static_cast<int>(bar)] = on; }
    bool BarShown(WindowBar bar) const override { return bars[static_cast<int>(bar)]; }
    void SwapToolBars() override { calls.push_back("swap"); }
    void CenterWindow() override { calls.push_back("center"); }
    void ArrangeWindows() override { calls.push_back("arrange"); }
    int FullHeight() const override { return 600; }
    void BringToFront() override { calls.push_back("front"); }
    bool ChooseColour(TColor32& c) override {
        c = colour;
        return true;
    }
    bool PrintDialog(PrinterData& data) override {
        data.Printer = "test printer";
        data.Copies = 2;
        return print;
    }
    bool PrintPicture(const TBitmap32& picture, const std::string& title) override {
        printedTitle = title;
        printedWidth = picture.Width();
        return true;
    }
    void PrintSetupDialog() override { calls.push_back("print setup"); }
    std::string SaveFileName(SaveKind kind, const std::string& proposed) override {
        proposals.push_back(proposed);
        return kind == SaveKind::FramesFolder ? folderName : saveName;
    }
    void OpenPictureDialog() override { calls.push_back("open picture"); }
    void OpenTextureDialog() override { calls.push_back("open texture"); }
    void SetClipboard(const TBitmap32* picture, std::string_view text) override {
        clipboardPicture.SetSize(0, 0);
        if (picture) clipboardPicture.Assign(*picture);
        clipboardText = text;
    }
    bool ClipboardPicture(TBitmap32& picture) override {
        if (clipboardPicture.Empty()) return false;
        picture.Assign(clipboardPicture);
        return true;
    }

    int width = 0, height = 0;
    bool fullScreen = false;
    bool bars[4] = {true, true, true, true};
    std::vector<std::string> calls, proposals;
    TColor32 colour = 0xFF123456;
    bool print = true;
    std::string printedTitle;
    int printedWidth = 0;
    std::string saveName, folderName;
    TBitmap32 clipboardPicture;
    std::string clipboardText;
};

// The test runs in a fresh folder of its own ("Images" is made below it).
class ScopedCurrentFolder {
public:
    ScopedCurrentFolder() : m_previous(std::filesystem::current_path()) { std::filesystem::current_path(m_dir.Path()); }
    ~ScopedCurrentFolder() { std::filesystem::current_path(m_previous); }
    ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
    ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;
    std::string File(std::string_view name) const { return m_dir.File(name); }

private:
    TempDir m_dir;
    std::filesystem::path m_previous;
};

}  // namespace pax::testing
