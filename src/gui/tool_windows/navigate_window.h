#pragma once
// NavigateWindow: the widgets of "Eye Navigation": twelve motion buttons laid out like the
// numeric pad that move the eye while held (one step and one picture per tick of a 1 ms
// timer), four mode pictures, the speed slider and the status panel. Everything they do
// goes to NavigateForm.

#include <QTimer>

#include "app/tool_windows/navigate_form.h"
#include "gui/tool_windows/tool_window.h"

class QLabel;
class QSlider;

namespace pax {

class NavigateWindow : public ToolWindow {
public:
    NavigateWindow(Studio& studio, QWidget* parent = nullptr);

    NavigateForm& Form() { return m_form; }
    QSlider& Speed() { return *m_speed; }

protected:
    void Refresh() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MotionButton(char key);
    QWidget* ModePicture(char mode);
    void ShowStatus();

    NavigateForm m_form;
    QTimer m_repeat;
    QSlider* m_speed = nullptr;
    QLabel* m_status = nullptr;
};

}  // namespace pax
