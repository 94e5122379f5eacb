#include "app/demo_catalogue.h"

#include <algorithm>
#include <cassert>

#include "system/error_reporting.h"
#include "system/text_utils.h"

namespace pax {

namespace {
constexpr const char* RegisterFigureCaption = "PaxForm:  RegisterFigure";
}  // namespace

DemoCatalogue::DemoCatalogue(DemoProc defaultStart) : m_defaultStart(std::move(defaultStart)) {
    m_demos.reserve(MaxDemos);
}

bool DemoCatalogue::RegisterAnimation(std::string_view name, DemoProc start, DemoProc defaultDraw,
                                      DemoProc defaultData, DemoProc defaultOverlay) {
    if (DemoCount() >= MaxDemos) {
        ShowPaxError("PaxForm: RegisterAnimation", "too much demos registered");
        return false;
    }
    DemoRecord demo;
    demo.Name = name;
    demo.Start = start ? std::move(start) : m_defaultStart;
    demo.DefaultDraw = std::move(defaultDraw);
    demo.DefaultData = std::move(defaultData);
    demo.DefaultOverlay = std::move(defaultOverlay);
    demo.Values = std::make_shared<tValues>();
    demo.Figures.reserve(MaxFigures);
    m_demos.push_back(std::move(demo));
    return true;
}

bool DemoCatalogue::RegisterFigure(std::string_view name, DemoProc draw, DemoProc start, DemoProc data,
                                   DemoProc overlay) {
    if (m_demos.empty()) {
        ShowError(RegisterFigureCaption, "no demo registered for figure \"" + std::string(name) + "\"",
                  Buttons::AbortRetryIgnoreDefault2);
        return false;
    }
    if (!draw) {
        ShowError(RegisterFigureCaption, "wrong value: drawProc = nil", Buttons::AbortRetryIgnoreDefault2);
        return false;
    }
    DemoRecord& demo = m_demos.back();
    if (demo.FigureCount() >= MaxFigures) {
        ShowError(RegisterFigureCaption, "too much figures for menu \"" + demo.Name + "\"",
                  Buttons::AbortRetryIgnoreDefault2);
        return false;
    }
    FigureRecord figure;
    figure.Name = CutText(name, NameCapacity);
    figure.Draw = std::move(draw);
    figure.Start = std::move(start);
    figure.Data = data ? std::move(data) : demo.DefaultData;
    figure.Overlay = overlay ? std::move(overlay) : demo.DefaultOverlay;
    demo.Figures.push_back(std::move(figure));
    return true;
}

void DemoCatalogue::MarkLastFigurePartsOnly() {
    if (!m_demos.empty() && !m_demos.back().Figures.empty()) m_demos.back().Figures.back().PartsOnly = true;
}

const DemoRecord& DemoCatalogue::Demo(int32_t index) const {
    assert(index >= 0 && index < DemoCount());
    return m_demos[static_cast<size_t>(index)];
}

int32_t DemoCatalogue::FigureCount(int32_t demo) const {
    if (demo < 0 || demo >= DemoCount()) return 0;
    return Demo(demo).FigureCount();
}

int32_t DemoCatalogue::LastFigureOf(int32_t demo) const { return std::max(FigureCount(demo) - 1, 0); }

DemoSelection DemoCatalogue::Normalize(int32_t demo, int32_t figure) const {
    const int32_t count = DemoCount();
    if (count == 0 || demo >= count) return {0, 0};
    if (demo < 0) return {count - 1, LastFigureOf(count - 1)};
    if (figure < 0) {
        const int32_t previous = demo > 0 ? demo - 1 : count - 1;
        return {previous, LastFigureOf(previous)};
    }
    // A demo without figures keeps its figure 0, which its default draw procedure shows.
    if (figure >= std::max(FigureCount(demo), 1)) return {demo + 1 < count ? demo + 1 : 0, 0};
    return {demo, figure};
}

std::optional<DemoSelection> DemoCatalogue::FindFigure(std::string_view name) const {
    for (int32_t d = 0; d < DemoCount(); ++d) {
        const std::vector<FigureRecord>& figures = Demo(d).Figures;
        for (size_t f = 0; f < figures.size(); ++f)
            if (figures[f].Name == name) return DemoSelection{d, static_cast<int32_t>(f)};
    }
    return std::nullopt;
}

}  // namespace pax
