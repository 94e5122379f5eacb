#pragma once
// ObjRecorder: a GeometrySink that writes the geometry it is told as a Wavefront OBJ model
// with its MTL materials. Coordinates are turned from the program's z-up world into the y-up
// convention that model readers assume, (x, y, z) -> (x, z, -y), a rotation, so windings and
// normals keep their sense. Equal vertices and equal normals are written once; each face
// carries its own normal; segments that continue one another with the same colour become one
// "l" element; every colour becomes one material.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/export/geometry_sink.h"

namespace pax {

struct ObjCounts {
    int64_t vertices = 0;
    int64_t normals = 0;
    int64_t faces = 0;
    int64_t lines = 0;      // "l" elements
    int64_t segments = 0;   // segments received and kept
    int64_t materials = 0;
    int64_t dropped = 0;    // faces and segments without extent or with non-finite corners
};

struct tObjVertex {
    double x = 0, y = 0, z = 0;
    bool operator==(const tObjVertex&) const = default;
};

// A world point in the model's y-up frame.
tObjVertex ToYUp(const tVector3d& p);

class ObjRecorder : public GeometrySink {
public:
    // Corners of the polygon a circle is written as.
    static constexpr int CircleCorners = 16;

    void Segment(const tVector3d& from, const tVector3d& to, TColor32 colour) override;
    void Face(std::span<const tVector3d> corners, const tVector3d& normal, TColor32 colour) override;
    void Circle(const tVector3d& centre, const tVector3d& normal, Extended radius, TColor32 colour) override;

    // The model, naming mtlFile (a name beside the model) in its "mtllib" line.
    std::string Model(const std::string& mtlFile);
    // The materials the model uses.
    std::string Materials() const;
    const ObjCounts& Counts() const { return m_counts; }

private:
    struct VertexHash {
        size_t operator()(const tObjVertex& v) const;
    };
    struct Material {
        TColor32 colour;
        std::string name;
    };

    int64_t VertexIndex(const tObjVertex& v);
    int64_t NormalIndex(const tObjVertex& n);
    void UseMaterial(TColor32 colour);
    void FlushLine();

    std::string m_vertices, m_normals, m_elements;
    std::unordered_map<tObjVertex, int64_t, VertexHash> m_vertexIndex, m_normalIndex;
    std::unordered_map<TColor32, size_t> m_materialIndex;
    std::vector<Material> m_materials;
    TColor32 m_currentMaterial = 0;
    bool m_materialChosen = false;
    std::vector<int64_t> m_line;   // the open run of joined segments (vertex indices)
    TColor32 m_lineColour = 0;
    ObjCounts m_counts;
};

// "colour_rrggbb", with "_aa" after it for a colour that is not opaque.
std::string ObjMaterialName(TColor32 colour);

}  // namespace pax
