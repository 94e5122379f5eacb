#include "render/export/svg_recorder.h"

#include <charconv>
#include <cmath>

#include "render/files/png_codec.h"
#include "render/surface/bitmap32.h"

namespace pax {

namespace {

constexpr char HexDigits[] = "0123456789abcdef";

std::string Base64(const std::vector<uint8_t>& bytes) {
    static constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const uint32_t b0 = bytes[i];
        const uint32_t b1 = i + 1 < bytes.size() ? bytes[i + 1] : 0;
        const uint32_t b2 = i + 2 < bytes.size() ? bytes[i + 2] : 0;
        const uint32_t triple = b0 << 16 | b1 << 8 | b2;
        out += Alphabet[triple >> 18 & 63];
        out += Alphabet[triple >> 12 & 63];
        out += i + 1 < bytes.size() ? Alphabet[triple >> 6 & 63] : '=';
        out += i + 2 < bytes.size() ? Alphabet[triple & 63] : '=';
    }
    return out;
}

void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            // XML 1.0 allows no control characters but tab, line feed and carriage return.
            out += (static_cast<unsigned char>(c) < 0x20 && c != '\t') ? '?' : c;
        }
    }
}

}  // namespace

std::string SvgColour(TColor32 colour) {
    std::string text = "#000000";
    for (int i = 0; i < 6; ++i) text[static_cast<size_t>(1 + i)] = HexDigits[colour >> (20 - 4 * i) & 15];
    return text;
}

SvgRecorder::SvgRecorder(int width, int height, TColor32 background) : m_width(width), m_height(height) {
    m_body.reserve(1 << 16);
    m_body += "<rect width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\"";
    Paint("fill", SetAlpha(background, 255));
    m_body += "/>\n";
    ++m_counts.rects;
}

// Two decimals are a hundredth of a pixel: finer than any rasteriser places an edge.
void SvgRecorder::Number(double v, int decimals) {
    if (!std::isfinite(v)) v = 0;
    const double scale = std::pow(10.0, decimals);
    v = std::round(v * scale) / scale;
    if (v == 0) v = 0;   // no "-0"
    char text[48];
    const auto [end, error] = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, decimals);
    if (error != std::errc{}) return;
    const char* last = end;
    while (last[-1] == '0') --last;
    if (last[-1] == '.') --last;
    m_body.append(text, static_cast<size_t>(last - text));
}

void SvgRecorder::Coordinates(const tPointD& p) {
    Number(p.x + 0.5);
    m_body += ',';
    Number(p.y + 0.5);
}

void SvgRecorder::Paint(const char* attribute, TColor32 colour) {
    m_body += ' ';
    m_body += attribute;
    m_body += "=\"" + SvgColour(colour) + "\"";
    const uint32_t alpha = AlphaOf(colour);
    if (alpha == 255) return;
    m_body += ' ';
    m_body += attribute;
    m_body += "-opacity=\"";
    Number(alpha / 255.0, 3);
    m_body += '"';
}

void SvgRecorder::SmoothingAttribute(VectorSmoothing smoothing) {
    if (smoothing == VectorSmoothing::Plain) m_body += " shape-rendering=\"crispEdges\"";
}

void SvgRecorder::FlushPath() {
    if (m_path.empty()) return;
    if (m_path.size() == 2) {
        m_body += "<line x1=\"";
        Number(m_path[0].x + 0.5);
        m_body += "\" y1=\"";
        Number(m_path[0].y + 0.5);
        m_body += "\" x2=\"";
        Number(m_path[1].x + 0.5);
        m_body += "\" y2=\"";
        Number(m_path[1].y + 0.5);
        m_body += '"';
        ++m_counts.lines;
    } else {
        m_body += "<polyline points=\"";
        for (size_t i = 0; i < m_path.size(); ++i) {
            if (i > 0) m_body += ' ';
            Coordinates(m_path[i]);
        }
        m_body += "\" fill=\"none\"";
        ++m_counts.polylines;
    }
    Paint("stroke", m_pathColour);
    SmoothingAttribute(m_pathSmoothing);
    m_body += "/>\n";
    m_path.clear();
}

void SvgRecorder::Line(tPointD from, tPointD to, TColor32 colour, VectorSmoothing smoothing) {
    ++m_counts.segments;
    if (AlphaOf(colour) == 0) return;
    if (!m_path.empty() && colour == m_pathColour && smoothing == m_pathSmoothing) {
        // Parts of equal depth are drawn later-first, so a run may come backwards: a run of one
        // segment may still turn round.
        if (m_path.size() == 2 && m_path.back() != from && m_path.back() != to &&
            (m_path.front() == from || m_path.front() == to))
            std::swap(m_path.front(), m_path.back());
        if (m_path.back() == from) {
            m_path.push_back(to);
            return;
        }
        if (m_path.back() == to) {
            m_path.push_back(from);
            return;
        }
    }
    FlushPath();
    m_path = {from, to};
    m_pathColour = colour;
    m_pathSmoothing = smoothing;
}

void SvgRecorder::Polygon(std::span<const tPointD> points, TColor32 fill, TColor32 line, bool closed,
                          VectorSmoothing smoothing) {
    FlushPath();
    const bool filled = AlphaOf(fill) != 0, outlined = AlphaOf(line) != 0;
    if (points.empty() || (!filled && !outlined)) return;
    m_body += closed || filled ? "<polygon points=\"" : "<polyline points=\"";
    for (size_t i = 0; i < points.size(); ++i) {
        if (i > 0) m_body += ' ';
        Coordinates(points[i]);
    }
    m_body += '"';
    if (filled) {
        Paint("fill", fill);
        m_body += " fill-rule=\"evenodd\"";
    } else {
        m_body += " fill=\"none\"";
    }
    if (outlined) Paint("stroke", line);
    SmoothingAttribute(smoothing);
    m_body += "/>\n";
    ++m_counts.polygons;
}

