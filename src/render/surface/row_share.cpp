#include "render/surface/row_share.h"

namespace pax {

namespace {

struct ActiveShare {
    const TBitmap32* surface = nullptr;
    RowShare share;
};

thread_local ActiveShare t_active;

}  // namespace

RowShare RowShare::Of(const TBitmap32& surface) {
    return t_active.surface == &surface ? t_active.share : RowShare{};
}

RowShareScope::RowShareScope(const TBitmap32& surface, int top, int bottom) {
    t_active.surface = &surface;
    t_active.share.m_top = top;
    t_active.share.m_bottom = bottom < top ? top : bottom;
}

RowShareScope::~RowShareScope() { t_active = {}; }

}  // namespace pax
