#include "figures/surface.h"

#include <optional>
#include <utility>
#include <vector>

#include "figures/figure_scope.h"
#include "foundation/math2.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "scene/pax3d.h"
#include "system/exceptions.h"
#include "system/picture_clock.h"
#include "system/settings.h"
#include "system/stop_request.h"

namespace pax {

namespace {

struct EllipsoidRadii {
    Extended a = 1, b = 1, c = 1;
};

EllipsoidRadii& Radii() {
    static EllipsoidRadii radii;
    return radii;
}

// Which colour a cell takes: the turtle's fill colour, or a hue by its layer or its strip.
enum class Coloring { FillColor, AlongRows, AcrossRows };

Coloring ColoringOfSwitches() {
    const tSwitches& sw = Switches();
    if (!sw[Switch::RainbowColors]) return Coloring::FillColor;
    return sw[Switch::HueAcrossRows] ? Coloring::AcrossRows : Coloring::AlongRows;
}

// The cells between rows a (previous) and b (current), corners a[k-1], b[k-1], b[k], a[k], in
// world points.
void DrawStrip(Pax3d& pax, const std::vector<tVector3d>& a, const std::vector<tVector3d>& b,
               const std::vector<TColor32>& layerColors, std::optional<TColor32> stripColor) {
    pax.PenUp();
    pax.PenDown();
    for (size_t k = 1; k < a.size(); ++k) {
        TurtleBranch branch(pax);
        pax.JumpTo(a[k - 1]);
        if (stripColor) pax.SetFillColor(*stripColor);
        if (!layerColors.empty()) pax.SetFillColor(layerColors[k - 1]);
        pax.BeginPlane();
        pax.DrawTo(b[k - 1]);
        pax.DrawTo(b[k]);
        pax.DrawTo(a[k]);
        pax.EndPlane();
    }
}

// The grid walk behind every surface: rowAt(i, row) fills row with the layers + 1 points of
// strip edge i, so a caller that knows its function can share work along a row.
template <typename RowAt>
void SurfaceGrid(Stage& stage, const RowAt& rowAt, uint16_t segments, uint16_t layers) {
    if (segments == 0) throw ERangeError("\nsegments must be > 1\n");
    if (layers == 0) throw ERangeError("\nlayers must be > 1\n");
    const Coloring coloring = ColoringOfSwitches();
    std::vector<TColor32> layerColors;
    if (coloring == Coloring::AlongRows)
        for (int j = 0; j <= layers; ++j) layerColors.push_back(HueColor(j, layers + 1));

    Pax3d& pax = stage.Pax();
    TurtleBranch branch(pax);
    pax.SavePosition();
    if (Switches()[Switch::ColorCycling]) pax.SetFillColor(HueColor(0, 1));
    std::vector<tVector3d> previous(layers + 1u), current(layers + 1u);
    for (int i = 0; i <= segments; ++i) {
        rowAt(i, current);
        // Every corner serves up to four cells: it is placed in the world once. The cells keep
        // the saved position and the frame, so each of them would place it the same.
        for (tVector3d& p : current) p = pax.LocalPoint(p);
        if (i > 0) {
            std::optional<TColor32> stripColor;
            if (coloring == Coloring::AcrossRows) stripColor = HueColor(i, segments + 1);
            DrawStrip(pax, previous, current, layerColors, stripColor);
            // The object window requests a stop at its part limit; the rest would be lost anyway.
            if (StopRequested()) break;
        }
        std::swap(previous, current);
    }
}

// Cosines and sines of from + k * step for k = 0 .. count, each computed once.
struct AngleSteps {
    std::vector<Extended> cos, sin;
    AngleSteps() = default;
    AngleSteps(Extended from, Extended step, int count) {
        for (int k = 0; k <= count; ++k) {
            const Extended angle = from + k * step;
            cos.push_back(std::cos(angle));
            sin.push_back(std::sin(angle));
        }
    }
};

// The angle steps of the last ellipsoid grid around (phi) and up (theta). The ellipsoids of a
// figure share their counts, and the 80-bit sines and cosines of every one of them were a
// fortieth of a plant's picture.
struct EllipsoidAngles {
    uint16_t segments = 0, layers = 0;
    AngleSteps phi, theta;

    const EllipsoidAngles& For(uint16_t s, uint16_t l) {
        if (s != segments || l != layers || phi.cos.empty()) {
            phi = AngleSteps(0, (2 * Pi - 0) / s, s);
            theta = AngleSteps(-Pi / 2, (Pi / 2 - -Pi / 2) / l, l);
            segments = s;
            layers = l;
        }
        return *this;
    }
};

}  // namespace

void Surface(Stage& stage, const SurfacePointFunction& f, uint16_t segments, uint16_t layers, Extended uFrom,
             Extended uTo, Extended wFrom, Extended wTo) {
    const Extended du = segments > 0 ? (uTo - uFrom) / segments : 0;
    const Extended dw = layers > 0 ? (wTo - wFrom) / layers : 0;
    const auto rowAt = [&](int i, std::vector<tVector3d>& row) {
        const Extended u = uFrom + i * du;
        for (size_t j = 0; j < row.size(); ++j) row[j] = f(u, wFrom + static_cast<int>(j) * dw);
    };
    SurfaceGrid(stage, rowAt, segments, layers);
}

void SetEllipsoidRadii(Extended a, Extended b, Extended c) { Radii() = {a, b, c}; }

tVector3d EllipsoidPoint(Extended phi, Extended theta) {
    const EllipsoidRadii& r = Radii();
    const Extended cosTheta = std::cos(theta);
    return {r.a * cosTheta * std::cos(phi), r.b * cosTheta * std::sin(phi), r.c * std::sin(theta)};
}

void Ellipsoid(Stage& stage, uint16_t segments, uint16_t layers, Extended a, Extended b, Extended c) {
    SetEllipsoidRadii(a, b, c);
    // An odd number of negative radii mirrors the surface and turns its normals inwards.
    const ObjectShape shape = a * b * c > 0 ? ObjectShape::Convex : ObjectShape::General;
    WindowObject object(stage.View(), "Ellipsoid", shape);
    // The same points as EllipsoidPoint gives on the grid, with each angle's cosine and sine
    // computed once instead of for every corner of every picture. The angles are computed as
    // Surface computes them, term for term, so that every corner is bit-equal.
    if (segments == 0 || layers == 0) {
        Surface(stage, EllipsoidPoint, segments, layers, 0, 2 * Pi, -Pi / 2, Pi / 2);  // refused there
        return;
    }
    thread_local EllipsoidAngles angles;
    const EllipsoidAngles& grid = angles.For(segments, layers);
    const AngleSteps& theta = grid.theta;
    const EllipsoidRadii r = Radii();
    const auto rowAt = [&](int i, std::vector<tVector3d>& row) {
        const Extended cosPhi = grid.phi.cos[static_cast<size_t>(i)], sinPhi = grid.phi.sin[static_cast<size_t>(i)];
        for (size_t j = 0; j < row.size(); ++j)
            row[j] = {r.a * theta.cos[j] * cosPhi, r.b * theta.cos[j] * sinPhi, r.c * theta.sin[j]};
    };
    SurfaceGrid(stage, rowAt, segments, layers);
}

TColor32 HueColor(int k, int count) {
    if (count < 1) count = 360;
    Extended h = static_cast<Extended>(k) / count;
    if (Switches()[Switch::ColorCycling])
        h += HueTravelPerPicture * PictureClock().Counter * ConfigValues().CyclingSpeed;
    return HSVToColor(MakeHSV(FloatMod(h, 1), 1, 1));
}

}  // namespace pax
