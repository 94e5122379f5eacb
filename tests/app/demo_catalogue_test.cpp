#include "app/demo_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/demo_values.h"
#include "support/scripted_presenter.h"

namespace pax {
namespace {

void Nothing() {}

// Demos with the given figure counts.
DemoCatalogue CatalogueOf(const std::vector<int>& figureCounts) {
    DemoCatalogue catalogue;
    for (int count : figureCounts) {
        catalogue.RegisterAnimation("demo");
        for (int f = 0; f < count; ++f) catalogue.RegisterFigure("figure", Nothing);
    }
    return catalogue;
}

TEST(DemoCatalogue, IndicesWrapAcrossDemosInBothDirections) {
    struct Case {
        std::vector<int> figures;
        DemoSelection asked, shown;
    };
    const Case cases[] = {
        {{3, 2, 4}, {2, 4}, {0, 0}},    // next after the last figure of the last demo
        {{3, 2, 4}, {0, -1}, {2, 3}},   // previous before the first of the first
        {{3, 2, 4}, {-1, 0}, {2, 3}},   // previous demo from demo 0
        {{3, 2, 4}, {1, 0}, {1, 0}},          {{3, 2, 4}, {1, -1}, {0, 2}},
        {{3, 2, 4}, {0, 3}, {1, 0}},          {{3, 2, 4}, {3, 1}, {0, 0}},   // Ctrl+9 beyond the last demo
        {{3, 2, 4}, {0, -1001}, {2, 3}},      {{}, {5, -3}, {0, 0}},
        {{2, 0, 1}, {1, 0}, {1, 0}},   // a demo without figures keeps figure 0 for its default draw
        {{2, 0, 1}, {1, 1}, {2, 0}},          {{2, 0, 1}, {2, -1}, {1, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CatalogueOf(c.figures).Normalize(c.asked.Demo, c.asked.Figure), c.shown)
            << c.asked.Demo << ", " << c.asked.Figure;
}

TEST(DemoCatalogue, The31stDemoAnd41stFigureAndFiguresWithoutDrawOrDemoAreRefused) {
    testing::ScopedPresenter boxes;
    DemoCatalogue c;
    const auto last = [&] { return std::tuple(boxes.Last().caption, boxes.Last().text, boxes.Last().buttons); };
    EXPECT_FALSE(c.RegisterFigure("orphan", Nothing));
    EXPECT_EQ(boxes.Last().caption, "PaxForm:  RegisterFigure");
    c.RegisterAnimation("Full Menu");
    EXPECT_FALSE(c.RegisterFigure("no draw", {}));
    EXPECT_EQ(last(), std::tuple("PaxForm:  RegisterFigure", "wrong value: drawProc = nil", 258));
    EXPECT_EQ(c.FigureCount(0), 0);
    for (int i = 0; i < DemoCatalogue::MaxFigures; ++i) ASSERT_TRUE(c.RegisterFigure("f", Nothing));
    EXPECT_FALSE(c.RegisterFigure("41st", Nothing));
    EXPECT_EQ(c.FigureCount(0), 40);
    ASSERT_EQ(boxes.Count(), 3u);
    EXPECT_EQ(last(), std::tuple("PaxForm:  RegisterFigure", "too much figures for menu \"Full Menu\"", 258));

    for (int i = 1; i < DemoCatalogue::MaxDemos; ++i) ASSERT_TRUE(c.RegisterAnimation("demo"));
    EXPECT_EQ(boxes.Count(), 3u);
    EXPECT_FALSE(c.RegisterAnimation("one too many"));
    EXPECT_EQ(c.DemoCount(), 30);
    ASSERT_EQ(boxes.Count(), 4u);
    EXPECT_EQ(last(), std::tuple("PaxForm: RegisterAnimation", "too much demos registered", 258));
}

TEST(DemoCatalogue, NamesAreCutToFortyAndMissingProceduresTakeTheDemosDefaults) {
    int defaultStarts = 0, demoData = 0, demoOverlay = 0, ownData = 0;
    DemoCatalogue c([&] { ++defaultStarts; });
    c.RegisterAnimation("demo", {}, {}, [&] { ++demoData; }, [&] { ++demoOverlay; });
    c.RegisterFigure(std::string(40, 'a') + "bbbbbbbbbb", Nothing);
    c.RegisterFigure("own", Nothing, {}, [&] { ++ownData; });
    c.RegisterFigure("Größe", Nothing);
    const DemoRecord& d = c.Demo(0);
    EXPECT_EQ(d.Figures[0].Name, std::string(40, 'a'));
    EXPECT_EQ(d.Figures[2].Name, "Größe");   // cut by characters, not bytes
    d.Start();
    d.Figures[0].Data();
    d.Figures[0].Overlay();
    d.Figures[1].Data();
    EXPECT_EQ(std::tuple(defaultStarts, demoData, demoOverlay, ownData), std::tuple(1, 1, 1, 1));
    EXPECT_FALSE(d.Figures[0].Start);
    ASSERT_TRUE(d.Values);
    EXPECT_EQ(d.Values->Count(), 0);
    EXPECT_EQ(c.FindFigure("own"), (DemoSelection{0, 1}));
    EXPECT_FALSE(c.FindFigure("own ").has_value());
}

constexpr TShiftState None{};
constexpr TShiftState Shift{ShiftFlag::Shift};
constexpr TShiftState Ctrl{ShiftFlag::Ctrl};

TEST(tValues, KeysSelectWithWrapAroundAndChangeWithinTheLimits) {
    tValues v;
    v.Add(0, 10, 2, 4);
    v.Add(-5, 5, 0.5L, 0);
    v.Add(1, 3, 1, 2, ValueKind::Integer);
    struct Step {
        int key;
        TShiftState shift;
        int current;
        Extended value;   // of the current value afterwards
    };
    const Step steps[] = {
        {ValueKey::Up, None, 3, 2},           {ValueKey::Down, None, 1, 4},
        {ValueKey::End, None, 3, 2},          {ValueKey::Down, None, 1, 4},
        {ValueKey::End, Ctrl, 1, 4},          {ValueKey::Right, None, 1, 6},
        {ValueKey::Add, None, 1, 8},          {ValueKey::Right, None, 1, 10},
        {ValueKey::Add, None, 1, 10},         {ValueKey::Subtract, None, 1, 8},
        {ValueKey::Left, Shift, 1, 7},        {ValueKey::Up, Shift, 1, 7},
        {ValueKey::PageDown, None, 1, 0},     {ValueKey::Left, Shift, 1, 0},
        {ValueKey::Left, None, 1, 0},         {ValueKey::PageUp, None, 1, 10},
        {ValueKey::Clear, None, 1, 5},        {ValueKey::Down, None, 2, 0},
        {ValueKey::Right, Shift, 2, 1},       {ValueKey::Left, None, 2, 0.5L},
        {ValueKey::PageUp, None, 2, 5},       {ValueKey::Multiply, None, 2, 0},
        {ValueKey::Home, None, 1, 5},
    };
    for (const Step& s : steps) {
        v.ProcessKey(s.key, s.shift);
        EXPECT_EQ(v.Current(), s.current) << "key " << s.key;
        EXPECT_EQ(v.Value(v.Current()), s.value) << "key " << s.key;
    }
}

TEST(tValues, AddSwapsAReversedRangeAndRefusesTheTwentyFirstValue) {
    testing::ScopedPresenter boxes;
    tValues v;
    EXPECT_EQ(v.Add(10, 0, 1, 20), 1);
    EXPECT_EQ(v.Value(1), 10);
    for (int i = 2; i <= tValues::MaxValues; ++i) v.Add(0, 1, 1, 0);
    EXPECT_EQ(v.Add(0, 1, 1, 0), 0);
    EXPECT_EQ(boxes.Count(), 1u);
}

}  // namespace
}  // namespace pax
