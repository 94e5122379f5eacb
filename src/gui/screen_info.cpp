#include "gui/screen_info.h"

#include <QGuiApplication>
#include <QPrinterInfo>
#include <QScreen>

#include <cmath>

#include "system/display_info.h"
#include "system/system_info.h"

namespace pax {

namespace {

uint16_t Positive16(double value, uint16_t fallback) {
    if (!(value >= 1 && value <= 65535)) return fallback;
    return static_cast<uint16_t>(std::lround(value));
}

}  // namespace

void FillDisplayInfo(tDisplayInfo& info, const QScreen& screen) {
    // Device pixels: the engine draws pixel for pixel.
    const double ratio = screen.devicePixelRatio();
    const QSize size = screen.size();
    info.HorzRes = Positive16(size.width() * ratio, info.HorzRes);
    info.VertRes = Positive16(size.height() * ratio, info.VertRes);
    // The desktop spans every screen.
    info.DesktopHorzRes = Positive16(screen.virtualSize().width() * ratio, info.HorzRes);
    info.DesktopVertRes = Positive16(screen.virtualSize().height() * ratio, info.VertRes);
    const QSizeF mm = screen.physicalSize();
    info.HorzSize = Positive16(mm.width(), info.HorzSize);
    info.VertSize = Positive16(mm.height(), info.VertSize);
    info.RefreshRate = Positive16(screen.refreshRate(), info.RefreshRate);
    if (const int depth = screen.depth(); depth > 0) {
        info.BitsPerPixel = static_cast<uint16_t>(depth);
        info.ColorDepthClass = ColorDepthClassOf(info.BitsPerPixel);
        info.ColorRes = static_cast<uint16_t>(depth >= 24 ? 24 : depth);
    }
}

void ReadScreenInfo() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) FillDisplayInfo(DisplayInfo(), *screen);
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull()) SystemInfo::SetDefaultPrinter(printer.printerName().toStdString());
}

}  // namespace pax
