#include "render/surface/row_share.h"

namespace pax {

RowShareScope::RowShareScope(const TBitmap32& surface, int top, int bottom) {
    row_share_detail::ActiveShare& a = row_share_detail::active;
    a.surface = &surface;
    a.share.m_top = top;
    a.share.m_bottom = bottom < top ? top : bottom;
}

RowShareScope::~RowShareScope() { row_share_detail::active = {}; }

}  // namespace pax
