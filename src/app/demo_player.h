#pragma once
// DemoPlayer: chooses the demo and figure shown, steps through them forward and backward with
// wrap-around, and starts a figure. Also the commands of the "Animate" menu that select
// figures (pause and run are the picture loop's).

#include <cstdint>
#include <functional>

namespace pax {

class DemoCatalogue;
class MainState;
class Stage;

class DemoPlayer {
public:
    static constexpr const char* FirstFigureText = "1st Figure";

    // saveSettings writes the configuration file (SetFirstFigure); it may do nothing.
    DemoPlayer(DemoCatalogue& catalogue, MainState& state, Stage& stage, std::function<bool()> saveSettings);

    // Called as each figure is selected, before its start procedures run (the options'
    // figure values are hidden there, so that the new figure defines its own).
    void OnShow(std::function<void()> hook) { m_onShow = std::move(hook); }

    // Selects and starts a figure: the indices wrap as DemoCatalogue::Normalize says; the
    // flash texts cleared, the window's picture number 0, the sound stopped; the figure's
    // title and the caption; animation time 0; the demo copied for the pictures; the options
    // told; the demo's values emptied; the drawing turtle at its start; the demo's start
    // procedure, then the figure's; the dragon's counter 0, picture and z-buffer cleared;
    // RestartDemo. A start procedure that throws is logged and reported in the message line.
    void ShowDemo(int32_t demo, int32_t figure);
    // ShowDemo (current demo + d, 0).
    void ShowNextDemo(int32_t d);
    // ShowDemo (current demo, current figure + d); 0 restarts the figure.
    void ShowNextFigure(int32_t d);
    // Stores the demo and figure as "DemoGroup" and "Figure", saves the configuration and
    // flashes "1st Figure": the next start begins here.
    void SetFirstFigure();
    // A click in the "Select Figure" menu: submenu index and item index.
    void SelectFigureClick(int32_t demo, int32_t figure) { ShowDemo(demo, figure); }

    // --- the "Animate" menu ---------------------------------------------------------------------
    void Restart() { ShowNextFigure(0); }
    void FirstDemo() { ShowDemo(0, 0); }
    void PreviousDemo();
    void PreviousFigure() { ShowNextFigure(-1); }
    void NextFigure() { ShowNextFigure(+1); }
    void NextDemo() { ShowNextDemo(+1); }
    // The last figure of the last demo.
    void LastDemo() { ShowDemo(0, -1); }

private:
    void RunStart(const std::function<void()>& start);
    void ClearPicture();

    DemoCatalogue& m_catalogue;
    MainState& m_state;
    Stage& m_stage;
    std::function<bool()> m_saveSettings;
    std::function<void()> m_onShow;
};

}  // namespace pax
