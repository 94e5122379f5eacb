#pragma once
// ExportScope: while it lives, the studio's object window tells the given sinks what it
// draws, takes up to PartList::MaxExportParts parts per picture (a file holds the whole
// figure, not only what the screen's limit lets through) and leaves the z-buffer alone, whose
// lines are pixels, not elements: they become parts of the part list instead. Everything is
// put back when it ends.

#include <cstdint>

namespace pax {

class Studio;
class VectorSink;
class GeometrySink;

class ExportScope {
public:
    ExportScope(Studio& studio, VectorSink* vector, GeometrySink* geometry);
    ~ExportScope();
    ExportScope(const ExportScope&) = delete;
    ExportScope& operator=(const ExportScope&) = delete;

private:
    Studio& m_studio;
    int32_t m_partLimit;
};

// Whether the pictures are drawn with the z-buffer (the switch is on).
bool ZBufferSelected();

}  // namespace pax
