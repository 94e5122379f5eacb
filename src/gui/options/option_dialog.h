#pragma once
// OptionDialog: the widgets of "Pax3d Options". They are built from the control table of
// OptionForm and forward every click and slider move to it; UpdateForm (called by OptionForm
// whenever the settings changed) sets every widget from the stored values again.

#include <array>

#include "app/options/figure_values.h"
#include "app/options/option_controls.h"
#include "gui/tool_windows/tool_window.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QSlider;
class QTabWidget;
class QVBoxLayout;

namespace pax {

class OptionForm;
class BackgroundPanel;

class OptionDialog : public ToolWindow {
public:
    OptionDialog(OptionForm& form, MainCommands& commands, QWidget* parent = nullptr);
    ~OptionDialog() override;

    // The window shown on one of its tabs.
    void OpenOn(OptionTab tab);
    // Every control from the stored values.
    void UpdateForm();

    QTabWidget& Tabs() { return *m_tabs; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct ControlWidgets {
        QCheckBox* Check = nullptr;
        QSlider* Slider = nullptr;
        QLabel* Value = nullptr;
    };
    struct FigureWidgets {
        QLabel* Name = nullptr;
        QSlider* Slider = nullptr;
        QLabel* Value = nullptr;
    };

    QWidget* BuildTab(OptionTab tab);
    void AddControls(OptionTab tab, QGridLayout* grid, int& row, std::string_view box = {});
    void AddSlider(const OptionControl& c, QGridLayout* grid, int row);
    void AddButtons(OptionTab tab, QVBoxLayout* column);
    void BuildLight(QVBoxLayout* column);
    void BuildFigureValues(QGridLayout* grid);
    void BuildAnimation(QVBoxLayout* column);
    void UpdateFigureValues();

    OptionForm& m_form;
    QTabWidget* m_tabs = nullptr;
    std::array<ControlWidgets, OptionIdCount> m_controls{};
    std::array<FigureWidgets, FigureValues::Count> m_figures{};
    QComboBox* m_presets = nullptr;
    QAbstractButton* m_lightColour = nullptr;
    QLabel* m_configFile = nullptr;
    QLabel* m_noFigureValues = nullptr;
    BackgroundPanel* m_background = nullptr;
};

}  // namespace pax
