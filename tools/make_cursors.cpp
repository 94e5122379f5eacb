// make_cursors: draws the two animated cursors the program ships, data/Cursor1.ani (a
// turning cross hair, shown while the left button moves the eye) and data/Cursor2.ani (a
// pulsing ring with a centre dot, for the other buttons), each 8 frames of 32 x 32 pixels.
//
//     build/make_cursors data
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "render/files/ani_cursor.h"

namespace {

constexpr int Side = 32;
constexpr int Frames = 8;
constexpr double Centre = 15.5;

void Dot(pax::TBitmap32& f, double x, double y, pax::TColor32 c) {
    const int ix = static_cast<int>(std::lround(x)), iy = static_cast<int>(std::lround(y));
    if (ix >= 0 && iy >= 0 && ix < Side && iy < Side) f.SetPixel(ix, iy, c);
}

// A line with a dark outline, so that it shows on light and dark pictures.
void Stroke(pax::TBitmap32& f, double x1, double y1, double x2, double y2, pax::TColor32 c) {
    const int steps = 64;
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i <= steps; ++i) {
            const double x = x1 + (x2 - x1) * i / steps, y = y1 + (y2 - y1) * i / steps;
            if (pass == 0) {
                for (int dx = -1; dx <= 1; ++dx)
                    for (int dy = -1; dy <= 1; ++dy) Dot(f, x + dx, y + dy, 0xFF000000);
            } else {
                Dot(f, x, y, c);
            }
        }
}

pax::TBitmap32 CrossHair(int frame) {
    pax::TBitmap32 f(Side, Side);
    f.Clear(0);
    const double turn = std::numbers::pi / 2 * frame / Frames;
    for (int arm = 0; arm < 4; ++arm) {
        const double a = turn + arm * std::numbers::pi / 2;
        Stroke(f, Centre + 4 * std::cos(a), Centre + 4 * std::sin(a), Centre + 13 * std::cos(a),
               Centre + 13 * std::sin(a), arm == 0 ? 0xFFFFD700 : 0xFFFFFFFF);
    }
    Dot(f, Centre, Centre, 0xFFFF4040);
    return f;
}

pax::TBitmap32 Ring(int frame) {
    pax::TBitmap32 f(Side, Side);
    f.Clear(0);
    const double radius = 6 + 6 * (0.5 + 0.5 * std::sin(2 * std::numbers::pi * frame / Frames));
    const int segments = 48;
    for (int i = 0; i < segments; ++i) {
        const double a1 = 2 * std::numbers::pi * i / segments, a2 = 2 * std::numbers::pi * (i + 1) / segments;
        Stroke(f, Centre + radius * std::cos(a1), Centre + radius * std::sin(a1), Centre + radius * std::cos(a2),
               Centre + radius * std::sin(a2), 0xFF40C0FF);
    }
    Stroke(f, Centre - 1, Centre, Centre + 1, Centre, 0xFFFFFFFF);
    return f;
}

bool Write(const std::string& file, const std::vector<pax::TBitmap32>& frames) {
    const std::vector<uint8_t> bytes = pax::EncodeAni(frames, 6, 15, 15);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "data";
    std::vector<pax::TBitmap32> cross, ring;
    for (int i = 0; i < Frames; ++i) {
        cross.push_back(CrossHair(i));
        ring.push_back(Ring(i));
    }
    if (!Write(folder + "/Cursor1.ani", cross) || !Write(folder + "/Cursor2.ani", ring)) {
        std::fprintf(stderr, "make_cursors: can not write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
