#include "gui/picture_view.h"

#include <QBackingStore>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include "app/main_state.h"
#include "gui/guard.h"
#include "gui/key_table.h"
#include "app/main_commands.h"
#include "render/sprites/sprite_display.h"
#include "render/surface/bitmap32.h"

namespace pax {

namespace {

uint8_t ButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return MouseButton::None;
    }
}

QPoint PixelOf(const QMouseEvent& event) { return event.position().toPoint(); }

// The pixels of surface as an image that shares them; null for an empty surface.
QImage Wrap(const TBitmap32& surface, QImage::Format format = QImage::Format_ARGB32) {
    if (surface.Empty()) return {};
    const int width = surface.Width();
    return QImage(reinterpret_cast<const uchar*>(surface.Bits()), width, surface.Height(),
                  static_cast<qsizetype>(width) * 4, format);
}

}  // namespace

PictureView::PictureView(const TBitmap32& surface, const SpriteDisplay& overlays, MainCommands& commands,
                         QWidget* parent)
    : QWidget(parent), m_surface(surface), m_overlays(overlays), m_commands(commands) {
    // Every pixel is painted from the surface: no background to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Moves without a button count too: they show the colour under the mouse and the data.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    FitSurface();
}

void PictureView::FitSurface() {
    const QSize size(m_surface.Width(), m_surface.Height());
    if (this->size() != size || minimumSize() != size) setFixedSize(size);
}

QImage PictureView::SurfaceImage() const { return Wrap(m_surface); }

void PictureView::Hold(bool on) {
    m_held = on;
    if (on || !m_missedPaint) return;
    m_missedPaint = false;
    update();
}

void PictureView::TakePicture(const DrawnArea& area) {
    m_surfaceArea = area;
    if (m_showPending) ShowChanges();
}

QRegion PictureView::RegionToShow() const {
    const bool sameScreen = !m_layersShown && m_overlays.Layers().empty() && m_screenSize == size();
    // Kept here: the loop's range would be a view into a list that dies before the loop.
    const BoxList copy = AreaToCopy(sameScreen ? m_screenArea : DrawnArea::Anything(), m_surfaceArea, width(), height());
    QRegion region;
    for (const TRect& box : copy.Boxes()) region += QRect(box.Left, box.Top, box.Width(), box.Height());
    return region;
}

void PictureView::ShowChanges() {
    const QRegion region = RegionToShow();
    if (region.isEmpty()) return;
    m_showPending = true;
    update(region);
}

void PictureView::ShowChangesFrom(const TBitmap32& picture) {
    if (picture.Width() != width() || picture.Height() != height()) {
        ShowChanges();
        return;
    }
    const QRegion region = RegionToShow();
    if (region.isEmpty()) return;
    // The hold guards the surface being drawn, not this finished picture.
    const bool held = m_held;
    m_held = false;
    m_shown = &picture;
    repaint(region);
    m_shown = &m_surface;
    m_held = held;
}

void PictureView::paintEvent(QPaintEvent* event) {
    if (m_held) {
        m_missedPaint = true;
        return;
    }
    // The surface's alpha is not a transparency of the window: the pixels are copied as they
    // are, opaque, as the platform's bitmap transfer would. Read as RGB32 they are: a plain
    // copy of the rows, where ARGB32 would be premultiplied pixel by pixel on the way.
    const QImage image = Wrap(*m_shown, QImage::Format_RGB32);
    QPainter painter(this);
    // Painted now, what changed shows the surface; where this paint leaves some of it out (an
    // exposed corner), the screen shows a mixture until the whole picture is copied again. A
    // paint into a picture of the widget (a grab) leaves the screen as it is.
    QBackingStore* store = window()->backingStore();
    if (store && painter.paintEngine() && painter.paintEngine()->paintDevice() == store->paintDevice()) {
        const bool complete = (RegionToShow() - event->region()).isEmpty();
        m_screenArea = complete ? m_surfaceArea : DrawnArea::Anything();
        m_screenSize = size();
        m_layersShown = !m_overlays.Layers().empty();
        m_showPending = false;
    }
    if (image.isNull()) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Box by box: the bounding rectangle of a plant and the info line below it is mostly
    // background that the screen already shows. Each box is its own clip: within a clip of
    // several rectangles the image is blended span by span, at half the speed of the row
    // copies it takes within one.
    for (const QRect& box : event->region()) {
        painter.setClipRect(box);
        painter.drawImage(box.topLeft(), image, box);
    }
    painter.setClipping(false);
    // The layers blend like sprites: the sprite's alpha times the master alpha.
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const tSpriteLayer& layer : m_overlays.Layers()) {
        const QImage sprite = Wrap(layer.Picture);
        if (sprite.isNull() || layer.MasterAlpha == 0) continue;
        painter.setOpacity(layer.MasterAlpha / 255.0);
        painter.drawImage(QPoint(layer.Left, layer.Top), sprite);
    }
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    const uint8_t button = ButtonOf(event->button());
    if (button == MouseButton::None) return;
    const QPoint p = PixelOf(*event);
    Guard("MouseDown", [&] { m_commands.MouseDown(button, p.x(), p.y(), ShiftStateOf(event->modifiers())); });
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = PixelOf(*event);
    Guard("MouseMove", [&] { m_commands.MouseMove(p.x(), p.y(), ShiftStateOf(event->modifiers())); });
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
    if (ButtonOf(event->button()) == MouseButton::None) return;
    Guard("MouseUp", [&] { m_commands.MouseUp(ShiftStateOf(event->modifiers())); });
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    Guard("DoubleClick", [&] { m_commands.DoubleClick(ShiftStateOf(event->modifiers())); });
}

void PictureView::wheelEvent(QWheelEvent* event) {
    const int turn = event->angleDelta().y();
    event->accept();
    if (turn == 0) return;
    Guard("MouseWheel", [&] { m_commands.Wheel(turn > 0 ? +1 : -1, ShiftStateOf(event->modifiers())); });
}

}  // namespace pax