void SvgRecorder::Point(tPointD at, TColor32 colour) {
    FlushPath();
    if (AlphaOf(colour) == 0) return;
    m_body += "<rect x=\"";
    Number(at.x);
    m_body += "\" y=\"";
    Number(at.y);
    m_body += "\" width=\"1\" height=\"1\"";
    Paint("fill", colour);
    m_body += "/>\n";
    ++m_counts.points;
}

void SvgRecorder::Ellipse(tPointD centre, double rx, double ry, TColor32 fill, TColor32 line) {
    FlushPath();
    const bool filled = AlphaOf(fill) != 0, outlined = AlphaOf(line) != 0;
    if (!filled && !outlined) return;
    const bool circle = rx == ry;
    m_body += circle ? "<circle cx=\"" : "<ellipse cx=\"";
    Number(centre.x + 0.5);
    m_body += "\" cy=\"";
    Number(centre.y + 0.5);
    if (circle) {
        m_body += "\" r=\"";
        Number(rx);
    } else {
        m_body += "\" rx=\"";
        Number(rx);
        m_body += "\" ry=\"";
        Number(ry);
    }
    m_body += '"';
    if (filled)
        Paint("fill", fill);
    else
        m_body += " fill=\"none\"";
    if (outlined) Paint("stroke", line);
    m_body += "/>\n";
    ++m_counts.ellipses;
}

void SvgRecorder::Rect(double left, double top, double right, double bottom, TColor32 fill, TColor32 frame) {
    FlushPath();
    if (!(right > left && bottom > top)) return;
    const bool filled = AlphaOf(fill) != 0, framed = AlphaOf(frame) != 0;
    if (!filled && !framed) return;
    if (filled) {
        m_body += "<rect x=\"";
        Number(left);
        m_body += "\" y=\"";
        Number(top);
        m_body += "\" width=\"";
        Number(right - left);
        m_body += "\" height=\"";
        Number(bottom - top);
        m_body += '"';
        Paint("fill", fill);
        m_body += "/>\n";
    }
    if (framed) {
        // The frame is the one-pixel ring just inside the edges.
        m_body += "<rect x=\"";
        Number(left + 0.5);
        m_body += "\" y=\"";
        Number(top + 0.5);
        m_body += "\" width=\"";
        Number(right - left - 1);
        m_body += "\" height=\"";
        Number(bottom - top - 1);
        m_body += "\" fill=\"none\"";
        Paint("stroke", frame);
        m_body += " shape-rendering=\"crispEdges\"/>\n";
    }
    ++m_counts.rects;
}

void SvgRecorder::Image(const TBitmap32& picture, double left, double top, double right, double bottom,
                        uint8_t alpha) {
    FlushPath();
    if (picture.Empty() || alpha == 0 || !(right > left && bottom > top)) return;
    EncodeResult png = EncodePng(picture, 6);
    if (png.Bytes.empty()) return;
    auto [entry, added] = m_images.try_emplace(Base64(png.Bytes), static_cast<int>(m_images.size()));
    const std::string id = "picture" + std::to_string(entry->second);
    if (added) {
        m_defs += "<image id=\"" + id + "\" width=\"" + std::to_string(picture.Width()) + "\" height=\"" +
                  std::to_string(picture.Height()) + "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64," +
                  entry->first + "\"/>\n";
    }
    m_body += "<use xlink:href=\"#" + id + "\" transform=\"translate(";
    Number(left);
    m_body += ' ';
    Number(top);
    m_body += ") scale(";
    Number((right - left) / picture.Width(), 4);
    m_body += ' ';
    Number((bottom - top) / picture.Height(), 4);
    m_body += ")\"";
    if (alpha != 255) {
        m_body += " opacity=\"";
        Number(alpha / 255.0, 3);
        m_body += '"';
    }
    m_body += "/>\n";
    ++m_counts.images;
}

void SvgRecorder::Text(int x, int y, std::string_view text, TColor32 colour, int pixelSize, bool bold) {
    FlushPath();
    if (text.empty() || AlphaOf(colour) == 0) return;
    // The box's top at y: the baseline lies about four fifths of the size below it.
    m_body += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y + pixelSize * 4 / 5 + 1) +
              "\" font-family=\"DejaVu Sans, sans-serif\" font-size=\"" + std::to_string(pixelSize) + "\"";
    if (bold) m_body += " font-weight=\"bold\"";
    Paint("fill", colour);
    m_body += " xml:space=\"preserve\">";
    AppendEscaped(m_body, text);
    m_body += "</text>\n";
    ++m_counts.texts;
}

std::string SvgRecorder::Document() {
    FlushPath();
    std::string document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                           "version=\"1.1\" width=\"" +
                           std::to_string(m_width) + "\" height=\"" + std::to_string(m_height) + "\" viewBox=\"0 0 " +
                           std::to_string(m_width) + " " + std::to_string(m_height) + "\">\n";
    if (!m_defs.empty()) document += "<defs>\n" + m_defs + "</defs>\n";
    document += "<g stroke-width=\"1\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    document += m_body;
    document += "</g>\n</svg>\n";
    return document;
}

}  // namespace pax
