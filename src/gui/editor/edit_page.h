#pragma once
// EditPage: the "edit" page of the editor window. Every change a user makes goes to the
// editor's fields; then the page shows the fields again, with its change signals held back,
// so that a paired text and spin field never set each other in a loop.

#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace pax {

class LSystemEditor;
struct PairedNumber;

class EditPage : public QWidget {
public:
    // changed runs after a command that may change what the other pages show.
    EditPage(LSystemEditor& editor, std::function<void()> changed, QWidget* parent = nullptr);

    // The widgets from the editor's fields and state.
    void Refresh();
    // After a command that changed the fields (Get, Edit): the grid too.
    void RefreshAll();

    QLineEdit* NameField() const { return m_name; }
    QLineEdit* AngleText() const { return m_angle.text; }
    QSpinBox* AngleSpin() const { return m_angle.spin; }
    QLineEdit* AxiomField() const { return m_axiom; }
    QTableWidget* RulesGrid() const { return m_rules; }
    QPushButton* Button(const QString& caption) const;
    QLineEdit* StateField() const { return m_state; }

private:
    struct Pair {
        QLineEdit* text;
        QSpinBox* spin;
    };
    Pair MakePair(PairedNumber& number, int step, int textWidth);
    QPushButton* MakeButton(const QString& caption, void (EditPage::*slot)());
    void FieldsChanged();
    void RefreshGrid();
    void RefreshPair(const Pair& pair, const PairedNumber& number);
    int CurrentRow() const;

    void GetClicked();
    void SetClicked();
    void SaveClicked();
    void CopyClicked();
    void WebClicked();
    void RandomClicked();
    void AddRow();
    void DeleteRow();
    void MoveRowUp();
    void MoveRowDown();
    void MoveRow(int delta);

    LSystemEditor& m_editor;
    std::function<void()> m_changed;
    bool m_refreshing = false;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_info = nullptr;
    QLineEdit* m_axiom = nullptr;
    QTableWidget* m_rules = nullptr;
    Pair m_angle{}, m_thick{}, m_factor{};
    QSpinBox* m_step = nullptr;
    QSpinBox* m_deep = nullptr;
    QSpinBox* m_objects = nullptr;
    QCheckBox* m_autoRedraw = nullptr;
    QLineEdit* m_state = nullptr;
    std::vector<QPushButton*> m_buttons;
};

}  // namespace pax
