#pragma once
// PictureView: the object window's surface shown pixel for pixel, and the mouse on it
// forwarded to the main window's commands. The surface's pixels are wrapped, never copied:
// TColor32 0xAARRGGBB has the memory layout of QImage::Format_ARGB32. The sprite layers of
// the display are blended over the shown picture, not into the surface.

#include <QWidget>

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

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    const TBitmap32& m_surface;
    const SpriteDisplay& m_overlays;
    MainCommands& m_commands;
    bool m_held = false;
    bool m_missedPaint = false;
};

}  // namespace pax
