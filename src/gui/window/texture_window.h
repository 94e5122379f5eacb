#pragma once
// TTexForm: the textures window, nine thumbnails of 81 x 81 pixels ("Texture1" ..
// "Texture9") of the registered textures. A click makes that texture the tiled background,
// as F7 would reach it; the hint shows its number and name.

#include <array>

#include "gui/tool_windows/tool_window.h"

class QLabel;

namespace pax {

class WindowCommands;

class TTexForm : public ToolWindow {
public:
    static constexpr int Thumbnail = 81;
    static constexpr const char* Caption = "Textures";

    TTexForm(WindowCommands& commands, MainCommands& keys, QWidget* parent);

    // Texture 1 .. 9 as the background, as a click on its thumbnail.
    void Choose(int number);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowCommands& m_window;
    std::array<QLabel*, 9> m_thumbnails{};
};

}  // namespace pax
