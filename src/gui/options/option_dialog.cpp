#include "gui/options/option_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/options/option_form.h"
#include "gui/guard.h"
#include "gui/options/background_panel.h"
#include "gui/options/picture_dialogs.h"
#include "gui/options/value_label.h"
#include "system/settings.h"

namespace pax {

namespace {

constexpr int ValueWidth = 64;

QSlider* NewSlider(int min, int max, QWidget* parent) {
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setRange(min, max);
    s->setMinimumWidth(160);
    // Arrow keys and the wheel step by one, Page keys by a tenth of the range.
    s->setPageStep(std::max(1, (max - min) / 10));
    return s;
}

QString ColourStyle(TColor32 colour) {
    return QString("background-color: #%1; border: 1px solid gray;").arg(colour & 0xFFFFFFu, 6, 16, QChar('0'));
}

}  // namespace

OptionDialog::OptionDialog(OptionForm& form, MainCommands& commands, QWidget* parent)
    : ToolWindow(ConfigValues().OptionWindow, OptionForm::Caption, commands, parent), m_form(form) {
    // Esc in the options is the main window's: it closes the program.
    m_escapeToMain = true;
    m_tabs = new QTabWidget(this);
    for (int t = 0; t < OptionTabCount; ++t) {
        const auto tab = static_cast<OptionTab>(t);
        m_tabs->addTab(BuildTab(tab), Utf8(OptionTabName(tab)));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_tabs);
    m_form.SetView([this] { UpdateForm(); });
    UpdateForm();
    setAcceptDrops(true);
}

void OptionDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// A dropped picture becomes the background, as on the main window.
void OptionDialog::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        const std::string file = url.toLocalFile().toStdString();
        if (file.empty() || !IsPictureFileName(file.c_str())) continue;
        Guard("OptionForm.FileIsDropped", [&] { m_form.Background().OpenChosen(file); });
    }
    event->acceptProposedAction();
}

OptionDialog::~OptionDialog() { m_form.SetView({}); }

void OptionDialog::OpenOn(OptionTab tab) {
    m_tabs->setCurrentIndex(static_cast<int>(tab));
    Open();
}

QWidget* OptionDialog::BuildTab(OptionTab tab) {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    if (tab == OptionTab::Background) {
        m_background = new BackgroundPanel(m_form.Background(), page);
        column->addWidget(m_background);
    }
    if (tab == OptionTab::Light) BuildLight(column);
    if (tab == OptionTab::Animation) {
        BuildAnimation(column);
    } else {
        auto* grid = new QGridLayout;
        int row = 0;
        if (tab == OptionTab::FigureValues)
            BuildFigureValues(grid);
        else
            AddControls(tab, grid, row);
        column->addLayout(grid);
    }
    if (tab == OptionTab::BasicValues) {
        m_configFile = new QLabel(page);
        m_configFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
        column->addWidget(m_configFile);
    }
    column->addStretch(1);
    AddButtons(tab, column);
    return page;
}

// Check boxes two to a row first, then the sliders one to a row.
void OptionDialog::AddControls(OptionTab tab, QGridLayout* grid, int& row, std::string_view box) {
    int checks = 0;
    for (const OptionControl& c : OptionControls()) {
        if (c.Tab != tab || c.Box != box || c.Kind != ControlKind::Check) continue;
        auto* check = new QCheckBox(Utf8(c.Caption));
        check->setToolTip(Utf8(c.Hint));
        const OptionId id = c.Id;
        connect(check, &QCheckBox::clicked, this, [this, id](bool on) {
            Guard("OptionForm.CheckClick", [&] { m_form.Change(id, on ? 1 : 0); });
        });
        m_controls[static_cast<size_t>(id)].Check = check;
        grid->addWidget(check, row + checks / 2, (checks % 2) * 2, 1, 2);
        ++checks;
    }
    row += (checks + 1) / 2;
    for (const OptionControl& c : OptionControls()) {
        if (c.Tab != tab || c.Box != box || c.Kind != ControlKind::Slider) continue;
        AddSlider(c, grid, row++);
    }
}

void OptionDialog::AddSlider(const OptionControl& c, QGridLayout* grid, int row) {
    auto* name = new QLabel(Utf8(c.Caption));
    auto* slider = NewSlider(c.Min, c.Max, this);
    auto* value = new ValueLabel;
    value->setMinimumWidth(ValueWidth);
    const OptionId id = c.Id;
    for (QWidget* w : {static_cast<QWidget*>(name), static_cast<QWidget*>(slider), static_cast<QWidget*>(value)})
        w->setToolTip(Utf8(c.Hint));
    value->setToolTip(Utf8(c.Hint) + "\n(double click: the middle)");
    connect(slider, &QSlider::valueChanged, this, [this, id](int p) {
        Guard("OptionForm.SliderChange", [&] { m_form.Change(id, p); });
    });
    value->OnDoubleClick = [this, id] { m_form.CentreSlider(id); };
    if (id == OptionId::ScrollSpeedX || id == OptionId::ScrollSpeedY) value->OnClick = value->OnDoubleClick;
    m_controls[static_cast<size_t>(id)] = {nullptr, slider, value};
    grid->addWidget(name, row, 0);
    grid->addWidget(slider, row, 1, 1, 2);
    grid->addWidget(value, row, 3);
}

