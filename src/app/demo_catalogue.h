#pragma once
// DemoCatalogue: the demos and their figures that other units register at start-up, each
// figure with the procedures that start, draw, react to input and overlay it. The shell knows
// no figure itself; it picks one from here and runs its procedures.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/demo_values.h"

namespace pax {

// A registered procedure; empty stands for none.
using DemoProc = std::function<void()>;

struct FigureRecord {
    std::string Name;    // at most DemoCatalogue::NameCapacity characters
    DemoProc Start;      // run when the figure is started
    DemoProc Draw;       // draws one picture; never empty
    DemoProc Data;       // runs when a key was not handled or the mouse moved
    DemoProc Overlay;    // draws over every finished picture
    // Draw makes parts of the object window and draws nothing on the surface itself, so its
    // walk may run while the picture before is drawn.
    bool PartsOnly = false;
};

struct DemoRecord {
    std::string Name;
    DemoProc Start;
    DemoProc DefaultDraw;
    DemoProc DefaultData;
    DemoProc DefaultOverlay;   // also the demo's help procedure
    // Shared by the catalogue entry and the copy of the demo being shown.
    std::shared_ptr<tValues> Values;
    std::vector<FigureRecord> Figures;

    int32_t FigureCount() const { return static_cast<int32_t>(Figures.size()); }
};

// A demo and a figure index, both 0-based.
struct DemoSelection {
    int32_t Demo = 0;
    int32_t Figure = 0;
    bool operator==(const DemoSelection&) const = default;
};

class DemoCatalogue {
public:
    static constexpr int32_t MaxDemos = 30;
    static constexpr int32_t MaxFigures = 40;
    static constexpr size_t NameCapacity = 40;

    // defaultStart replaces a start procedure registered as none (it resets the animation
    // values).
    explicit DemoCatalogue(DemoProc defaultStart = {});

    // Appends a demo with an empty values object. With MaxDemos registered the message line
    // reports "too much demos registered" and nothing is registered.
    bool RegisterAnimation(std::string_view name, DemoProc start = {}, DemoProc defaultDraw = {},
                           DemoProc defaultData = {}, DemoProc defaultOverlay = {});
    // Appends a figure to the demo registered last: the name cut to NameCapacity characters,
    // an empty data or overlay procedure replaced by the demo's default. Refused with an error
    // box: an empty draw procedure, a demo with MaxFigures figures, no demo at all.
    bool RegisterFigure(std::string_view name, DemoProc draw, DemoProc start = {}, DemoProc data = {},
                        DemoProc overlay = {});
    // The figure registered last draws parts only (FigureRecord::PartsOnly).
    void MarkLastFigurePartsOnly();

    int32_t DemoCount() const { return static_cast<int32_t>(m_demos.size()); }
    // Unchecked beyond an assertion.
    const DemoRecord& Demo(int32_t index) const;
    int32_t FigureCount(int32_t demo) const;

    // Indices out of range wrap: a demo at or beyond the count gives (0, 0); a negative demo
    // the last figure of the last demo; a negative figure the last figure of the previous demo
    // (the last demo before demo 0); a figure beyond the demo's last one figure 0 of the next
    // demo (demo 0 after the last). A demo without figures has its figure 0 (drawn by the
    // demo's default draw procedure). An empty catalogue gives (0, 0).
    DemoSelection Normalize(int32_t demo, int32_t figure) const;
    // The first figure of exactly that name, in catalogue order.
    std::optional<DemoSelection> FindFigure(std::string_view name) const;

private:
    int32_t LastFigureOf(int32_t demo) const;

    DemoProc m_defaultStart;
    std::vector<DemoRecord> m_demos;
};

}  // namespace pax
