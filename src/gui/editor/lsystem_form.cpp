#include "gui/editor/lsystem_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/editor/lsystem_editor.h"
#include "app/studio.h"
#include "gui/editor/edit_page.h"
#include "gui/editor/help_pages.h"
#include "gui/guard.h"
#include "lsystem/interpreter.h"

namespace pax {
namespace {

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }
std::string ToUtf8(const QString& text) { return text.toStdString(); }

const char* const FileFilter = "L-systems (*.LSY *.lsy);;All files (*)";

// The page of each EditorPage, in tab order.
constexpr EditorPage PageOrder[] = {EditorPage::Select, EditorPage::Edit,   EditorPage::Result,
                                    EditorPage::Rules,  EditorPage::Syntax, EditorPage::About};

}  // namespace

TLSystemForm::TLSystemForm(Studio& studio, QWidget* parent)
    : QWidget(parent, Qt::Window), m_studio(studio), m_editor(std::make_unique<LSystemEditor>(studio)) {
    setWindowTitle(LSystemEditor::Caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    m_pages = new QTabWidget;
    layout->addWidget(m_pages);
    m_editPage = new EditPage(*m_editor, [this] { Refresh(); });
    m_pages->addTab(MakeSelectPage(), "select");
    m_pages->addTab(m_editPage, "edit");
    m_pages->addTab(MakeResultPage(), "result");
    m_pages->addTab(MakeRulesPage(), "rules");
    m_pages->addTab(MakeSyntaxPage(), "syntax");
    m_pages->addTab(MakeAboutPage([this] { m_editor->OpenAboutLink(); }), "about");
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_refreshing || index < 0 || index >= static_cast<int>(std::size(PageOrder))) return;
        m_editor->SetPage(PageOrder[index]);
        if (PageOrder[index] == EditorPage::Edit) m_editPage->RefreshAll();
        RefreshResult();
    });
    m_resultTimer.setInterval(250);
    connect(&m_resultTimer, &QTimer::timeout, this, [this] { RefreshResult(); });
    resize(LSystemEditor::ResetWidth, LSystemEditor::ResetHeight);
    RebuildTree();
    Refresh();
}

TLSystemForm::~TLSystemForm() = default;

QPushButton* TLSystemForm::MakeButton(const QString& caption, void (TLSystemForm::*slot)()) {
    auto* button = new QPushButton(caption);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, slot, caption] {
        Guard(("TLSystemForm." + caption).toStdString(), [&] { (this->*slot)(); });
        Refresh();
    });
    m_buttons.push_back(button);
    return button;
}

QPushButton* TLSystemForm::SelectButton(const QString& caption) const {
    for (QPushButton* button : m_buttons)
        if (button->text() == caption) return button;
    return nullptr;
}

QWidget* TLSystemForm::MakeSelectPage() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(4, 4, 4, 4);
    auto* controls = new QWidget;
    controls->setFixedWidth(190);
    auto* column = new QVBoxLayout(controls);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);

    auto* file = new QGroupBox("LSY File");
    auto* fileButtons = new QVBoxLayout(file);
    fileButtons->setSpacing(2);
    fileButtons->addWidget(MakeButton("Load File ...", &TLSystemForm::LoadFileClicked));
    fileButtons->addWidget(MakeButton("Load Again", &TLSystemForm::LoadAgainClicked));
    fileButtons->addWidget(MakeButton("Save File ...", &TLSystemForm::SaveFileClicked));
    column->addWidget(file);

    auto* system = new QGroupBox("LSystem");
    auto* systemRow = new QHBoxLayout(system);
    systemRow->setSpacing(2);
    systemRow->addWidget(MakeButton("View", &TLSystemForm::ViewClicked));
    systemRow->addWidget(MakeButton("Edit", &TLSystemForm::EditClicked));
    auto* upDown = new QVBoxLayout;
    upDown->setSpacing(0);
    const std::pair<Qt::ArrowType, void (TLSystemForm::*)()> arrows[] = {{Qt::UpArrow, &TLSystemForm::PreviousClicked},
                                                                         {Qt::DownArrow, &TLSystemForm::NextClicked}};
    for (const auto& [arrow, slot] : arrows) {
        auto* button = new QToolButton;
        button->setArrowType(arrow);
        button->setFixedSize(20, 13);
        button->setToolTip(arrow == Qt::UpArrow ? "view the previous system" : "view the next system");
        connect(button, &QToolButton::clicked, this, [this, slot = slot] {
            Guard("TLSystemForm.UpDown", [&] { (this->*slot)(); });
            Refresh();
        });
        upDown->addWidget(button);
    }
    systemRow->addLayout(upDown);
    column->addWidget(system);

    auto* search = new QGroupBox("Search");
    auto* searchRow = new QHBoxLayout(search);
    searchRow->setSpacing(2);
    m_searchText = new QLineEdit;
    connect(m_searchText, &QLineEdit::returnPressed, this, [this] {
        Guard("TLSystemForm.Search", [this] { SearchClicked(); });
        Refresh();
    });
    searchRow->addWidget(m_searchText);
    searchRow->addWidget(MakeButton("Search", &TLSystemForm::SearchClicked));
    column->addWidget(search);
    column->addWidget(MakeButton("Reset", &TLSystemForm::ResetClicked));
    m_viewed = new QLabel;
    m_viewed->setWordWrap(true);
    column->addWidget(m_viewed);
    column->addStretch();
    row->addWidget(controls);

    m_tree = new QTreeWidget;
    m_tree->setHeaderHidden(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->installEventFilter(this);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (m_refreshing || !item) return;
        QTreeWidgetItem* parent = item->parent();
        TreeNode node = parent ? TreeNode{m_tree->indexOfTopLevelItem(parent), parent->indexOfChild(item)}
                               : TreeNode{m_tree->indexOfTopLevelItem(item), -1};
        m_editor->Select(node);
        Refresh();
    });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (!item || !item->parent()) return;   // a file node opens and closes
        Guard("TLSystemForm.View", [this] { ViewClicked(); });
        Refresh();
    });
    row->addWidget(m_tree, 1);
    return page;
}

