#include "gui/tool_windows/about_window.h"

#include <QEvent>
#include <QInputDevice>
#include <QLabel>
#include <QLinearGradient>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/tool_windows/about_form.h"
#include "gui/guard.h"
#include "gui/screen_info.h"

namespace pax {

namespace {

// The title picture, drawn here: the title over a dusk gradient with a branching stroke.
QPixmap TitlePicture() {
    QPixmap pixmap(360, 120);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 120);
    sky.setColorAt(0, QColor(20, 30, 80));
    sky.setColorAt(1, QColor(200, 110, 60));
    p.fillRect(pixmap.rect(), sky);
    p.setPen(QPen(QColor(30, 20, 10), 2));
    // A small binary tree, as an L-system would draw it.
    std::function<void(QPointF, double, double, int)> branch = [&](QPointF from, double angle, double length, int depth) {
        const QPointF to = from + QPointF(std::cos(angle), -std::sin(angle)) * length;
        p.setPen(QPen(QColor(30, 20, 10), depth * 0.8));
        p.drawLine(from, to);
        if (depth > 1) {
            branch(to, angle + 0.45, length * 0.72, depth - 1);
            branch(to, angle - 0.45, length * 0.72, depth - 1);
        }
    };
    branch(QPointF(300, 120), M_PI / 2, 30, 7);
    QFont font = p.font();
    font.setPointSize(28);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(255, 240, 200));
    p.drawText(QRect(16, 10, 260, 60), Qt::AlignLeft | Qt::AlignVCenter, AboutForm::Title);
    font.setPointSize(11);
    font.setBold(false);
    p.setFont(font);
    p.drawText(QRect(18, 68, 300, 30), Qt::AlignLeft | Qt::AlignVCenter, AboutForm::VersionLine);
    return pixmap;
}

PlatformFacts Facts() {
    PlatformFacts facts;
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull()) {
        QPrinter device(printer, QPrinter::ScreenResolution);
        facts.PrinterResolution = device.resolution();
    }
    for (const QInputDevice* device : QInputDevice::devices()) {
        const QInputDevice::DeviceType type = device->type();
        if (type != QInputDevice::DeviceType::Mouse && type != QInputDevice::DeviceType::TouchPad) continue;
        // X's own pseudo devices stand for every pointer at once; device names may carry
        // control characters.
        QString name = device->name();
        if (name.startsWith("Virtual core")) continue;
        name.removeIf([](QChar c) { return !c.isPrint(); });
        if (!name.isEmpty()) facts.Mice.push_back(name.toStdString());
    }
    return facts;
}

}  // namespace

AboutWindow::AboutWindow(MainCommands& commands, QWidget* parent)
    : ToolWindow(ConfigValues().AboutWindow, AboutForm::Caption, commands, parent) {
    m_tabs = new QTabWidget(this);
    const auto tabs = AboutForm::TabNames();
    m_tabs->addTab(AboutPage(), Utf8(tabs[0]));
    m_tabs->addTab(HelpPage(false), Utf8(tabs[1]));
    m_tabs->addTab(HelpPage(true), Utf8(tabs[2]));
    auto* hardware = new QWidget;
    m_hardware = new QGridLayout(hardware);
    m_tabs->addTab(hardware, Utf8(tabs[3]));
    auto* system = new QWidget;
    m_system = new QGridLayout(system);
    m_tabs->addTab(system, Utf8(tabs[4]));
    // The screen values are read again when the information pages are looked at.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 3) UpdateInfo();
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_tabs);
    UpdateInfo();
    resize(560, 460);
}

QWidget* AboutWindow::AboutPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* picture = new QLabel;
    picture->setPixmap(TitlePicture());
    picture->setToolTip("click: print this window");
    picture->setCursor(Qt::PointingHandCursor);
    picture->installEventFilter(this);
    m_picture = picture;
    column->addWidget(picture, 0, Qt::AlignHCenter);
    auto* title = new QLabel(QString("<b>%1</b><br>%2").arg(AboutForm::Title, AboutForm::VersionLine));
    title->setAlignment(Qt::AlignHCenter);
    column->addWidget(title);
    for (std::string_view line : AboutForm::Acknowledgements()) {
        auto* label = new QLabel(Utf8(line));
        label->setWordWrap(true);
        column->addWidget(label);
    }
    column->addStretch(1);
    auto* ok = new QPushButton("OK");
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);
    column->addWidget(ok, 0, Qt::AlignHCenter);
    return page;
}

QWidget* AboutWindow::HelpPage(bool mouse) {
    auto* text = new QTextBrowser;
    text->setOpenLinks(false);
    QString html = "<table cellspacing=0 cellpadding=2>";
    auto add = [&html](std::span<const HelpLine> lines) {
        for (const HelpLine& line : lines)
            html += QString("<tr><td style='white-space:nowrap; padding-right:12px'><b>%1</b></td><td>%2</td></tr>")
                        .arg(Utf8(line.Keys).toHtmlEscaped(), Utf8(line.Command).toHtmlEscaped());
    };
    if (mouse) {
        html += "<tr><td colspan=2><i>buttons</i></td></tr>";
        add(AboutForm::MouseButtonHelp());
        html += "<tr><td colspan=2><br><i>wheel and double click</i></td></tr>";
        add(AboutForm::MouseWheelHelp());
    } else {
        add(AboutForm::KeyHelp());
    }
    text->setHtml(html + "</table>");
    return text;
}

void AboutWindow::UpdateInfo() {
    ReadScreenInfo();
    FillInfo(m_hardware, AboutForm::HardwareInfo(Facts()), true);
    FillInfo(m_system, AboutForm::OperatingSystemInfo(), false);
}

void AboutWindow::FillInfo(QGridLayout* grid, const std::vector<InfoLine>& lines, bool extras) {
    while (QLayoutItem* item = grid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    int row = 0;
    auto addLine = [&](const InfoLine& line) {
        grid->addWidget(new QLabel(Utf8(line.Label)), row, 0);
        auto* value = new QLabel(Utf8(line.Value));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setWordWrap(true);
        grid->addWidget(value, row, 1);
        if (!line.Applet.empty() && AboutForm::HasSettingsTool(line.Applet)) {
            auto* button = new QPushButton("...");
            button->setFixedWidth(32);
            button->setToolTip(QString::fromStdString(line.Applet));
            const std::string applet = line.Applet;
            connect(button, &QPushButton::clicked, this, [this, applet] {
                Guard("TAboutForm.ButtonClick", [&] {
                    if (applet == AboutForm::PrinterSetup) {
                        QPrinter printer;
                        QPageSetupDialog(&printer, this).exec();
                    } else {
                        AboutForm::OpenSettingsTool(applet);
                    }
                });
            });
            grid->addWidget(button, row, 2);
        }
        ++row;
    };
    for (const InfoLine& line : lines) addLine(line);
    if (extras)
        for (const InfoLine& line : AboutForm::ExtraButtons())
            if (AboutForm::HasSettingsTool(line.Applet)) addLine(line);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
}

void AboutWindow::PrintWindow() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    const QPixmap shot = grab();
    const QRect page = painter.viewport();
    const QSize size = shot.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(page.topLeft(), size), shot);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_picture && event->type() == QEvent::MouseButtonRelease) {
        Guard("TAboutForm.ImageClick", [&] { PrintWindow(); });
        return true;
    }
    return ToolWindow::eventFilter(watched, event);
}

}  // namespace pax
