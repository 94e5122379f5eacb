#include "render/export/obj_recorder.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <numbers>

namespace pax {

namespace {

bool Finite(const tObjVertex& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Shortest text that reads back as the same double.
void AppendNumber(std::string& out, double v) {
    if (v == 0) v = 0;   // no "-0"
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, v);
    if (error == std::errc{}) out.append(text, end);
}

void AppendTriple(std::string& out, const char* keyword, const tObjVertex& v) {
    out += keyword;
    out += ' ';
    AppendNumber(out, v.x);
    out += ' ';
    AppendNumber(out, v.y);
    out += ' ';
    AppendNumber(out, v.z);
    out += '\n';
}

void AppendChannel(std::string& out, uint32_t value) {
    out += ' ';
    AppendNumber(out, std::round(value / 255.0 * 1000) / 1000);
}

// A millionth of a unit: far below what any picture shows, and enough to join corners that the
// turtle reached along different paths (their last bits differ) and to drop rounding noise
// such as 1e-19 for 0.
double Quantized(Extended v) {
    const double q = std::round(static_cast<double>(v) * 1e6) / 1e6;
    return q == 0 ? 0 : q;
}

}  // namespace

tObjVertex ToYUp(const tVector3d& p) { return {Quantized(p.x), Quantized(p.z), -Quantized(p.y)}; }

std::string ObjMaterialName(TColor32 colour) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string name = "colour_";
    for (int shift : {20, 16, 12, 8, 4, 0}) name += Hex[colour >> shift & 15];
    if (AlphaOf(colour) != 255) {
        name += '_';
        name += Hex[colour >> 28 & 15];
        name += Hex[colour >> 24 & 15];
    }
    return name;
}

size_t ObjRecorder::VertexHash::operator()(const tObjVertex& v) const {
    // +0.0 and -0.0 compare equal, so they must hash alike. Each coordinate is mixed through
    // the splitmix64 finaliser: nearby coordinates differ only in their low mantissa bits.
    const auto mix = [](double d) {
        uint64_t z = std::bit_cast<uint64_t>(d == 0 ? 0.0 : d) + 0x9E3779B97F4A7C15ull;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    };
    return static_cast<size_t>(mix(v.x) ^ (mix(v.y) * 3) ^ (mix(v.z) * 7));
}

int64_t ObjRecorder::VertexIndex(const tObjVertex& v) {
    const auto [entry, added] = m_vertexIndex.try_emplace(v, m_counts.vertices + 1);
    if (added) {
        ++m_counts.vertices;
        AppendTriple(m_vertices, "v", v);
    }
    return entry->second;
}

int64_t ObjRecorder::NormalIndex(const tObjVertex& n) {
    const auto [entry, added] = m_normalIndex.try_emplace(n, m_counts.normals + 1);
    if (added) {
        ++m_counts.normals;
        AppendTriple(m_normals, "vn", n);
    }
    return entry->second;
}

void ObjRecorder::UseMaterial(TColor32 colour) {
    if (m_materialChosen && colour == m_currentMaterial) return;
    const auto [entry, added] = m_materialIndex.try_emplace(colour, m_materials.size());
    if (added) {
        m_materials.push_back({colour, ObjMaterialName(colour)});
        ++m_counts.materials;
    }
    m_elements += "usemtl " + m_materials[entry->second].name + "\n";
    m_currentMaterial = colour;
    m_materialChosen = true;
}

void ObjRecorder::FlushLine() {
    if (m_line.empty()) return;
    UseMaterial(m_lineColour);
    m_elements += 'l';
    for (const int64_t index : m_line) {
        m_elements += ' ';
        m_elements += std::to_string(index);
    }
    m_elements += '\n';
    ++m_counts.lines;
    m_line.clear();
}

void ObjRecorder::Segment(const tVector3d& from, const tVector3d& to, TColor32 colour) {
    const tObjVertex a = ToYUp(from), b = ToYUp(to);
    if (!Finite(a) || !Finite(b) || a == b) {
        ++m_counts.dropped;
        return;
    }
    ++m_counts.segments;
    const int64_t ia = VertexIndex(a), ib = VertexIndex(b);
    if (!m_line.empty() && colour == m_lineColour && m_line.back() == ia) {
        m_line.push_back(ib);
        return;
    }
    FlushLine();
    m_line = {ia, ib};
    m_lineColour = colour;
}

void ObjRecorder::Face(std::span<const tVector3d> corners, const tVector3d& normal, TColor32 colour) {
    std::vector<int64_t> indices;
    indices.reserve(corners.size());
    for (const tVector3d& corner : corners) {
        const tObjVertex v = ToYUp(corner);
        if (!Finite(v)) {
            ++m_counts.dropped;
            return;
        }
        const int64_t index = VertexIndex(v);
        // A repeated corner would make the face degenerate for some readers.
        if (indices.empty() || indices.back() != index) indices.push_back(index);
    }
    while (indices.size() > 1 && indices.back() == indices.front()) indices.pop_back();
    if (indices.size() < 3) {
        ++m_counts.dropped;
        return;
    }
    tObjVertex n = ToYUp(normal);
    if (!Finite(n)) n = {0, 1, 0};
    FlushLine();
    UseMaterial(colour);
    const std::string normalText = "//" + std::to_string(NormalIndex(n));
    m_elements += 'f';
    for (const int64_t index : indices) {
        m_elements += ' ';
        m_elements += std::to_string(index);
        m_elements += normalText;
    }
    m_elements += '\n';
    ++m_counts.faces;
}

void ObjRecorder::Circle(const tVector3d& centre, const tVector3d& normal, Extended radius, TColor32 colour) {
    if (!(radius > 0) || AlphaOf(colour) == 0) return;
    // Two axes across the normal: any vector not along it, crossed twice.
    const tVector3d helper = std::fabs(normal.z) < 0.9L ? tVector3d{0, 0, 1} : tVector3d{1, 0, 0};
    const tVector3d u = Normalize(Cross(helper, normal));
    const tVector3d w = Cross(normal, u);
    std::vector<tVector3d> corners;
    corners.reserve(CircleCorners);
    for (int i = 0; i < CircleCorners; ++i) {
        const Extended a = 2 * std::numbers::pi_v<Extended> * i / CircleCorners;
        corners.push_back(centre + radius * std::cos(a) * u + radius * std::sin(a) * w);
    }
    Face(corners, normal, colour);
}

std::string ObjRecorder::Model(const std::string& mtlFile) {
    FlushLine();
    std::string model = "# Pax3d model: " + std::to_string(m_counts.vertices) + " vertices, " +
                        std::to_string(m_counts.faces) + " faces, " + std::to_string(m_counts.lines) +
                        " lines; y up\nmtllib " + mtlFile + "\no figure\n";
    model.reserve(model.size() + m_vertices.size() + m_normals.size() + m_elements.size());
    model += m_vertices;
    model += m_normals;
    model += m_elements;
    return model;
}

std::string ObjRecorder::Materials() const {
    std::string text = "# Pax3d materials: one per colour\n";
    for (const Material& m : m_materials) {
        text += "\nnewmtl " + m.name + "\nKd";
        AppendChannel(text, RedOf(m.colour));
        AppendChannel(text, GreenOf(m.colour));
        AppendChannel(text, BlueOf(m.colour));
        text += "\nKa 0 0 0\nKs 0 0 0\nd";
        AppendChannel(text, AlphaOf(m.colour));
        text += "\nillum 1\n";
    }
    return text;
}

}  // namespace pax
