#include "gui/window/qt_window_shell.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <cstring>

#include "app/options/background_pictures.h"
#include "app/options/option_form.h"
#include "app/studio.h"
#include "gui/main_window.h"
#include "gui/options/picture_dialogs.h"
#include "gui/picture_view.h"
#include "gui/tool_windows/tool_window.h"
#include "render/files/picture_io.h"
#include "render/files/picture_utils.h"
#include "render/surface/bitmap32.h"
#include "system/settings.h"

namespace pax {

namespace {

QString Utf8Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QImage ImageOf(const TBitmap32& surface) {
    if (surface.Empty()) return {};
    const QImage shared(reinterpret_cast<const uchar*>(surface.Bits()), surface.Width(), surface.Height(),
                        static_cast<qsizetype>(surface.Width()) * 4, QImage::Format_ARGB32);
    // The picture on the clipboard or paper is opaque, as on the screen.
    return shared.convertToFormat(QImage::Format_RGB32);
}

void SurfaceOf(const QImage& image, TBitmap32& surface) {
    if (image.isNull()) {
        surface.SetSize(0, 0);
        return;
    }
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    surface.SetSize(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y)
        std::memcpy(surface.ScanLine(y), argb.constScanLine(y), static_cast<size_t>(argb.width()) * 4);
}

QtWindowShell::QtWindowShell(MainWindow& window, Studio& studio)
    : m_window(window), m_studio(studio), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

QtWindowShell::~QtWindowShell() = default;

void QtWindowShell::SetToolBars(QToolBar* first, QToolBar* second) {
    m_toolBars[0] = first;
    m_toolBars[1] = second;
}

// --- the window ------------------------------------------------------------------------------------

void QtWindowShell::SetPictureSize(int, int) {
    // The picture view takes the surface's size; the fixed-size layout fits the window to it.
    m_window.Picture().FitSurface();
    m_window.adjustSize();
}

void QtWindowShell::SetFullScreen(bool on) {
    if (on) {
        m_window.menuBar()->hide();
        for (QToolBar* bar : m_toolBars)
            if (bar) bar->hide();
        m_window.showFullScreen();
    } else if (m_window.isFullScreen()) {
        m_window.showNormal();
    }
}

void QtWindowShell::ShowBar(WindowBar bar, bool on) {
    switch (bar) {
    case WindowBar::Title: {
        if (m_titleBar == on) return;
        m_titleBar = on;
        const bool shown = m_window.isVisible();
        m_window.setWindowFlag(Qt::FramelessWindowHint, !on);
        if (shown) m_window.show();
        return;
    }
    case WindowBar::Menu: m_window.menuBar()->setVisible(on); break;
    case WindowBar::Tool:
        for (QToolBar* b : m_toolBars)
            if (b) b->setVisible(on);
        break;
    case WindowBar::Status: m_window.statusBar()->setVisible(on); break;
    }
    m_window.adjustSize();
}

bool QtWindowShell::BarShown(WindowBar bar) const {
    switch (bar) {
    case WindowBar::Title: return m_titleBar;
    case WindowBar::Menu: return !m_window.menuBar()->isHidden();
    case WindowBar::Tool: return m_toolBars[0] && !m_toolBars[0]->isHidden();
    case WindowBar::Status: return !m_window.statusBar()->isHidden();
    }
    return false;
}

void QtWindowShell::SwapToolBars() {
    if (!m_toolBars[0] || !m_toolBars[1]) return;
    std::swap(m_toolBars[0], m_toolBars[1]);
    m_window.removeToolBar(m_toolBars[0]);
    m_window.removeToolBar(m_toolBars[1]);
    m_window.addToolBar(Qt::TopToolBarArea, m_toolBars[0]);
    m_window.addToolBarBreak(Qt::TopToolBarArea);
    m_window.addToolBar(Qt::TopToolBarArea, m_toolBars[1]);
    for (QToolBar* bar : m_toolBars) bar->setVisible(!m_window.isFullScreen());
}

void QtWindowShell::CenterWindow() {
    const QScreen* screen = m_window.screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QRect frame = m_window.frameGeometry();
    m_window.move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

void QtWindowShell::ArrangeWindows() {
    const QScreen* screen = m_window.screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    m_window.move(area.topLeft());
    const QRect main = m_window.frameGeometry();
    // The tool windows beside the main window, one under the other; those that do not fit
    // there go below it.
    QPoint right(main.right() + 1, area.top());
    QPoint below(area.left(), main.bottom() + 1);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == &m_window || !w->isVisible() || w->parentWidget() != &m_window) continue;
        const QSize size = w->frameGeometry().size();
        QPoint& at = right.y() + size.height() <= area.bottom() ? right : below;
        // A tool window keeps itself on the screen and stores its place.
        if (auto* tool = dynamic_cast<ToolWindow*>(w))
            tool->SetPosition(at.x(), at.y());
        else
            w->move(std::min(at.x(), std::max(area.left(), area.right() - size.width())),
                    std::min(at.y(), std::max(area.top(), area.bottom() - size.height())));
        if (&at == &right) at.ry() += size.height();
        else at.rx() += size.width();
    }
}

int QtWindowShell::FullHeight() const {
    const QScreen* screen = m_window.screen();
    if (!screen) return 0;
    int bars = m_window.frameGeometry().height() - m_window.Picture().height();
    return std::max(16, screen->availableGeometry().height() - bars);
}

void QtWindowShell::BringToFront() {
    m_window.raise();
    m_window.activateWindow();
}

void QtWindowShell::SetBusyCursor(bool on) {
    if (on) {
        if (m_busy++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_busy > 0 && --m_busy == 0) {
        QApplication::restoreOverrideCursor();
    }
}

// --- dialogs ---------------------------------------------------------------------------------------

bool QtWindowShell::ChooseColour(TColor32& colour) {
    const QColor chosen = QColorDialog::getColor(QColor::fromRgb(colour | 0xFF000000u), &m_window, "Background Color");
    if (!chosen.isValid()) return false;
    colour = chosen.rgb() | 0xFF000000u;
    return true;
}

bool QtWindowShell::PrintDialog(PrinterData& data) {
    QPrintDialog dialog(m_printer.get(), &m_window);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QRect page = m_printer->pageLayout().paintRectPixels(m_printer->resolution());
    data.Printer = m_printer->outputFileName().isEmpty() ? m_printer->printerName().toStdString()
                                                         : m_printer->outputFileName().toStdString();
    data.Width = page.width();
    data.Height = page.height();
    data.Landscape = m_printer->pageLayout().orientation() == QPageLayout::Landscape;
    data.Pages = m_printer->toPage() > 0 ? m_printer->toPage() - m_printer->fromPage() + 1 : 1;
    data.Index = static_cast<int32_t>(QPrinterInfo::availablePrinterNames().indexOf(m_printer->printerName()));
    data.Copies = m_printer->copyCount();
    return true;
}

bool QtWindowShell::PrintPicture(const TBitmap32& picture, const std::string& title) {
    const QImage image = ImageOf(picture);
    if (image.isNull()) return false;
    m_printer->setDocName(Utf8Text(title));
    // Portrait for a picture at least as high as wide.
    m_printer->setPageOrientation(image.height() >= image.width() ? QPageLayout::Portrait : QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(m_printer.get())) return false;
    const QRect page = painter.viewport();
    TRect fitted;
    if (FitRect({0, 0, image.width(), image.height()}, {0, 0, page.width(), page.height()}, fitted))
        painter.drawImage(QRect(fitted.Left, fitted.Top, fitted.Right - fitted.Left, fitted.Bottom - fitted.Top), image);
    return painter.end();
}

void QtWindowShell::PrintSetupDialog() {
    QPageSetupDialog dialog(m_printer.get(), &m_window);
    dialog.exec();
}

std::string QtWindowShell::SaveFileName(SaveKind kind, const std::string& proposed) {
    QString name;
    switch (kind) {
    case SaveKind::Picture:
    case SaveKind::Background: name = ChoosePictureFile(&m_window, proposed); break;
    case SaveKind::Svg:
        name = QFileDialog::getSaveFileName(&m_window, "Export SVG", Utf8Text(proposed), "SVG drawing (*.svg)");
        break;
    case SaveKind::Obj:
        name = QFileDialog::getSaveFileName(&m_window, "Export OBJ", Utf8Text(proposed), "Wavefront OBJ model (*.obj)");
        break;
    case SaveKind::FramesFolder:
        name = QFileDialog::getExistingDirectory(&m_window, "Export Frames into folder");
        break;
    }
    return name.toStdString();
}

void QtWindowShell::OpenPictureDialog() { LoadPictureDialog(&m_window, m_studio.Options().Background()); }

void QtWindowShell::OpenTextureDialog() {
    // A texture is a picture laid in tiles.
    SetSwitch(Switch::TilesBackground, true);
    LoadPictureDialog(&m_window, m_studio.Options().Background());
}

// --- clipboard -------------------------------------------------------------------------------------

void QtWindowShell::SetClipboard(const TBitmap32* picture, std::string_view text) {
    auto* data = new QMimeData;
    if (picture && !picture->Empty()) data->setImageData(ImageOf(*picture));
    if (!text.empty()) data->setText(Utf8Text(text));
    QApplication::clipboard()->setMimeData(data);
}

bool QtWindowShell::ClipboardPicture(TBitmap32& picture) {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data) return false;
    if (data->hasImage()) {
        SurfaceOf(qvariant_cast<QImage>(data->imageData()), picture);
        return !picture.Empty();
    }
    // A file copied in a file manager: its picture, or the loader's message why not.
    if (data->hasUrls() && !data->urls().isEmpty() && data->urls().first().isLocalFile())
        return LoadPicture(picture, data->urls().first().toLocalFile().toStdString());
    return false;
}

}  // namespace pax
