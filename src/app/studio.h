#pragma once
// Studio: the program's process-wide objects, created in start-up order and destroyed in the
// reverse order. Below it the system utilities already run and the settings record exists;
// the Studio loads the configuration file, then builds the Stage (turtles, eye, light, lists,
// surfaces, sprites and the object window "view3d"), the ghost turtle "Ghost" that the basic
// animations move, the main window's state, the demo catalogue and the one L-system
// interpreter, whose construction registers the built-in library as demos and figures. Each
// unit writes its ".initialization:" line to the debug log as it is made.
//
// The desktop program owns one Studio and forwards its events to it; the command line and the
// tests build their own. Everything here runs without a display: what needs widgets goes
// through the MainCallbacks the owner installs (none by default).
//
// Typical headless use:
//     StudioOptions options;
//     options.Config = ConfigSource::BuiltInDefaults;
//     Studio studio(options);
//     studio.Player().ShowDemo(0, 3);
//     studio.Pictures().ShowActualPicture();
//     const TBitmap32& picture = studio.Picture();

#include <memory>
#include <string>

namespace pax {

class Stage;
class Pax3d;
class TBitmap32;
class tTarnsInterpreter;
class DemoCatalogue;
class MainState;
class MainCallbacks;
class BasicAnimations;
class DemoPlayer;
class PictureLoop;
class MainCommands;
class LibraryShell;
class CallbackRelay;
class OptionForm;
class AnimForm;

enum class ConfigSource {
    DefaultFile,       // the configuration folder + "/" + program name + ".INI"
    File,              // StudioOptions::ConfigFile
    BuiltInDefaults,   // no file is read, and none is written
};

struct StudioOptions {
    std::string ProgramName = "pax3d";
    ConfigSource Config = ConfigSource::DefaultFile;
    std::string ConfigFile;
    // The picture (the object window's viewport) in pixels.
    int ViewWidth = 480;
    int ViewHeight = 360;
    // The default surface of the graphics windows; 0 takes twice the screen size. Tests keep
    // it small.
    int DefaultSurfaceWidth = 0;
    int DefaultSurfaceHeight = 0;
};

class Studio {
public:
    explicit Studio(const StudioOptions& options = {});
    ~Studio();
    Studio(const Studio&) = delete;
    Studio& operator=(const Studio&) = delete;

    // What needs widgets (repaint, timers, message line, sound, dialogs); nullptr for none.
    // Not owned; it must outlive its installation. The timers get their intervals at once.
    // With callbacks the errors found while drawing (ShowPaxError) and the status warnings go
    // to their message line; without, they are shown in boxes.
    void SetCallbacks(MainCallbacks* callbacks);

    Stage& GetStage() { return *m_stage; }
    // The ghost cursor "Ghost": the frame the figures are drawn from.
    Pax3d& Ghost() { return *m_ghost; }
    MainState& State() { return *m_state; }
    DemoCatalogue& Catalogue() { return *m_catalogue; }
    BasicAnimations& Animations() { return *m_animations; }
    // ShowDemo, ShowNextFigure, SetFirstFigure and the "Animate" menu's commands.
    DemoPlayer& Player() { return *m_player; }
    // One picture, the loop's timers and the pause.
    PictureLoop& Pictures() { return *m_pictures; }
    // The main window's keys, mouse and tool-window openers.
    MainCommands& Commands() { return *m_commands; }
    tTarnsInterpreter& Interpreter() { return *m_interpreter; }
    // The options dialog's logic: every setting it offers, the figure values; told when the
    // settings change elsewhere (RefreshOptions) and reset for each new figure.
    OptionForm& Options() { return *m_options; }
    // The animation values window's logic, told after each picture.
    AnimForm& AnimationValues() { return *m_animForm; }
    // The picture the object window draws into.
    TBitmap32& Picture();

    // The main window's first activation: the stored demo and figure ("DemoGroup", "Figure")
    // are shown. Later calls do nothing.
    void Activate();
    bool Activated() const { return m_activated; }

    // Writes the configuration file, unless the Studio runs on the built-in defaults.
    // Returns whether a file was written.
    bool SaveSettings();
    ConfigSource Config() const { return m_configSource; }

private:
    void InstallMessageLine(bool on);

    ConfigSource m_configSource;
    bool m_activated = false;
    bool m_messageLine = false;
    std::unique_ptr<CallbackRelay> m_callbacks;
    std::unique_ptr<Stage> m_stage;
    std::unique_ptr<Pax3d> m_ghost;
    std::unique_ptr<DemoCatalogue> m_catalogue;
    std::unique_ptr<MainState> m_state;
    std::unique_ptr<BasicAnimations> m_animations;
    std::unique_ptr<DemoPlayer> m_player;
    std::unique_ptr<PictureLoop> m_pictures;
    std::unique_ptr<MainCommands> m_commands;
    std::unique_ptr<OptionForm> m_options;
    std::unique_ptr<AnimForm> m_animForm;
    std::unique_ptr<LibraryShell> m_shell;
    std::unique_ptr<tTarnsInterpreter> m_interpreter;
};

}  // namespace pax
