#pragma once
// AnimWindow: the widgets of "Pax3d Animation": the figure's name and eleven labelled fields
// with the loop's live values, filled after each picture while the window is shown.

#include <QElapsedTimer>
#include <QTimer>

#include <array>

#include "app/tool_windows/anim_form.h"
#include "gui/tool_windows/tool_window.h"

class QLineEdit;

namespace pax {

class AnimWindow : public ToolWindow {
public:
    AnimWindow(AnimForm& form, MainCommands& commands, QWidget* parent = nullptr);
    ~AnimWindow() override;

    // The fields from the loop's values, at most once per MinInterval: pictures follow each
    // other far faster than a screen shows them. One skipped is filled when the interval ends.
    void UpdateForm();
    static constexpr int MinInterval = 20;   // ms
    QString FieldText(int index) const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Fill();

    AnimForm& m_form;
    QElapsedTimer m_sinceFill;
    QTimer m_pending;
    QLineEdit* m_figure = nullptr;
    std::array<QLineEdit*, AnimForm::FieldCount> m_fields{};
};

}  // namespace pax
