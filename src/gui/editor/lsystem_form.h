#pragma once
// TLSystemForm: the "Lindenmayer Systems" window. Six pages: "select" (the file tree and
// its commands), "edit", "result", "rules", "syntax" and "about". The window only shows the
// LSystemEditor and forwards what the user does to it; the file dialogs are its own.
//
// The desktop program creates it after the main window:
//     TLSystemForm editor(studio, &mainWindow);
//     editor.AddMenuItems(toolsMenu, windowMenu);   // "Lindenmayer Systems...", Ctrl+F8
//     editor.OpenFile(path);                        // a file given on the command line

#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace pax {

class Studio;
class LSystemEditor;
class EditPage;
struct TreeNode;

class TLSystemForm : public QWidget {
public:
    // parent: the main window, which the form stays with; the studio must outlive it.
    TLSystemForm(Studio& studio, QWidget* parent = nullptr);
    ~TLSystemForm() override;

    LSystemEditor& Editor() { return *m_editor; }
    // A separator and "Lindenmayer Systems..." (Ctrl+F8) in the menu bar's "Options" or
    // "Tools" menu (else its last one); the form's item in its "Window" menu, when there is
    // one, while the form is open. Ctrl+F8 of the main window's key table opens it too.
    void AddMenuItems(QMenuBar* menuBar);
    // A .LSY file dropped on window (the main window) is opened as by OpenFile; other drops
    // go on to the window's own handlers.
    void AcceptDrops(QWidget* window);
    // Shows the form and brings it to the front.
    void Open();
    // A file given to the program: into the tree, its first system drawn.
    bool OpenFile(const std::string& path);

    // For the tests.
    QTabWidget* Pages() const { return m_pages; }
    QTreeWidget* Tree() const { return m_tree; }
    EditPage& Edit() const { return *m_editPage; }
    QPushButton* SelectButton(const QString& caption) const;
    QListWidget* ResultList() const { return m_resultList; }
    QLabel* ResultCounter() const { return m_counter; }
    QCheckBox* ShowResultBox() const { return m_showResult; }

    // The drops on the window of AcceptDrops, and the tree's Enter and Backspace keys.
    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* MakeSelectPage();
    QWidget* MakeResultPage();
    QPushButton* MakeButton(const QString& caption, void (TLSystemForm::*slot)());
    // After every command: the widgets from the editor.
    void Refresh();
    void RebuildTree();
    void ShowSelection();
    void StorePlace();
    void RefreshResult();

    void LoadFileClicked();
    void LoadAgainClicked();
    void SaveFileClicked();
    void ViewClicked();
    void EditClicked();
    void PreviousClicked();
    void NextClicked();
    void SearchClicked();
    void ResetClicked();
    void DeleteFile();

    Studio& m_studio;
    std::unique_ptr<LSystemEditor> m_editor;
    QTabWidget* m_pages = nullptr;
    QTreeWidget* m_tree = nullptr;
    QLineEdit* m_searchText = nullptr;
    QLabel* m_viewed = nullptr;
    EditPage* m_editPage = nullptr;
    QListWidget* m_resultList = nullptr;
    QLabel* m_counter = nullptr;
    QCheckBox* m_showResult = nullptr;
    std::vector<QPushButton*> m_buttons;
    QWidget* m_dropTarget = nullptr;
    QMenu* m_windowMenu = nullptr;
    QAction* m_windowItem = nullptr;
    QTimer m_resultTimer;
    uint64_t m_shownCounter = ~uint64_t{0};
    size_t m_shownLines = 0;
    bool m_refreshing = false;
    bool m_placed = false;
};

}  // namespace pax
