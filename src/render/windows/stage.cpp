#include "render/windows/stage.h"

#include <string>

#include "foundation/point_list3d.h"
#include "render/fonts/font3d.h"
#include "render/windows/object_window.h"
#include "render/windows/shared_surfaces.h"
#include "render/sprites/sprite_display.h"
#include "render/sprites/sprite_pictures.h"
#include "render/sprites/sprite_store.h"
#include "render/windows/zbuffer.h"
#include "scene/eye3d.h"
#include "scene/light3d.h"
#include "scene/pax3d.h"
#include "system/debug_log.h"
#include "system/settings.h"

namespace pax {

namespace {

std::string SizeText(size_t size) { return "size=" + std::to_string(size); }

}  // namespace

Stage::Stage() : Stage(StageOptions{}) {}

Stage::Stage(const StageOptions& options) {
    m_pax = std::make_unique<Pax3d>("Pax");
    m_bee = std::make_unique<Pax3d>("Bee");
    LogInitialization("PaxPax", SizeText(sizeof(Pax3d)));
    m_dragon = std::make_unique<Dragon3d>("Dragon");
    LogInitialization("PaxDragon", SizeText(sizeof(Dragon3d)));
    m_eye = std::make_unique<Eye3d>("Eye");
    LogInitialization("PaxEye", SizeText(sizeof(Eye3d)));
    m_light = std::make_unique<Light3d>("Light");
    LogInitialization("PaxLight", SizeText(sizeof(Light3d)));
    // The global point and line lists write their own start-up line when first reached.
    PointList();
    LineList();

    if (options.DefaultSurfaceWidth > 0 && options.DefaultSurfaceHeight > 0)
        m_surfaces = std::make_unique<SharedSurfaces>(options.DefaultSurfaceWidth, options.DefaultSurfaceHeight);
    else
        m_surfaces = std::make_unique<SharedSurfaces>();
    LogInitialization("GrWindow", "default " + std::to_string(m_surfaces->Default.Width()) + " x " +
                                      std::to_string(m_surfaces->Default.Height()));
    LogInitialization("Gr32_ZBuffer", SizeText(sizeof(TZBuffer32)));
    m_font = std::make_unique<tFont3d>();
    LogInitialization("PaxFont", SizeText(sizeof(tFont3d)));
    m_font->Start(ConfigValues().Font);
    m_sprites = std::make_unique<SpriteStore>();
    m_overlays = std::make_unique<SpriteDisplay>();
    InstallSpritePictures(*m_sprites, *m_eye, *m_light);
    LogInitialization("FSprite", "sprites=" + std::to_string(SpriteStore::SpriteCount));

    m_view = std::make_unique<ObjectWindow>("view3d", *m_surfaces, *m_sprites, *m_eye, *m_light);
    TBitmap32& drawing = m_surfaces->Drawing;
    drawing.SetSize(options.ViewWidth, options.ViewHeight);
    m_surfaces->ZBuffer.SetSize(options.ViewWidth, options.ViewHeight);
    m_view->SelectBitmap(&drawing);
    m_view->SetSize(0, 0, options.ViewWidth - 1, options.ViewHeight - 1);
    m_view->Open();
    m_view->Reset();
    LogInitialization("PaxObj", SizeText(sizeof(ObjectWindow)));

    for (Pax3d* turtle : {m_pax.get(), m_bee.get(), static_cast<Pax3d*>(m_dragon.get())}) turtle->SetWindow(m_view.get());
}

Stage::~Stage() {
    // The turtles outlive the window in the reverse order; they must not draw through it.
    for (Pax3d* turtle : {m_pax.get(), m_bee.get(), static_cast<Pax3d*>(m_dragon.get())}) turtle->SetWindow(nullptr);
    m_view.reset();
    m_overlays.reset();
    m_sprites.reset();
    m_font.reset();
    m_surfaces.reset();
    LineList().Done();
    PointList().Done();
    m_light.reset();
    m_eye.reset();
    m_dragon.reset();
    m_bee.reset();
    m_pax.reset();
}

tPointList3d& Stage::PointList() { return PointList3d(); }
tPointList3d& Stage::LineList() { return LineList3d(); }
TBitmap32& Stage::DrawingSurface() { return m_surfaces->Drawing; }
TZBuffer32& Stage::ZBuffer() { return m_surfaces->ZBuffer; }

}  // namespace pax
