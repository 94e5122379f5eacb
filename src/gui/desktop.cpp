#include "gui/desktop.h"

#include <QApplication>
#include <QMenuBar>
#include <QTimer>

#include <exception>
#include <memory>

#include "app/main_commands.h"
#include "app/studio.h"
#include "app/window/window_commands.h"
#include "gui/editor/lsystem_form.h"
#include "gui/guard.h"
#include "gui/main_window.h"
#include "gui/qt_presenter.h"
#include "gui/qt_sound_device.h"
#include "gui/screen_info.h"
#include "gui/tool_windows/tool_windows.h"
#include "gui/window/main_menus.h"
#include "gui/window/texture_window.h"
#include "gui/window/qt_window_shell.h"
#include "system/error_reporting.h"
#include "system/presenter.h"
#include "system/sound.h"
#include "system/startup.h"

namespace pax {

namespace {

// The Qt presenter and sound device for the life of the application object, which they
// need; the headless and silent ones are back before it goes.
class QtPlatform {
public:
    // Long enough for the closing chime, short enough that a stuck sound system cannot
    // hold the program's end.
    static constexpr int ClosingChimeMs = 1500;

    QtPlatform() {
        InstallPresenter(std::make_unique<QtPresenter>());
        auto sound = std::make_unique<QtSoundDevice>();
        m_sound = sound.get();
        InstallSoundDevice(std::move(sound));
    }
    ~QtPlatform() {
        InstallSoundDevice(nullptr);
        InstallPresenter(nullptr);
    }
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    void WaitForClosingChime() { m_sound->WaitForSoundOnce(ClosingChimeMs); }

private:
    QtSoundDevice* m_sound = nullptr;
};

// A machine without a sound system is no fault of the user's: the sound library's complaints
// about it are dropped, everything else goes to the previous handler.
QtMessageHandler g_previousHandler = nullptr;

void QuietSoundMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const QLatin1StringView category(context.category ? context.category : "");
    if (type != QtFatalMsg &&
        (category.startsWith(QLatin1String("qt.multimedia")) || message.startsWith(QLatin1String("PulseAudioService"))))
        return;
    if (g_previousHandler) g_previousHandler(type, context, message);
}

}  // namespace

int RunDesktop(int argc, char** argv, const std::string& lsyFile) {
    g_previousHandler = qInstallMessageHandler(QuietSoundMessages);
    QApplication app(argc, argv);
    app.setApplicationName("Pax3d");
    // Before the system starts: its errors are shown in boxes, it counts the sound devices,
    // and the default surface is twice the real screen.
    QtPlatform platform;
    ReadScreenInfo();
    StartSystemUtilities(argc > 0 ? argv[0] : nullptr);

    int code = 1;
    try {
        StudioOptions options;
        if (!ProgramName().empty()) options.ProgramName = ProgramName();
        options.Config = ConfigSource::DefaultFile;
        Studio studio(options);
        MainWindow window(studio);
        ToolWindows tools(studio, &window);
        // The menus before the editor, which adds its item to the "Options" menu.
        QtWindowShell shell(window, studio);
        WindowCommands windowCommands(studio, shell);
        MainMenus menus(window, windowCommands, shell);
        windowCommands.InstallKeys();
        TTexForm textures(windowCommands, studio.Commands(), &window);
        studio.Commands().SetWindowOpener(AppWindow::Textures, [&textures] { textures.Open(); });
        TLSystemForm editor(studio, &window);
        editor.AddMenuItems(window.menuBar());
        editor.AcceptDrops(&window);
        studio.Commands().SetWindowOpener(AppWindow::Editor, [&editor] { editor.Open(); });
        window.show();
        // After the first activation, which the show queued: it shows the stored figure.
        if (!lsyFile.empty()) QTimer::singleShot(0, &editor, [&editor, lsyFile] { editor.OpenFile(lsyFile); });
        code = app.exec();
    } catch (const std::exception& e) {
        // Only the start-up can get here: every handler of the running window is guarded.
        LogEscaped("RunDesktop", e.what());
        ShowError("Pax3d", e.what(), Buttons::Ok);
    }
    platform.WaitForClosingChime();
    StopSystemUtilities();
    return code;
}

}  // namespace pax
