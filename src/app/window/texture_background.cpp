#include "app/window/texture_background.h"

#include <memory>

#include "render/textures/generated_textures.h"
#include "render/textures/textures.h"

namespace pax {

void RegisterGeneratedTextures(tTextures& textures) {
    for (int n = 1; n <= GeneratedTextureCount; ++n)
        textures.RegisterTexture(std::make_shared<const TBitmap32>(MakeTexture(n)));
    if (const TTextureRef first = textures.Texture(1)) textures.SetTextureSize(first->Width(), first->Height());
}

void TextureBackground::SelectTexture(int& tileNumber, TBitmap32& loaded) {
    m_textures.SelectTexture(tileNumber);
    if (const TTextureRef texture = CurrentTexture()) loaded.Assign(*texture);
}

}  // namespace pax
