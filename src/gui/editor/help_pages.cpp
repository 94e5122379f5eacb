#include "gui/editor/help_pages.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <cmath>

#include "app/editor/editor_texts.h"
#include "gui/guard.h"

namespace pax {
namespace {

QFont FixedFont() { return QFontDatabase::systemFont(QFontDatabase::FixedFont); }

// A label that runs a command when clicked.
class ClickableLabel : public QLabel {
public:
    explicit ClickableLabel(std::function<void()> click) : m_click(std::move(click)) { setCursor(Qt::PointingHandCursor); }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && m_click) Guard("TLSystemForm.AboutPicture", m_click);
    }

private:
    std::function<void()> m_click;
};

// A small binary tree, drawn the way a turtle would draw F[+F][-F] with shrinking steps.
void DrawBranch(QPainter& painter, QPointF from, double heading, double length, int depth) {
    const QPointF to = from + QPointF(std::cos(heading) * length, -std::sin(heading) * length);
    painter.setPen(QPen(depth > 3 ? QColor(0x77, 0x44, 0x22) : QColor(0x22, 0x8B, 0x22), std::max(1, depth - 2)));
    painter.drawLine(from, to);
    if (depth == 0) return;
    DrawBranch(painter, to, heading + 0.45, length * 0.72, depth - 1);
    DrawBranch(painter, to, heading - 0.35, length * 0.75, depth - 1);
}

QPixmap TreePicture(int size) {
    QPixmap picture(size, size);
    picture.fill(QColor(0xFF, 0xFF, 0xF0));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawBranch(painter, QPointF(size / 2.0, size - 6.0), M_PI / 2, size * 0.26, 9);
    return picture;
}

}  // namespace

QWidget* MakeRulesPage() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(4, 4, 4, 4);
    for (const HelpList& list : CommandHelpLists()) {
        auto* column = new QVBoxLayout;
        column->addWidget(new QLabel(QString::fromStdString(list.Title)));
        auto* lines = new QListWidget;
        QFont font = FixedFont();
        font.setPointSizeF(font.pointSizeF() * 0.8);
        lines->setFont(font);
        lines->setWordWrap(true);
        lines->setResizeMode(QListView::Adjust);
        lines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lines->setSelectionMode(QAbstractItemView::NoSelection);
        for (const std::string& line : list.Lines) lines->addItem(QString::fromStdString(line));
        column->addWidget(lines);
        row->addLayout(column);
    }
    return page;
}

QWidget* MakeSyntaxPage() {
    auto* text = new QPlainTextEdit(QString::fromStdString(SyntaxHelpText()));
    text->setReadOnly(true);
    text->setFont(FixedFont());
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    return text;
}

QWidget* MakeAboutPage(std::function<void()> openLink) {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    auto* picture = new ClickableLabel(std::move(openLink));
    picture->setPixmap(TreePicture(150));
    picture->setToolTip("L-systems on the web");
    row->addWidget(picture, 0, Qt::AlignTop);
    auto* text = new QLabel(QString::fromStdString(AboutText()));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    row->addWidget(text, 1);
    return page;
}

}  // namespace pax
