#include "app/demo_player.h"

#include <exception>
#include <string>

#include "app/demo_catalogue.h"
#include "app/main_state.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "render/windows/zbuffer.h"
#include "scene/pax3d.h"
#include "system/debug_log.h"
#include "system/error_reporting.h"
#include "system/settings.h"

namespace pax {

DemoPlayer::DemoPlayer(DemoCatalogue& catalogue, MainState& state, Stage& stage, std::function<bool()> saveSettings)
    : m_catalogue(catalogue), m_state(state), m_stage(stage), m_saveSettings(std::move(saveSettings)) {}

void DemoPlayer::ShowDemo(int32_t demo, int32_t figure) {
    const DemoSelection selection = m_catalogue.Normalize(demo, figure);
    m_state.CurrentDemo = selection.Demo;
    m_state.CurrentFigure = selection.Figure;

    ++m_state.DemoShows;
    m_state.ClearFlashInfo();
    m_stage.View().ClearAll();   // picture number 0
    m_state.Callbacks().StopSound();

    const bool known = selection.Demo < m_catalogue.DemoCount();
    const DemoRecord empty;
    const DemoRecord& record = known ? m_catalogue.Demo(selection.Demo) : empty;
    m_state.FigureTitle = selection.Figure < record.FigureCount()
                              ? record.Figures[static_cast<size_t>(selection.Figure)].Name
                              : std::string();

    m_state.AnimationTime = 0;
    m_state.ShownDemo = std::make_shared<const DemoRecord>(record);
    m_state.UpdateCaption();

    if (m_onShow) m_onShow();
    m_state.Callbacks().RefreshOptions();
    if (record.Values) record.Values->Reset();
    m_stage.Pax().Restart();

    // The shown copy keeps the procedures alive even if a start procedure selects another
    // figure.
    const std::shared_ptr<const DemoRecord> shown = m_state.ShownDemo;
    RunStart(shown->Start);
    if (const FigureRecord* f = m_state.ShownFigure(); f && m_state.ShownDemo == shown) RunStart(f->Start);

    m_stage.Dragon().Counter = 0;
    ClearPicture();
    m_state.RestartDemo();
}

void DemoPlayer::RunStart(const std::function<void()>& start) {
    if (!start) return;
    try {
        start();
    } catch (const std::exception& e) {
        LogLine(std::string(">>> Error in ShowDemo: ") + e.what());
        ShowPaxError("PaxForm: ShowDemo", e.what());
    }
}

void DemoPlayer::ClearPicture() {
    m_stage.View().Clear(ConfigValues().BackgroundColor);
    m_stage.ZBuffer().Clear();
}

void DemoPlayer::ShowNextDemo(int32_t d) { ShowDemo(m_state.CurrentDemo + d, 0); }

void DemoPlayer::ShowNextFigure(int32_t d) { ShowDemo(m_state.CurrentDemo, m_state.CurrentFigure + d); }

void DemoPlayer::PreviousDemo() { ShowDemo(m_state.CurrentDemo - 1, 0); }

void DemoPlayer::SetFirstFigure() {
    tConfigValues& v = ConfigValues();
    v.DemoGroup = m_state.CurrentDemo;
    v.Figure = m_state.CurrentFigure;
    if (m_saveSettings) m_saveSettings();
    m_state.FlashInfo(FirstFigureText, MainState::InfoColor);
}

}  // namespace pax
