#pragma once
// PictureView: the object window's surface shown pixel for pixel, and the mouse on it
// forwarded to the main window's commands. The surface's pixels are wrapped, never copied:
// TColor32 0xAARRGGBB has the memory layout of QImage::Format_ARGB32. The sprite layers of
// the display are blended over the shown picture, not into the surface.
//
// A show copies only what changed: the boxes where the picture on the screen or the one in the
// surface has something on their common background (DrawnArea); the whole picture after
// anything else (sprite layers, a new size, a picture of unknown area, a paint that left some
// of the boxes out). The window keeps what it was painted with, so the rest of it still shows
// the background.

#include <QRegion>
#include <QSize>
#include <QWidget>

#include "app/drawn_area.h"

namespace pax {

class TBitmap32;
class MainCommands;
class SpriteDisplay;

class PictureView : public QWidget {
public:
    // The surface and the commands are borrowed and must outlive the view.
    PictureView(const TBitmap32& surface, const SpriteDisplay& overlays, MainCommands& commands,
                QWidget* parent = nullptr);

    // The view takes the surface's size (after the surface was resized).
    void FitSurface();
    // The surface as an image that shares its pixels; null for an empty surface.
    QImage SurfaceImage() const;
    // While a picture is being drawn its surface is incomplete. A paint that a long picture's
    // look at the input lets through then leaves the screen as it is (the view paints
    // opaquely, so the window still holds the last finished picture), and is made up when
    // the hold ends.
    void Hold(bool on);
    bool Held() const { return m_held; }
    // The surface now holds a picture with something in area only. A show asked for and not
    // painted yet grows to cover it.
    void TakePicture(const DrawnArea& area);
    // Asks for the paint of what changed since the screen last showed the surface.
    void ShowChanges();
    // Paints what changed at once from picture, which holds what the surface held at the last
    // TakePicture while the surface is being drawn over (a picture of another size is left to
    // ShowChanges).
    void ShowChangesFrom(const TBitmap32& picture);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    const TBitmap32& m_surface;
    const TBitmap32* m_shown = &m_surface;   // what a paint copies to the screen
    const SpriteDisplay& m_overlays;
    MainCommands& m_commands;
    bool m_held = false;
    bool m_missedPaint = false;
    // What the screen shows at the size it was painted at, and whether sprite layers were
    // blended over it; what the surface holds.
    DrawnArea m_screenArea;
    QSize m_screenSize;
    bool m_layersShown = false;
    DrawnArea m_surfaceArea;
    bool m_showPending = false;   // a show asked for and not painted yet

    // What to copy for the surface to be shown.
    QRegion RegionToShow() const;
};

}  // namespace pax
