#include "figures/figure_scope.h"

#include <string>

#include "system/debug_log.h"

namespace pax {

WindowObject::WindowObject(Proj3dWindow& window, std::string_view name, ObjectShape shape)
    : m_window(window), m_name(name), m_nesting(window.NestingDepth()) {
    if (Proj3dWindow::PolygonTrace()) LogLine(" BeginObject: " + std::string(name));
    window.BeginObject(shape);
}

WindowObject::~WindowObject() {
    // A window that refused the object (not open) would report the unmatched end.
    if (m_window.NestingDepth() <= m_nesting) return;
    m_window.EndObject();
    if (Proj3dWindow::PolygonTrace()) LogLine(" EndObject: " + std::string(m_name));
}

}  // namespace pax