QWidget* TLSystemForm::MakeResultPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(4, 4, 4, 4);
    auto* top = new QHBoxLayout;
    m_showResult = new QCheckBox("show result string ");
    m_counter = new QLabel("0");
    top->addWidget(m_showResult);
    top->addStretch();
    top->addWidget(m_counter);
    column->addLayout(top);
    m_resultList = new QListWidget;
    m_resultList->setFont(QFont("Monospace"));
    column->addWidget(m_resultList);
    connect(m_showResult, &QCheckBox::toggled, this, [this](bool on) {
        Guard("TLSystemForm.ShowResult", [&] { m_editor->SetShowResult(on); });
        if (on) m_resultTimer.start();
        else m_resultTimer.stop();
        RefreshResult();
    });
    return page;
}

void TLSystemForm::AddMenuItems(QMenuBar* menuBar) {
    if (!menuBar) return;
    QMenu* menu = nullptr;
    for (QAction* action : menuBar->actions()) {
        QMenu* candidate = action->menu();
        if (!candidate) continue;
        const QString title = candidate->title().remove('&');
        if (title == "Window" || title == "Windows") m_windowMenu = candidate;
        else if (!menu || title == "Options" || title == "Tools") menu = candidate;
        if (title == "Options" || title == "Tools") break;
    }
    if (!menu) menu = menuBar->addMenu("Tools");
    menu->addSeparator();
    QAction* item = menu->addAction("Lindenmayer Systems...");
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F8));
    connect(item, &QAction::triggered, this, [this] { Open(); });
}

void TLSystemForm::AcceptDrops(QWidget* window) {
    m_dropTarget = window;
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

void TLSystemForm::Open() {
    show();
    raise();
    activateWindow();
}

bool TLSystemForm::OpenFile(const std::string& path) {
    bool opened = false;
    Guard("TLSystemForm.OpenFile", [&] { opened = m_editor->OpenFile(path); });
    RebuildTree();
    Refresh();
    return opened;
}

// --- showing the editor ----------------------------------------------------------------------

void TLSystemForm::RebuildTree() {
    m_refreshing = true;
    m_tree->clear();
    const LsyTree& tree = m_editor->Tree();
    for (int f = 0; f < tree.FileCount(); ++f) {
        auto* file = new QTreeWidgetItem(m_tree, {FromUtf8(tree.Text({f, -1}))});
        const std::string& path = tree.Files()[static_cast<size_t>(f)].path;
        file->setToolTip(0, FromUtf8(path));
        const int items = static_cast<int>(tree.Files()[static_cast<size_t>(f)].content.Items().size());
        for (int i = 0; i < items; ++i) {
            auto* child = new QTreeWidgetItem(file, {FromUtf8(tree.Text({f, i}))});
            if (!tree.System({f, i})) child->setForeground(0, QColor(0x80, 0x80, 0x80));
        }
    }
    m_refreshing = false;
    // A loaded file is shown open.
    if (std::optional<TreeNode> node = m_editor->Selection(); node && node->IsFile())
        if (QTreeWidgetItem* file = m_tree->topLevelItem(node->file); file && !tree.Files()[static_cast<size_t>(node->file)].path.empty())
            file->setExpanded(true);
    ShowSelection();
}

void TLSystemForm::ShowSelection() {
    std::optional<TreeNode> node = m_editor->Selection();
    if (!node) return;
    QTreeWidgetItem* file = m_tree->topLevelItem(node->file);
    QTreeWidgetItem* item = file && node->item >= 0 ? file->child(node->item) : file;
    if (!item || m_tree->currentItem() == item) return;
    m_refreshing = true;
    if (item != file) file->setExpanded(true);
    m_tree->setCurrentItem(item);
    m_tree->scrollToItem(item);
    m_refreshing = false;
}

void TLSystemForm::Refresh() {
    m_refreshing = true;
    SelectButton("Load Again")->setEnabled(m_editor->CanLoadAgain());
    SelectButton("Save File ...")->setEnabled(m_editor->CanSaveFile());
    SelectButton("View")->setEnabled(m_editor->CanView());
    SelectButton("Edit")->setEnabled(m_editor->CanView());
    if (!m_editor->ViewedSystem().empty())
        m_viewed->setText(FromUtf8(m_editor->ViewedFile() + "\n" + m_editor->ViewedSystem()));
    const int page = static_cast<int>(std::find(std::begin(PageOrder), std::end(PageOrder), m_editor->Page()) - std::begin(PageOrder));
    m_pages->setCurrentIndex(page);
    m_showResult->setChecked(m_editor->ShowResult());
    m_refreshing = false;
    ShowSelection();
    m_editPage->Refresh();
}

void TLSystemForm::RefreshResult() {
    const tTarnsInterpreter& interpreter = m_studio.Interpreter();
    const auto& lines = interpreter.ResultLines();
    if (interpreter.ResultCounter() == m_shownCounter && lines.size() == m_shownLines) return;
    m_shownCounter = interpreter.ResultCounter();
    m_shownLines = lines.size();
    m_resultList->clear();
    for (const std::string& line : lines) m_resultList->addItem(FromUtf8(line));
    m_counter->setText(QString::number(m_shownCounter));
}

// --- the window ---------------------------------------------------------------------------

void TLSystemForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Guard("TLSystemForm.FormActivate", [this] { m_editor->GetUnlessEdited(); });
    m_editPage->RefreshAll();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableSize() : QSize(1920, 1080);
    const EditorPlace place = m_editor->RestorePlace(available.width(), available.height());
    move(place.Left, place.Top);
    resize(place.Width, place.Height);
    if (m_windowMenu && !m_windowItem) {
        m_windowItem = m_windowMenu->addAction(LSystemEditor::Caption);
        connect(m_windowItem, &QAction::triggered, this, [this] { Open(); });
    }
    if (m_showResult->isChecked()) m_resultTimer.start();
}

void TLSystemForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible()) StorePlace();
}

void TLSystemForm::closeEvent(QCloseEvent* event) {
    StorePlace();
    m_resultTimer.stop();
    Guard("TLSystemForm.FormClose", [this] { m_editor->Close(); });
    if (m_windowMenu && m_windowItem) {
        m_windowMenu->removeAction(m_windowItem);
        delete m_windowItem;
        m_windowItem = nullptr;
    }
    QWidget::closeEvent(event);
}

void TLSystemForm::StorePlace() { m_editor->StorePlace({x(), y(), width(), height()}); }

namespace {

// The first dropped file, when it is a local .LSY file; else empty.
QString DroppedLsyFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().isEmpty()) return {};
    const QUrl first = data->urls().front();
    if (!first.isLocalFile()) return {};
    const QString path = first.toLocalFile();
    return path.endsWith(".lsy", Qt::CaseInsensitive) ? path : QString();
}

}  // namespace

bool TLSystemForm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == m_dropTarget && (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop)) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DroppedLsyFile(drop->mimeData());
        if (path.isEmpty()) return false;
        drop->acceptProposedAction();
        if (type == QEvent::Drop) {
            OpenFile(ToUtf8(path));
            m_dropTarget->raise();
            m_dropTarget->activateWindow();
        }
        return true;
    }
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Backspace) {
            Guard("TLSystemForm.TreeKey", [&] {
                if (key == Qt::Key_Backspace) DeleteFile();
                else ViewClicked();
            });
            Refresh();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- the "select" page's commands -------------------------------------------------------------

void TLSystemForm::LoadFileClicked() {
    const QString path = QFileDialog::getOpenFileName(this, "Load File", QString(), FileFilter);
    if (path.isEmpty()) return;
    if (m_editor->LoadFile(ToUtf8(path))) RebuildTree();
}

void TLSystemForm::LoadAgainClicked() {
    if (m_editor->LoadAgain()) RebuildTree();
}

void TLSystemForm::SaveFileClicked() {
    const QString path = QFileDialog::getSaveFileName(this, "Save File", FromUtf8(m_editor->SaveFileProposal()), FileFilter);
    if (!path.isEmpty()) m_editor->SaveFile(ToUtf8(path));
}

void TLSystemForm::ViewClicked() { m_editor->View(); }

void TLSystemForm::EditClicked() {
    if (m_editor->Edit()) m_editPage->RefreshAll();
}

void TLSystemForm::PreviousClicked() { m_editor->ViewNeighbour(-1); }
void TLSystemForm::NextClicked() { m_editor->ViewNeighbour(+1); }
void TLSystemForm::SearchClicked() { m_editor->Search(ToUtf8(m_searchText->text())); }
void TLSystemForm::ResetClicked() { resize(LSystemEditor::ResetWidth, LSystemEditor::ResetHeight); }

void TLSystemForm::DeleteFile() {
    if (m_editor->DeleteSelectedFile()) RebuildTree();
}

}  // namespace pax
