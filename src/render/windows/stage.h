#pragma once
// Stage: the scene's process-wide objects, created in start-up order and destroyed in the
// reverse order: the turtles "Pax", "Bee" and "Dragon", the eye "Eye", the light "Light", the
// point and line lists, the shared surfaces with the z-buffer, the stroke font, the sprite store and the object
// window "view3d", opened on the drawing surface with a 480 x 360 viewport. The turtles draw
// through the view. Each unit writes its ".initialization:" line to the debug log when its
// objects are made.
//
// The application owns exactly one Stage; tests and the command line build their own. Layers
// above take a Stage& instead of reaching for globals.

#include <memory>

#include "render/surface/bitmap32.h"

namespace pax {

class Pax3d;
class Dragon3d;
class Eye3d;
class Light3d;
class tPointList3d;
struct SharedSurfaces;
class TZBuffer32;
class SpriteStore;
class ObjectWindow;
class SpriteDisplay;
class tFont3d;

struct StageOptions {
    int ViewWidth = 480;
    int ViewHeight = 360;
    // The default surface's size; 0 takes twice the screen size.
    int DefaultSurfaceWidth = 0;
    int DefaultSurfaceHeight = 0;
};

class Stage {
public:
    Stage();
    explicit Stage(const StageOptions& options);
    ~Stage();
    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;

    Pax3d& Pax() { return *m_pax; }
    Pax3d& Bee() { return *m_bee; }
    Dragon3d& Dragon() { return *m_dragon; }
    Eye3d& Eye() { return *m_eye; }
    Light3d& Light() { return *m_light; }
    tPointList3d& PointList();
    tPointList3d& LineList();
    SharedSurfaces& Surfaces() { return *m_surfaces; }
    TBitmap32& DrawingSurface();
    TZBuffer32& ZBuffer();
    SpriteStore& Sprites() { return *m_sprites; }
    // The overlay layers of the picture on the screen.
    SpriteDisplay& Overlays() { return *m_overlays; }
    // The current stroke font, taken from the "Font" setting at start-up.
    tFont3d& Font() { return *m_font; }
    // The window the application draws into ("view3d").
    ObjectWindow& View() { return *m_view; }

private:
    std::unique_ptr<Pax3d> m_pax;
    std::unique_ptr<Pax3d> m_bee;
    std::unique_ptr<Dragon3d> m_dragon;
    std::unique_ptr<Eye3d> m_eye;
    std::unique_ptr<Light3d> m_light;
    std::unique_ptr<SharedSurfaces> m_surfaces;
    std::unique_ptr<tFont3d> m_font;
    std::unique_ptr<SpriteStore> m_sprites;
    std::unique_ptr<SpriteDisplay> m_overlays;
    std::unique_ptr<ObjectWindow> m_view;
};

}  // namespace pax
