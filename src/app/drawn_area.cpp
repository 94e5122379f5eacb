#include "app/drawn_area.h"

#include <algorithm>

namespace pax {

namespace {

TRect Bounds(const TRect& a, const TRect& b) {
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

}  // namespace

void BoxList::Add(const TRect& box) {
    if (box.Empty()) return;
    if (m_count < Capacity)
        m_boxes[static_cast<size_t>(m_count++)] = box;
    else
        m_boxes.back() = Bounds(m_boxes.back(), box);
}

BoxList AreaToCopy(const DrawnArea& shown, const DrawnArea& now, int width, int height) {
    const TRect window{0, 0, std::max(width, 0), std::max(height, 0)};
    BoxList copy;
    if (!shown.Known || !now.Known || shown.Background != now.Background) {
        copy.Add(window);
        return copy;
    }
    for (const DrawnArea* area : {&shown, &now})
        for (const TRect& box : area->Boxes.Boxes()) copy.Add(IntersectRect(box, window));
    return copy;
}

}  // namespace pax
