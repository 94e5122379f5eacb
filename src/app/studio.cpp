#include "app/studio.h"

#include <string>

#include "app/basic_animations.h"
#include "app/config/configuration.h"
#include "app/demo_catalogue.h"
#include "app/demo_player.h"
#include "app/library_shell.h"
#include "app/main_commands.h"
#include "app/main_callbacks.h"
#include "app/main_state.h"
#include "app/options/option_form.h"
#include "app/picture_loop.h"
#include "app/tool_windows/anim_form.h"
#include "lsystem/interpreter.h"
#include "render/fonts/font3d.h"
#include "render/windows/stage.h"
#include "scene/pax3d.h"
#include "system/debug_log.h"
#include "system/error_reporting.h"
#include "system/status_line.h"
#include "system/settings.h"

namespace pax {

// The callbacks every unit holds: they forward to what the owner installed, so that the
// desktop program can install its widgets after the Studio exists. The tool windows' logic,
// which the Studio owns, is told as well.
class CallbackRelay : public MainCallbacks {
public:
    void SetTarget(MainCallbacks* target) { m_target = target ? target : &m_none; }
    void SetToolWindows(OptionForm* options, AnimForm* animation) {
        m_options = options;
        m_animation = animation;
    }

    void Repaint() override { m_target->Repaint(); }
    void ShowPicture(const DrawnArea& area) override { m_target->ShowPicture(area); }
    bool ShowOwed() const override { return m_target->ShowOwed(); }
    void ShowOwedPicture(const TBitmap32& picture) override { m_target->ShowOwedPicture(picture); }
    void RestartNextDemoTimer() override { m_target->RestartNextDemoTimer(); }
    void EnableNextDemoTimer(bool enabled) override { m_target->EnableNextDemoTimer(enabled); }
    void SetNextDemoInterval(int32_t ms) override { m_target->SetNextDemoInterval(ms); }
    void SetRefreshInterval(int32_t ms) override { m_target->SetRefreshInterval(ms); }
    void ShowStatus1(std::string_view text, TColor32 colour) override { m_target->ShowStatus1(text, colour); }
    void ShowStatus2(std::string_view text, TColor32 colour) override { m_target->ShowStatus2(text, colour); }
    void SetCaption(std::string_view text) override { m_target->SetCaption(text); }
    void SetPauseHint(std::string_view text) override { m_target->SetPauseHint(text); }
    void PlaySoundOnce(std::string_view file) override { m_target->PlaySoundOnce(file); }
    void StopSound() override { m_target->StopSound(); }
    void RefreshOptions() override {
        m_target->RefreshOptions();
        if (m_options) m_options->UpdateForm();
    }
    void UpdateAnimationWindow() override {
        m_target->UpdateAnimationWindow();
        if (m_animation) m_animation->Update();
    }
    void CloseWindow() override { m_target->CloseWindow(); }
    void Sleep(int32_t ms) override { m_target->Sleep(ms); }

private:
    MainCallbacks m_none;
    MainCallbacks* m_target = &m_none;
    OptionForm* m_options = nullptr;
    AnimForm* m_animation = nullptr;
};

namespace {

std::string SizeText(size_t size) { return "size=" + std::to_string(size); }

void StartSettings(const StudioOptions& options) {
    switch (options.Config) {
    case ConfigSource::DefaultFile: StartConfiguration(options.ProgramName); return;
    case ConfigSource::File: StartConfiguration(options.ProgramName, options.ConfigFile); return;
    case ConfigSource::BuiltInDefaults: break;
    }
    LogInitialization("PaxConf", std::to_string(ConfigRecordSize));
    SettingsRef settings = GlobalSettings();
    SetAllDefaults(settings);
    settings.Values.ProgramName = options.ProgramName;
    settings.Values.ConfigFileName.clear();
}

StageOptions StageOptionsOf(const StudioOptions& o) {
    StageOptions s;
    s.ViewWidth = o.ViewWidth;
    s.ViewHeight = o.ViewHeight;
    s.DefaultSurfaceWidth = o.DefaultSurfaceWidth;
    s.DefaultSurfaceHeight = o.DefaultSurfaceHeight;
    return s;
}

}  // namespace

Studio::Studio(const StudioOptions& options) : m_configSource(options.Config) {
    StartSettings(options);
    m_callbacks = std::make_unique<CallbackRelay>();
    m_stage = std::make_unique<Stage>(StageOptionsOf(options));
    m_stage->Font().SetChangeHandler([this] { m_callbacks->RefreshOptions(); });

    m_ghost = std::make_unique<Pax3d>("Ghost");
    m_catalogue = std::make_unique<DemoCatalogue>([this] { m_animations->DefaultStart(); });
    m_state = std::make_unique<MainState>(*m_callbacks);
    m_animations = std::make_unique<BasicAnimations>(*m_ghost, m_stage->View(), *m_state);
    LogInitialization("PaxAnim", SizeText(sizeof(BasicAnimations)));
    m_player = std::make_unique<DemoPlayer>(*m_catalogue, *m_state, *m_stage, [this] { return SaveSettings(); });
    m_pictures = std::make_unique<PictureLoop>(*m_stage, *m_ghost, *m_state, *m_animations, *m_player);
    m_commands = std::make_unique<MainCommands>(*this);
    m_options = std::make_unique<OptionForm>(*this);
    m_animForm = std::make_unique<AnimForm>(*this);
    m_callbacks->SetToolWindows(m_options.get(), m_animForm.get());
    m_player->OnShow([this] { m_options->ResetFigureValues(); });
    // The set-switch operation applies a switch to the engine and refreshes the options.
    InstallSwitchReaction([this](int index, bool on) {
        m_options->ApplySwitch(index, on);
        m_callbacks->RefreshOptions();
    });
    LogInitialization("PaxForm", SizeText(sizeof(MainState) + sizeof(PictureLoop)));

    m_shell = std::make_unique<LibraryShell>(*m_catalogue, *m_state, *m_animations, *m_stage);
    m_interpreter = std::make_unique<tTarnsInterpreter>(*m_stage, *m_ghost, m_shell.get());
    m_shell->SetInterpreter(m_interpreter.get());
    LogInitialization("PaxTarn", "definitions=" + std::to_string(m_interpreter->Definitions().size()));

    // The stored animation runs from the start, its ghost placed for it (the orbits need it).
    const int stored = ConfigValues().BasicAnimation;
    m_animations->SelectBasicAnimation(stored);
    m_animations->PrepareGhost(ConfigValues().BasicAnimation);
}

// The members go in the reverse order of their creation.
Studio::~Studio() {
    InstallSwitchReaction({});
    InstallMessageLine(false);
    m_callbacks->SetToolWindows(nullptr, nullptr);
}

void Studio::InstallMessageLine(bool on) {
    if (!on) {
        if (!m_messageLine) return;
        InstallPaxErrorSink({});
        InstallPaxErrorRecovery({});
        InstallStatusWarningSink({});
        InstallStatusErrorSink({});
        m_messageLine = false;
        return;
    }
    InstallPaxErrorSink([this](std::string_view, std::string_view text) { m_state->ShowStatusError(text); });
    // A message line that failed: the box was shown instead, and the loop goes on elsewhere.
    InstallPaxErrorRecovery([this] {
        m_state->RedrawPending = false;
        m_player->ShowNextFigure(+1);
    });
    InstallStatusWarningSink([this](std::string_view text) { m_state->ShowStatusWarning(text); });
    InstallStatusErrorSink([this](std::string_view text) { m_state->ShowStatusError(text); });
    m_messageLine = true;
}

void Studio::SetCallbacks(MainCallbacks* callbacks) {
    m_callbacks->SetTarget(callbacks);
    InstallMessageLine(callbacks != nullptr);
    // The timers the new widgets own take the intervals of the settings.
    m_state->SetNextDemoTime(ConfigValues().NextDemoSeconds);
    m_state->SetSyncMode(m_state->SyncMode());
}

TBitmap32& Studio::Picture() { return m_stage->DrawingSurface(); }

void Studio::Activate() {
    if (m_activated) return;
    m_activated = true;
    m_state->SoundChecked = Switches()[Switch::PlaySound];
    m_player->ShowDemo(m_state->CurrentDemo, m_state->CurrentFigure);
}

bool Studio::SaveSettings() {
    if (m_configSource == ConfigSource::BuiltInDefaults) return false;
    return SaveConfiguration(GlobalSettings());
}

}  // namespace pax
