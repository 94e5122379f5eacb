#include "gui/editor/edit_page.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>

#include "app/editor/lsystem_editor.h"
#include "gui/guard.h"

namespace pax {
namespace {

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }
std::string ToUtf8(const QString& text) { return text.toStdString(); }

void SetTextKeepingCursor(QLineEdit* field, const std::string& text) {
    const QString wanted = FromUtf8(text);
    if (field->text() == wanted) return;
    const int cursor = field->cursorPosition();
    field->setText(wanted);
    field->setCursorPosition(std::min(cursor, static_cast<int>(wanted.size())));
}

QSpinBox* MakeSpin(int min, int max, int step) {
    auto* spin = new QSpinBox;
    spin->setRange(min, max);
    spin->setSingleStep(step);
    spin->setAccelerated(true);
    return spin;
}

QToolButton* MakeSmallButton(const QString& text, const QString& hint) {
    auto* button = new QToolButton;
    button->setText(text);
    button->setToolTip(hint);
    return button;
}

}  // namespace

EditPage::EditPage(LSystemEditor& editor, std::function<void()> changed, QWidget* parent)
    : QWidget(parent), m_editor(editor), m_changed(std::move(changed)) {
    EditFields& f = m_editor.Fields();
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);

    m_name = new QLineEdit;
    m_info = new QLineEdit;
    m_axiom = new QLineEdit;
    grid->addWidget(new QLabel("name"), 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(new QLabel("info"), 1, 0);
    grid->addWidget(m_info, 1, 1);
    grid->addWidget(new QLabel("axiom"), 2, 0);
    grid->addWidget(m_axiom, 2, 1);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& t) {
        m_editor.Fields().SetName(ToUtf8(t));
        FieldsChanged();
    });
    connect(m_info, &QLineEdit::textEdited, this, [this](const QString& t) {
        m_editor.Fields().Info = ToUtf8(t);
        FieldsChanged();
    });
    connect(m_axiom, &QLineEdit::textEdited, this, [this](const QString& t) {
        m_editor.Fields().Axiom = ToUtf8(t);
        FieldsChanged();
    });

    m_rules = new QTableWidget(0, 2);
    m_rules->setHorizontalHeaderLabels({"name", "value"});
    m_rules->horizontalHeader()->setStretchLastSection(true);
    m_rules->setColumnWidth(0, 44);
    m_rules->verticalHeader()->setDefaultSectionSize(20);
    m_rules->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_rules, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (m_refreshing) return;
        QTableWidgetItem* item = m_rules->item(row, column);
        m_editor.Fields().SetCell(row, column, item ? ToUtf8(item->text()) : std::string());
        RefreshGrid();
        FieldsChanged();
    });
    grid->addWidget(new QLabel("rules"), 3, 0, Qt::AlignTop);
    grid->addWidget(m_rules, 3, 1, 7, 1);
    auto* rowButtons = new QVBoxLayout;
    rowButtons->setSpacing(2);
    const std::pair<const char*, std::pair<const char*, void (EditPage::*)()>> rowCommands[] = {
        {"+", {"add a rule after the selected one", &EditPage::AddRow}},
        {"-", {"delete the selected rule", &EditPage::DeleteRow}},
        {"\u2191", {"move the selected rule up", &EditPage::MoveRowUp}},
        {"\u2193", {"move the selected rule down", &EditPage::MoveRowDown}},
    };
    for (const auto& [text, command] : rowCommands) {
        QToolButton* button = MakeSmallButton(QString::fromUtf8(text), command.first);
        auto slot = command.second;
        connect(button, &QToolButton::clicked, this, [this, slot] { Guard("TLSystemForm.Rules", [&] { (this->*slot)(); }); });
        rowButtons->addWidget(button);
    }
    rowButtons->addStretch();
    grid->addLayout(rowButtons, 4, 0, 5, 1);

    m_angle = MakePair(f.Angle, 100, 64);
    m_thick = MakePair(f.Thick, 100, 64);
    m_factor = MakePair(f.Factor, 10, 64);
    m_step = MakeSpin(EditFields::StepMin, EditFields::StepMax, 10);
    m_deep = MakeSpin(EditFields::DeepMin, EditFields::DeepMax, 1);
    m_objects = MakeSpin(EditFields::ObjectsMin, EditFields::ObjectsMax, 1);
    const std::pair<const char*, Pair> pairs[] = {{"angle", m_angle}, {"thick", m_thick}, {"factor", m_factor}};
    int row = 0;
    for (const auto& [label, pair] : pairs) {
        grid->addWidget(new QLabel(label), row, 2);
        grid->addWidget(pair.text, row, 3);
        grid->addWidget(pair.spin, row, 4);
        ++row;
    }
    const std::pair<const char*, QSpinBox*> spins[] = {{"step", m_step}, {"deep", m_deep}, {"objects", m_objects}};
    for (const auto& [label, spin] : spins) {
        grid->addWidget(new QLabel(label), row, 2);
        grid->addWidget(spin, row, 4);
        connect(spin, &QSpinBox::valueChanged, this, [this, spin = spin](int value) {
            if (m_refreshing) return;
            EditFields& fields = m_editor.Fields();
            if (spin == m_step) fields.SetStep(value);
            if (spin == m_deep) fields.SetDeep(value);
            if (spin == m_objects) fields.SetObjects(value);
            FieldsChanged();
        });
        ++row;
    }
    m_autoRedraw = new QCheckBox("auto redraw");
    connect(m_autoRedraw, &QCheckBox::toggled, this, [this](bool on) {
        if (m_refreshing) return;
        Guard("TLSystemForm.AutoRedraw", [&] { m_editor.SetAutoRedraw(on); });
        Refresh();
        if (m_changed) m_changed();
    });
    m_state = new QLineEdit;
    m_state->setReadOnly(true);
    m_state->setMaxLength(1);
    m_state->setFixedWidth(22);
    m_state->setAlignment(Qt::AlignCenter);
    m_state->setFocusPolicy(Qt::NoFocus);
    m_state->setToolTip("green: the fields make a system; red: name, axiom, first rule or a number is missing");
    grid->addWidget(m_autoRedraw, row, 2, 1, 2);
    grid->addWidget(m_state, row, 4, Qt::AlignRight);
    ++row;

    auto* buttons = new QGridLayout;
    buttons->setSpacing(3);
    MakeButton("Get", &EditPage::GetClicked);
    MakeButton("Set", &EditPage::SetClicked);
    MakeButton("Save...", &EditPage::SaveClicked);
    MakeButton("Copy", &EditPage::CopyClicked);
    MakeButton("Web", &EditPage::WebClicked);
    MakeButton("Random", &EditPage::RandomClicked);
    for (size_t i = 0; i < m_buttons.size(); ++i) buttons->addWidget(m_buttons[i], static_cast<int>(i / 3), static_cast<int>(i % 3));
    grid->addLayout(buttons, row, 2, 1, 3);
    grid->setRowStretch(row + 1, 1);
    grid->setColumnStretch(1, 1);
    RefreshAll();
}

