#include "app/export/export_scope.h"

#include "app/studio.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "system/settings.h"

namespace pax {

ExportScope::ExportScope(Studio& studio, VectorSink* vector, GeometrySink* geometry)
    : m_studio(studio), m_partLimit(studio.GetStage().View().PartLimit()) {
    ObjectWindow& view = studio.GetStage().View();
    view.SetVectorSink(vector);
    view.SetGeometrySink(geometry);
    view.SetPartLimit(PartList::MaxExportParts);
    view.SetZBufferSuppressed(true);
}

ExportScope::~ExportScope() {
    ObjectWindow& view = m_studio.GetStage().View();
    view.SetVectorSink(nullptr);
    view.SetGeometrySink(nullptr);
    view.SetPartLimit(m_partLimit);
    view.SetZBufferSuppressed(false);
}

bool ZBufferSelected() { return Switches()[Switch::ZBuffer]; }

}  // namespace pax
