#include "app/demo_catalogue.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scripted_presenter.h"

namespace pax {
namespace {

using testing::ScopedPresenter;

void Nothing() {}

// Demos with the given figure counts.
DemoCatalogue CatalogueOf(std::initializer_list<int> figureCounts) {
    DemoCatalogue catalogue;
    for (int count : figureCounts) {
        catalogue.RegisterAnimation("demo");
        for (int f = 0; f < count; ++f) catalogue.RegisterFigure("figure", Nothing);
    }
    return catalogue;
}

TEST(DemoCatalogue, IndicesWrapAcrossDemosInBothDirections) {
    const DemoCatalogue c = CatalogueOf({3, 2, 4});
    // Next figure after the last of the last demo, previous before the first of the first.
    EXPECT_EQ(c.Normalize(2, 4), (DemoSelection{0, 0}));
    EXPECT_EQ(c.Normalize(0, -1), (DemoSelection{2, 3}));
    // Previous demo from demo 0 is a negative demo: the last figure of the last demo; from
    // another demo figure 0 of the previous one.
    EXPECT_EQ(c.Normalize(-1, 0), (DemoSelection{2, 3}));
    EXPECT_EQ(c.Normalize(1, 0), (DemoSelection{1, 0}));
    EXPECT_EQ(c.Normalize(1, -1), (DemoSelection{0, 2}));
    EXPECT_EQ(c.Normalize(0, 3), (DemoSelection{1, 0}));
    EXPECT_EQ(c.Normalize(3, 1), (DemoSelection{0, 0}));   // Ctrl+9 beyond the last demo
    EXPECT_EQ(c.Normalize(0, -1 - 1000), (DemoSelection{2, 3}));
    EXPECT_EQ(DemoCatalogue().Normalize(5, -3), (DemoSelection{0, 0}));
    // A demo without figures keeps figure 0 for its default draw procedure.
    const DemoCatalogue empty = CatalogueOf({2, 0, 1});
    EXPECT_EQ(empty.Normalize(1, 0), (DemoSelection{1, 0}));
    EXPECT_EQ(empty.Normalize(1, 1), (DemoSelection{2, 0}));
    EXPECT_EQ(empty.Normalize(2, -1), (DemoSelection{1, 0}));
}

TEST(DemoCatalogue, TheThirtyFirstDemoIsRefusedInTheMessageLine) {
    ScopedPresenter boxes;
    DemoCatalogue c;
    for (int i = 0; i < DemoCatalogue::MaxDemos; ++i) ASSERT_TRUE(c.RegisterAnimation("demo"));
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_FALSE(c.RegisterAnimation("one too many"));
    EXPECT_EQ(c.DemoCount(), 30);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "PaxForm: RegisterAnimation");
    EXPECT_EQ(boxes.Last().text, "too much demos registered");
}

TEST(DemoCatalogue, FiguresAreRefusedWithoutDrawProcedureBeyondFortyAndWithoutDemo) {
    ScopedPresenter boxes;
    DemoCatalogue c;
    EXPECT_FALSE(c.RegisterFigure("orphan", Nothing));
    EXPECT_EQ(boxes.Last().caption, "PaxForm:  RegisterFigure");

    c.RegisterAnimation("Full Menu");
    EXPECT_FALSE(c.RegisterFigure("no draw", {}));
    EXPECT_EQ(boxes.Last().caption, "PaxForm:  RegisterFigure");
    EXPECT_EQ(boxes.Last().text, "wrong value: drawProc = nil");
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_EQ(c.FigureCount(0), 0);

    for (int i = 0; i < DemoCatalogue::MaxFigures; ++i) ASSERT_TRUE(c.RegisterFigure("f", Nothing));
    const size_t before = boxes.Count();
    EXPECT_FALSE(c.RegisterFigure("41st", Nothing));
    EXPECT_EQ(c.FigureCount(0), 40);
    ASSERT_EQ(boxes.Count(), before + 1);
    EXPECT_EQ(boxes.Last().text, "too much figures for menu \"Full Menu\"");
    EXPECT_EQ(boxes.Last().buttons, 258);
}

TEST(DemoCatalogue, NamesAreCutToFortyAndMissingProceduresTakeTheDemosDefaults) {
    int defaultStarts = 0, demoData = 0, demoOverlay = 0, ownData = 0;
    DemoCatalogue c([&] { ++defaultStarts; });
    c.RegisterAnimation("demo", {}, {}, [&] { ++demoData; }, [&] { ++demoOverlay; });
    const std::string fifty = std::string(40, 'a') + "bbbbbbbbbb";
    c.RegisterFigure(fifty, Nothing);
    c.RegisterFigure("own", Nothing, {}, [&] { ++ownData; });
    c.RegisterFigure("Größe", Nothing);

    const DemoRecord& d = c.Demo(0);
    EXPECT_EQ(d.Figures[0].Name, std::string(40, 'a'));
    EXPECT_EQ(d.Figures[2].Name, "Größe");   // cut by characters, not bytes
    d.Start();
    d.Figures[0].Data();
    d.Figures[0].Overlay();
    d.Figures[1].Data();
    EXPECT_EQ(defaultStarts, 1);
    EXPECT_EQ(demoData, 1);
    EXPECT_EQ(demoOverlay, 1);
    EXPECT_EQ(ownData, 1);
    EXPECT_FALSE(d.Figures[0].Start);
    ASSERT_TRUE(d.Values);
    EXPECT_EQ(d.Values->Count(), 0);

    EXPECT_EQ(c.FindFigure("own"), (DemoSelection{0, 1}));
    EXPECT_FALSE(c.FindFigure("own ").has_value());
}

}  // namespace
}  // namespace pax