EditPage::Pair EditPage::MakePair(PairedNumber& number, int step, int textWidth) {
    Pair pair{new QLineEdit, MakeSpin(number.Min, number.Max, step)};
    pair.text->setFixedWidth(textWidth);
    pair.spin->setToolTip(QString("the value x %1").arg(number.Scale));
    connect(pair.text, &QLineEdit::textEdited, this, [this, &number](const QString& t) {
        number.SetText(ToUtf8(t));
        FieldsChanged();
    });
    connect(pair.spin, &QSpinBox::valueChanged, this, [this, &number](int value) {
        if (m_refreshing) return;
        number.SetSpin(value);
        FieldsChanged();
    });
    return pair;
}

QPushButton* EditPage::MakeButton(const QString& caption, void (EditPage::*slot)()) {
    auto* button = new QPushButton(caption);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, slot, caption] {
        Guard(("TLSystemForm." + caption).toStdString(), [&] { (this->*slot)(); });
        Refresh();
        if (m_changed) m_changed();
    });
    m_buttons.push_back(button);
    return button;
}

QPushButton* EditPage::Button(const QString& caption) const {
    for (QPushButton* button : m_buttons)
        if (button->text() == caption) return button;
    return nullptr;
}

void EditPage::FieldsChanged() {
    if (m_refreshing) return;
    Guard("TLSystemForm.FieldsChanged", [this] { m_editor.FieldsChanged(); });
    Refresh();
    if (m_changed) m_changed();
}

