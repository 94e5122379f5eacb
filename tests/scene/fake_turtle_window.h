#pragma once
// A recording TurtleWindow for tests. Its "projection" is the identity: the pen's position
// fields take the 3D point, a drawing move records the segment from the previous point, and a
// plane collects the points it is given. Everything the turtle asks for is kept in order.

#include <string>
#include <vector>

#include "scene/plane_obj.h"
#include "scene/turtle_window.h"

namespace pax::testing {

class FakeTurtleWindow : public TurtleWindow {
public:
    struct Line {
        tVector3d from, to;
        TColor32 color = 0;
    };
    struct Polygon {
        bool fill = false;
        std::vector<tVector3d> corners;
    };

    void DoProjection(ProjData& pen, const tVector3d& point, bool draw) override {
        ++projections;
        projected.push_back(point);
        pen.PrevPosition = pen.Position;
        pen.PrevVisible = pen.Visible;
        pen.Position = point;
        // Points behind the near plane y < nearY are invisible, like a perspective window's.
        pen.Visible = point.y >= nearY;
        if (!draw) return;
        if (plane.IsOpen() && plane.IsCollecting()) {
            AddCorner(point, pen.LineDrawColor);
            return;
        }
        if (pen.Visible && pen.PrevVisible) lines.push_back({pen.PrevPosition, point, pen.LineDrawColor});
    }
    void ProjectPoint(ProjData& pen, const tVector3d& point) override {
        pen.Position = point;
        pen.Visible = point.y >= nearY;
    }
    void DoBeginPolyon(ProjData& pen, bool fill) override {
        plane.BeginPlane(pen.LineDrawColor, pen.FillDrawColor);
        polygons.push_back({fill, {}});
    }
    void AddPolyPoint(ProjData& pen) override { AddCorner(pen.Position, pen.LineDrawColor); }
    void DoEndPolygon(ProjData&) override {
        ++endedPolygons;
        plane.EndPlane();
    }
    tPlaneObj& PlaneObject() override { return plane; }
    void DrawText(ProjData& pen, std::string_view text) override {
        texts.emplace_back(text);
        textColors.push_back(pen.TextColor);
    }
    void DrawSpriteId(ProjData&, uint16_t spriteId) override { sprites.push_back(spriteId); }
    TColor32 WindowColor() const override { return windowColor; }
    void SetWindowColor(TColor32 color) override { windowColor = color; }
    uint8_t LineOpacity() const override { return lineOpacity; }
    uint8_t FillOpacity() const override { return fillOpacity; }

    // Settings a test may change.
    uint8_t lineOpacity = 255;
    uint8_t fillOpacity = 255;
    TColor32 windowColor = 0xFF00FF00;
    Extended nearY = -1e30L;

    // What was asked for, in order.
    int projections = 0;
    int endedPolygons = 0;
    std::vector<tVector3d> projected;
    std::vector<Line> lines;
    std::vector<Polygon> polygons;
    std::vector<std::string> texts;
    std::vector<TColor32> textColors;
    std::vector<uint16_t> sprites;
    tPlaneObj plane;

private:
    void AddCorner(const tVector3d& p, TColor32 color) {
        if (plane.Add3dPoint(p, color) && !polygons.empty()) polygons.back().corners.push_back(p);
    }
};

}  // namespace pax::testing
