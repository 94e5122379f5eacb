#pragma once
// The background commands of the options with the program's textures: selecting "Tile
// Number" picks one of the registered textures (wrapping) as the background picture.

#include "app/options/background_pictures.h"

namespace pax {

class tTextures;

// The nine generated textures, registered in order.
void RegisterGeneratedTextures(tTextures& textures);

class TextureBackground : public BackgroundCommands {
public:
    explicit TextureBackground(tTextures& textures) : m_textures(textures) {}
    // tileNumber wrapped into 1 .. count and written back; that texture becomes the current
    // texture and the loaded picture.
    void SelectTexture(int& tileNumber, TBitmap32& loaded) override;

private:
    tTextures& m_textures;
};

}  // namespace pax
