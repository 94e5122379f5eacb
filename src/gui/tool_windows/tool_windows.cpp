#include "gui/tool_windows/tool_windows.h"

#include "app/main_commands.h"
#include "app/options/option_form.h"
#include "app/studio.h"
#include "gui/options/option_dialog.h"
#include "gui/tool_windows/about_window.h"
#include "gui/tool_windows/anim_window.h"
#include "gui/tool_windows/navigate_window.h"

namespace pax {

ToolWindows::ToolWindows(Studio& studio, QWidget* parent) : m_studio(studio) {
    MainCommands& commands = studio.Commands();
    m_about = new AboutWindow(commands, parent);
    m_options = new OptionDialog(studio.Options(), commands, parent);
    m_navigation = new NavigateWindow(studio, parent);
    m_animation = new AnimWindow(studio.AnimationValues(), commands, parent);
    studio.Options().ApplySettings();

    commands.SetWindowOpener(AppWindow::About, [this] { m_about->Open(); });
    commands.SetWindowOpener(AppWindow::Options, [this] { m_options->Open(); });
    commands.SetWindowOpener(AppWindow::OptionsBackground, [this] { m_options->OpenOn(OptionTab::Background); });
    commands.SetWindowOpener(AppWindow::Navigation, [this] { m_navigation->Open(); });
    commands.SetWindowOpener(AppWindow::AnimationValues, [this] { m_animation->Open(); });
}

// The parent deletes the windows; the openers must not outlive them.
ToolWindows::~ToolWindows() {
    MainCommands& commands = m_studio.Commands();
    for (AppWindow w : {AppWindow::About, AppWindow::Options, AppWindow::OptionsBackground, AppWindow::Navigation,
                        AppWindow::AnimationValues})
        commands.SetWindowOpener(w, {});
}

}  // namespace pax
