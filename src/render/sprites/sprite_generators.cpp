#include "render/sprites/sprite_generators.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "render/files/picture_io.h"
#include "render/sprites/sprite_store.h"
#include "scene/eye3d.h"
#include "scene/light3d.h"
#include "system/error_reporting.h"

namespace pax {

namespace {

constexpr uint16_t ErrorButtons = Buttons::AbortRetryIgnoreDefault2;
constexpr const char* LoadCaption = "FSprite: TPaxSpriteForm.LoadSprite";

uint16_t MadeSpriteId(uint16_t id) { return std::clamp<uint16_t>(id, FirstMadeSpriteId, SpriteStore::MaxSpriteId); }
int MadeSpriteSide(int side) { return std::clamp(side, 1, MaxMadeSpriteSide); }

// Paints a sphere into the picture of id: the disc's pixels get the colour that colourAt gives
// for the world direction of their normal, shaded by the light.
template <class ColourAt>
void PaintSphere(TBitmap32& picture, const Eye3d& eye, Light3d& light, ColourAt colourAt) {
    const int w = picture.Width(), h = picture.Height();
    // Squared radius of the disc; the alpha ramps up over the outermost 255 of it.
    const Extended radius2 = static_cast<Extended>(w / 2) * (h / 2) - 1;
    for (int y = 0; y < h; ++y) {
        TColor32* row = picture.ScanLine(y);
        const Extended py = y - h / 2 + 0.5L;
        for (int x = 0; x < w; ++x) {
            const Extended px = x - w / 2 + 0.5L;
            const Extended q = radius2 - px * px - py * py;
            const int alpha = static_cast<int>(std::clamp<Extended>(std::round(q), 0, 255));
            if (alpha == 0) {
                row[x] = clTransparent32;
                continue;
            }
            // Picture x runs along the eye's Right, picture y down its Up; the visible half
            // of the sphere faces the eye, against its Heading.
            const tVector3d normal =
                Normalize(px * eye.Right() - std::sqrt(q) * eye.Heading() - py * eye.Up());
            TColor32 colour = colourAt(normal);
            const uint8_t intensity = light.Shade(normal, colour, false, eye.Heading(), 255);
            row[x] = ScaleColor(SetAlpha(colour, static_cast<uint8_t>(alpha)), intensity);
        }
    }
}

}  // namespace

uint16_t CreateRenderSprite(SpriteStore& store, uint16_t id, int width, int height) {
    id = MadeSpriteId(id);
    TBitmap32& picture = store.GetSprite(id);
    picture.SetSize(MadeSpriteSide(width), MadeSpriteSide(height));
    for (int y = 0; y < picture.Height(); ++y) {
        TColor32* row = picture.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x) row[x] = ((y / 4 + x / 4) % 2 == 1) ? CheckerDark : CheckerLight;
    }
    picture.DrawMode = TDrawMode::dmBlend;
    return id;
}

uint16_t CreateSphereSprite(SpriteStore& store, const Eye3d& eye, Light3d& light, uint16_t id, int width,
                            TColor32 colour, int height) {
    id = CreateRenderSprite(store, id, width, height);
    PaintSphere(store.GetSprite(id), eye, light, [colour](const tVector3d&) { return colour; });
    return id;
}

uint16_t CreateColoredSphereSprite(SpriteStore& store, const Eye3d& eye, Light3d& light, uint16_t id, int width,
                                   int height, const SphereColoring& colouring) {
    id = CreateRenderSprite(store, id, width, height);
    PaintSphere(store.GetSprite(id), eye, light, colouring);
    return id;
}

void CopySprite(SpriteStore& store, uint16_t from, uint16_t to) {
    if (!store.HasSprite(from) || !store.HasSprite(to)) return;
    TBitmap32& target = store.GetSprite(to);
    const TBitmap32& source = store.GetSprite(from);
    if (&target == &source) return;
    target.Assign(source);
}

bool LoadSprite(SpriteStore& store, uint16_t id, const std::string& file) {
    if (id > SpriteStore::MaxSpriteId) {
        ShowError(LoadCaption, "sprite.id > maximum id", ErrorButtons);
        return false;
    }
    TBitmap32& picture = store.GetSprite(id);
    std::error_code ec;
    TBitmap32 loaded;
    // A damaged file is explained by the picture loader first; ours names the sprite's file.
    if (!std::filesystem::is_regular_file(file, ec) || !LoadPicture(loaded, file) || loaded.Empty()) {
        ShowError(LoadCaption, "sprite picture '" + file + "' not found", ErrorButtons);
        return false;
    }
    const TDrawMode mode = picture.DrawMode;
    const uint8_t masterAlpha = picture.MasterAlpha;
    picture.Assign(loaded);
    picture.DrawMode = mode;
    picture.MasterAlpha = masterAlpha;
    return true;
}

}  // namespace pax