void EditPage::RefreshPair(const Pair& pair, const PairedNumber& number) {
    SetTextKeepingCursor(pair.text, number.Text);
    pair.spin->setValue(number.Spin);
}

void EditPage::Refresh() {
    m_refreshing = true;
    const EditFields& f = m_editor.Fields();
    SetTextKeepingCursor(m_name, f.Name);
    SetTextKeepingCursor(m_info, f.Info);
    SetTextKeepingCursor(m_axiom, f.Axiom);
    RefreshPair(m_angle, f.Angle);
    RefreshPair(m_thick, f.Thick);
    RefreshPair(m_factor, f.Factor);
    m_step->setValue(f.Step);
    m_deep->setValue(f.Deep);
    m_objects->setValue(f.Objects);
    m_autoRedraw->setChecked(m_editor.AutoRedraw());
    const bool valid = m_editor.Valid();
    m_state->setText(QString::fromStdString(m_editor.StateText()));
    m_state->setStyleSheet(valid ? "background: #20c020; color: white;" : "background: #e02020; color: white;");
    Button("Set")->setEnabled(valid);
    Button("Save...")->setEnabled(valid);
    Button("Web")->setEnabled(m_editor.CanOpenLink());
    Button("Random")->setEnabled(m_editor.CanRandomize());
    m_refreshing = false;
}

void EditPage::RefreshAll() {
    RefreshGrid();
    Refresh();
}

void EditPage::RefreshGrid() {
    m_refreshing = true;
    const std::vector<RuleRow>& rows = m_editor.Fields().Rules;
    m_rules->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const RuleRow& row = rows[static_cast<size_t>(r)];
        for (int c = 0; c < 2; ++c) {
            const QString text = FromUtf8(c == 0 ? row.Symbol : row.Successor);
            QTableWidgetItem* item = m_rules->item(r, c);
            if (!item) m_rules->setItem(r, c, new QTableWidgetItem(text));
            else if (item->text() != text) item->setText(text);
        }
    }
    m_refreshing = false;
}

int EditPage::CurrentRow() const { return m_rules->currentRow(); }

void EditPage::GetClicked() {
    m_editor.Get();
    RefreshGrid();
}

void EditPage::SetClicked() { m_editor.Set(); }

void EditPage::SaveClicked() {
    if (!m_editor.Valid()) return;
    const QString path = QFileDialog::getSaveFileName(this, "Save LSystem", FromUtf8(m_editor.SaveSystemProposal()),
                                                      "L-systems (*.LSY *.lsy);;All files (*)");
    if (!path.isEmpty()) m_editor.SaveSystem(ToUtf8(path));
}

void EditPage::CopyClicked() { m_editor.Copy(); }
void EditPage::WebClicked() { m_editor.OpenLink(); }
void EditPage::RandomClicked() { m_editor.Randomize(); }

void EditPage::AddRow() {
    std::optional<int> row = m_editor.Fields().AddRow(CurrentRow());
    RefreshGrid();
    if (row) m_rules->setCurrentCell(*row, 0);
    FieldsChanged();
}

void EditPage::DeleteRow() {
    m_editor.Fields().DeleteRow(CurrentRow());
    RefreshGrid();
    FieldsChanged();
}

void EditPage::MoveRowUp() { MoveRow(-1); }
void EditPage::MoveRowDown() { MoveRow(+1); }

void EditPage::MoveRow(int delta) {
    const int column = std::max(0, m_rules->currentColumn());
    const int row = m_editor.Fields().MoveRow(CurrentRow(), delta);
    RefreshGrid();
    if (row >= 0) m_rules->setCurrentCell(row, column);
    FieldsChanged();
}

}  // namespace pax
