#include "gui/tool_windows/anim_window.h"

#include <QFormLayout>
#include <QLineEdit>

namespace pax {

AnimWindow::AnimWindow(AnimForm& form, MainCommands& commands, QWidget* parent)
    : ToolWindow(ConfigValues().AnimationWindow, AnimForm::Caption, commands, parent), m_form(form) {
    auto* layout = new QFormLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto field = [this] {
        auto* edit = new QLineEdit(this);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setMinimumWidth(120);
        return edit;
    };
    m_figure = field();
    layout->addRow(m_figure);
    for (size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = field();
        m_fields[i]->setAlignment(Qt::AlignRight);
        layout->addRow(Utf8(AnimForm::Fields()[i].Label), m_fields[i]);
    }
    m_pending.setSingleShot(true);
    connect(&m_pending, &QTimer::timeout, this, [this] { Fill(); });
}

AnimWindow::~AnimWindow() { m_form.SetView({}); }

void AnimWindow::UpdateForm() {
    if (m_sinceFill.isValid() && m_sinceFill.elapsed() < MinInterval) {
        if (!m_pending.isActive()) m_pending.start(MinInterval - static_cast<int>(m_sinceFill.elapsed()));
        return;
    }
    Fill();
}

void AnimWindow::Fill() {
    m_pending.stop();
    m_sinceFill.start();
    const AnimationReport report = m_form.Report();
    m_figure->setText(QString::fromStdString(report.FigureName));
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setText(QString::fromStdString(report.*AnimForm::Fields()[i].Value));
}

QString AnimWindow::FieldText(int index) const { return m_fields.at(static_cast<size_t>(index))->text(); }

// Only a shown window is filled after each picture.
void AnimWindow::showEvent(QShowEvent* event) {
    m_form.SetView([this] { UpdateForm(); });
    Fill();
    ToolWindow::showEvent(event);
}

void AnimWindow::hideEvent(QHideEvent* event) {
    m_form.SetView({});
    m_pending.stop();
    ToolWindow::hideEvent(event);
}

}  // namespace pax