void OptionDialog::AddButtons(OptionTab tab, QVBoxLayout* column) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (const GroupButton& b : GroupButtons()) {
        if (b.Tab != tab) continue;
        auto* button = new QPushButton(Utf8(b.Caption));
        button->setAutoDefault(false);
        const GroupAction action = b.Action;
        connect(button, &QPushButton::clicked, this, [this, tab, action] {
            Guard("OptionForm.GroupButton", [&] {
                if (action == GroupAction::Copy)
                    QApplication::clipboard()->setText(QString::fromStdString(m_form.Figures().CopyText()));
                else
                    m_form.Group(tab, action);
            });
        });
        row->addWidget(button);
    }
    column->addLayout(row);
}

void OptionDialog::BuildLight(QVBoxLayout* column) {
    auto* row = new QHBoxLayout;
    m_presets = new QComboBox;
    for (const LightPreset& p : LightPresets()) m_presets->addItem(Utf8(p.Name));
    m_presets->setToolTip("light presets: model, ambient, diffuse, specular, exponent");
    connect(m_presets, &QComboBox::activated, this, [this](int index) {
        Guard("OptionForm.ComboBoxLightChange", [&] { m_form.ChooseLightPreset(index); });
    });
    auto* colour = new QPushButton;
    colour->setFixedSize(48, 22);
    colour->setToolTip("Light Color: click to choose");
    colour->setAutoDefault(false);
    connect(colour, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(QColor::fromRgb(m_form.LightColor() | 0xFF000000u), this,
                                                     "Light Color");
        if (chosen.isValid()) Guard("OptionForm.iLightColorClick", [&] { m_form.SetLightColor(chosen.rgb()); });
    });
    m_lightColour = colour;
    row->addWidget(new QLabel("preset"));
    row->addWidget(m_presets);
    row->addStretch(1);
    row->addWidget(new QLabel("color"));
    row->addWidget(colour);
    column->addLayout(row);
}

void OptionDialog::BuildFigureValues(QGridLayout* grid) {
    m_noFigureValues = new QLabel("The figure shown has no values of its own.");
    m_noFigureValues->setEnabled(false);
    grid->addWidget(m_noFigureValues, FigureValues::Count, 0, 1, 3);
    for (int i = 0; i < FigureValues::Count; ++i) {
        const int index = i + 1;
        auto* name = new QLabel;
        auto* slider = NewSlider(0, 200, this);
        auto* value = new ValueLabel;
        value->setMinimumWidth(ValueWidth);
        connect(slider, &QSlider::valueChanged, this, [this, index](int p) {
            Guard("OptionForm.gValueChange", [&] { m_form.ChangeFigureValue(index, p); });
        });
        value->OnDoubleClick = [this, index] { m_form.CentreTag(FigureValues::FirstTag + index - 1); };
        m_figures[static_cast<size_t>(i)] = {name, slider, value};
        grid->addWidget(name, i, 0);
        grid->addWidget(slider, i, 1);
        grid->addWidget(value, i, 2);
    }
}

void OptionDialog::BuildAnimation(QVBoxLayout* column) {
    auto* boxes = new QGridLayout;
    int b = 0;
    for (std::string_view box : AnimationBoxes) {
        auto* group = new ResettableBox(Utf8(box));
        group->setToolTip("double click: back to the defaults");
        group->OnDoubleClick = [this, box] { m_form.ResetAnimationBox(box); };
        auto* grid = new QGridLayout(group);
        int row = 0;
        AddControls(OptionTab::Animation, grid, row, box);
        boxes->addWidget(group, b / 2, b % 2);
        ++b;
    }
    column->addLayout(boxes);
    auto* rest = new QGridLayout;
    int row = 0;
    AddControls(OptionTab::Animation, rest, row);
    column->addLayout(rest);
}

void OptionDialog::UpdateForm() {
    for (const OptionControl& c : OptionControls()) {
        const ControlWidgets& w = m_controls[static_cast<size_t>(c.Id)];
        const int32_t p = m_form.Position(c.Id);
        if (w.Check) {
            const QSignalBlocker block(w.Check);
            w.Check->setChecked(p != 0);
        }
        if (w.Slider) {
            const QSignalBlocker block(w.Slider);
            w.Slider->setValue(p);
        }
        if (w.Value) w.Value->setText(Utf8(m_form.LabelText(c.Id)));
    }
    UpdateFigureValues();
    if (m_lightColour) m_lightColour->setStyleSheet(ColourStyle(m_form.LightColor()));
    if (m_configFile) m_configFile->setText("config file: " + QString::fromStdString(m_form.ConfigFileText()));
    if (m_background) m_background->UpdateForm();
}

void OptionDialog::UpdateFigureValues() {
    const FigureValues& values = m_form.Figures();
    if (m_noFigureValues) m_noFigureValues->setVisible(!values.AnyVisible());
    for (int i = 0; i < FigureValues::Count; ++i) {
        const tFigureValue& s = values.Slot(i + 1);
        const FigureWidgets& w = m_figures[static_cast<size_t>(i)];
        if (!w.Slider) continue;
        for (QWidget* widget : {static_cast<QWidget*>(w.Name), static_cast<QWidget*>(w.Slider),
                                static_cast<QWidget*>(w.Value)})
            widget->setVisible(s.Visible);
        if (!s.Visible) continue;
        const QSignalBlocker block(w.Slider);
        w.Slider->setRange(s.SliderMin(), s.SliderMax());
        w.Slider->setValue(s.Position);
        w.Name->setText(QString::fromStdString(s.Name));
        w.Value->setText(QString::fromStdString(s.ValueText()));
    }
}

}  // namespace pax
