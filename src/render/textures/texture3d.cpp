#include "render/textures/texture3d.h"

namespace pax {

TColor32 tTexture3d::RandomSource(const tVector3d&) { return RandomColor(10, 255); }

void tTexture3d::SetColorSource(tColorSource source) {
    m_source = source ? std::move(source) : tColorSource(RandomSource);
}

tTexture3d& Texture3d() {
    static tTexture3d texture;
    return texture;
}

}  // namespace pax
