// The built-in library's data: its categories, the entries given exactly, the value ranges of
// each category and the shape of every rule text, and every entry drawn once.

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "lsystem/library/library.h"
#include "lsystem/lsystem_test_scene.h"

namespace pax {
namespace {

struct CategoryRule {
    const char* name;
    // Inclusive ranges of angle, factor (0 counts as 1.0) and deep; a category without ranges
    // has hi < lo.
    double angleLo, angleHi, factorLo, factorHi;
    int deepLo, deepHi;
    std::string entries;   // the names joined by ", "
};

const std::vector<CategoryRule>& Expected() {
    static const std::vector<CategoryRule> expected = {
        {"TABOP Book part 1", 45, 90, 0.16, 0.85, 2, 9,
         "KochSnowflake-2, Anabaena-5, KochIsland-8, KochIsland-9a, CrossCurve-9b, IslandsAndLakes-9c, "
         "KochCurve-10a, KochCurve-10b, KochCurve-10c, KochCurve-10d, KochCurve-10e, KochCurve-10f, "
         "DragonCurve-11a, SierpinskiGasket-11b, HexagonalGosper-12a, QuadraticGosper-12b, ECurve-13, "
         "HilbertCurve-15, FassCurve-17a, FassCurve-17b, FassCurve-17c, FassCurve-17d, Hilbert3dCurve-20"},
        {"TABOP Book part 2", 18, 45, 0.33333, 0.94, 1, 12,
         "Plant-24, Plant-25a, Plant-25b, Plant-25c, Plant-25d, Plant-25e, Plant-25f, Plant-26, Plant-27, "
         "StochasticPlant-28, SingleFlower-65, ElongatedRacemes-72a, PlanarRacemes-72b, ElongatedRacemes-79a, "
         "ElongatedRacemes-79b"},
        {"TABOP Book part 3", 8, 137.5, 0.5, 0.99, 5, 444,
         "SimpleCymes-83a, SimpleCymes-83b, SimpleCymes-83c, ThyrsusSpiral-85a, ThyrsusZigZag-85b, "
         "ThyrsusDouble-85c, ThyrsusDouble-85d, Panicle-87a, Panicle-87b, Lilac-93, Umbel-95, RacemesSpike-97a, "
         "Phyllotaxis-100, GrowingLeaf-120, CordateLeaf-123, VariableLeaf-124, NestedPolygons-127, "
         "LilyOfTheValley-127, LilyOfTheValley-128, CompoundLeaf-129, CompoundLeaf-130"},
        {"LSystem Kesk 1a", 2, 90, 0.333, 0.93, 3, 17,
         "KeskCross1a, KeskCross1b, KeskCarpet1, longHorns, FacetteLeaf1, FanLeaf1, FacetteLeaf1Plant1, "
         "FacetteLeaf1Plant2, FacetteLeaf1Plant3, WaterLilyFlower1, FacetteLeaf2, FacetteLeaf2Plant1, "
         "FacetteLeaf3, FacetteLeaf4, FacetteLeaf4Plant1"},
        {"LSystem Kesk 1b", 4, 22.5, 0.5, 0.95, 6, 14,
         "Plant-25d 3d, GrowingLeaf2-120, GrowingLeaf2Branch-120, GrowingLeaf2Bush-120, GrowingLeaf3, "
         "GrowingLeaf3Branch, BlueBerryBush1, BendedCordateLeaf1, CordateLeafPlant1-123, CordateLeafPlant2-123, "
         "VariableLeaf-124, LeafPlant1-124, LeafPlant2-124, TrumpetFlower127, Umbrella127"},
        {"LSystem Kesk 1c", 1, 30, 0.77, 0.94, 8, 16,
         "Palm1, Palm2, Palm3, Palm4, Pine2d, Pine3d, Bough1, BoughTree1, Dandelion2d, Dandelion3d, Boll1, Boll2, "
         "Boll3, Simple3dCyme, GaliumOdoratum, Calyx1"},
        {"LSystem Famous 2d", 15, 120, 0.31, 0.85, 3, 10,
         "SierpinskiTriangle1, SierpinskiCarpet1, SierpinskiTriangle2, SierpinskiStar1, HilbertCurve2, "
         "LevyDragon1, Cesaro1, Glasmeyer1, CornerTiles1, SphinxTiles1, Lace1, TreeBranch1, TreeBranch2, "
         "SnakeKolam72, SpiralTiling1, SpiralTiling2, PenroseTiling1, ColorPenrose1, Pentigree, Pentadentrite, "
         "PentaPlexity, Pentive"},
        {"LSystem Test Figures", 1, 0, 1, 0, 1, 0, "color palette, thick test, shape test, RandomTest2"},
    };
    return expected;
}

std::vector<const tLSDef*> AllEntries() {
    std::vector<const tLSDef*> all;
    for (const tLSCategory& category : BuiltInLibrary())
        for (const tLSDef& def : category.entries) all.push_back(&def);
    return all;
}

const tLSDef* Find(const std::string& name) {
    for (const tLSDef* def : AllEntries())
        if (def->name == name) return def;
    return nullptr;
}

// Names are unique but for VariableLeaf-124, in book part 3 and Kesk 1b.
TEST(LibraryData, CategoriesWithTheirEntriesInRegistrationOrderAndTheirRanges) {
    const std::vector<tLSCategory>& library = BuiltInLibrary();
    ASSERT_EQ(library.size(), Expected().size());
    size_t total = 0;
    std::map<std::string, std::vector<size_t>> categoriesOfName;
    for (size_t c = 0; c < library.size(); ++c) {
        const CategoryRule& rule = Expected()[c];
        SCOPED_TRACE(rule.name);
        EXPECT_EQ(library[c].name, rule.name);
        std::string names;
        for (const tLSDef& def : library[c].entries) {
            names.append(names.empty() ? "" : ", ").append(def.name);
            categoriesOfName[def.name].push_back(c);
        }
        EXPECT_EQ(names, rule.entries);
        total += library[c].entries.size();
        if (rule.angleHi < rule.angleLo) continue;
        for (const tLSDef& def : library[c].entries) {
            SCOPED_TRACE(def.name);
            const double factor = def.factor == 0 ? 1.0 : static_cast<double>(def.factor);
            EXPECT_TRUE(def.angle >= rule.angleLo && def.angle <= rule.angleHi) << static_cast<double>(def.angle);
            EXPECT_TRUE(factor >= rule.factorLo && factor <= rule.factorHi) << factor;
            EXPECT_TRUE(def.deep >= rule.deepLo && def.deep <= rule.deepHi) << def.deep;
        }
    }
    EXPECT_EQ(total, 131u);
    for (const auto& [name, categories] : categoriesOfName) EXPECT_EQ(categories.size(), name == "VariableLeaf-124" ? 2u : 1u) << name;
    EXPECT_EQ(categoriesOfName["VariableLeaf-124"], (std::vector<size_t>{2, 4}));
}

TEST(LibraryData, EntriesGivenInFullAreStoredExactly) {
    const std::vector<tLSDef> given = {
        {"KochSnowflake-2", "", "", 60, 400, 0.33333L, 0, 3, "F--F--F", {"F=F+F--F+F"}},
        {"StochasticPlant-28", "", "", 30, 350, 0.54L, 0, 5, "F",
         {"F:F[+F]F[-F]F", "F:F[+F]F", "F:F[-F]F"}},
        {"Phyllotaxis-100", "", "", 137.5L, 55, 0.99L, 0, 444, "A", {"A:*+x~2A", "x:gx"}},
        {"Palm3", "", "", 2, 0, 0.85L, 1, 8, "14a\"12b",
         {"a:&~Xf", "b:15\\[16&cL]", "c:c2&", "L:[A][B]", "A:8&{gF[11+15&s.]}A",
          "B:8&{gF[11-15&s.]}B", "s:s^G"}},
        {"color palette", "", "", 360.0L / 258, 100, 1, 1, 256, "Fg|+A", {"A:\"A\"[fF]+"}},
    };
    for (const tLSDef& want : given) {
        SCOPED_TRACE(want.name);
        const tLSDef* have = Find(want.name);
        ASSERT_NE(have, nullptr);
        EXPECT_NEAR(static_cast<double>(have->angle), static_cast<double>(want.angle), 1e-12);
        EXPECT_NEAR(static_cast<double>(have->factor), static_cast<double>(want.factor), 1e-12);
        EXPECT_EQ(std::tie(have->step, have->thickness, have->deep, have->axiom, have->rules),
                  std::tie(want.step, want.thickness, want.deep, want.axiom, want.rules));
    }
}

// Bracket counts never go below zero and end at zero; "{" and "}" are counted apart from
// "[" and "]" because a polygon may span a branch (the cordate leaf opens one inside a
// branch and closes it on the main axis).
bool Balanced(const std::string& text, char open, char close) {
    int level = 0;
    for (char c : text) {
        if (c == open) ++level;
        if (c == close && --level < 0) return false;
    }
    return level == 0;
}

TEST(LibraryData, EveryEntryHasTextsThatFitAndBalancedRules) {
    int defaultStep = 0, cylinders = 0;
    for (const tLSDef* def : AllEntries()) {
        SCOPED_TRACE(def->name);
        defaultStep += def->step == 0;
        cylinders += def->thickness > 1;
        // Longer texts would be cut when an entry is selected.
        EXPECT_TRUE(def->name.size() <= 30 && def->info.size() <= 76 && def->link.size() <= 76 && def->axiom.size() <= 76);
        EXPECT_FALSE(def->info.empty() || def->link.empty() || def->axiom.empty());
        EXPECT_TRUE(Balanced(def->axiom, '[', ']') && Balanced(def->axiom, '{', '}')) << def->axiom;
        EXPECT_TRUE(!def->rules.empty() && def->rules.size() <= 14) << def->rules.size();
        for (const std::string& rule : def->rules) {
            SCOPED_TRACE(rule);
            ASSERT_GE(rule.size(), 2u);
            // A predecessor is a letter: a digit is never rewritten and a command character
            // as predecessor would be a rule split in the wrong place.
            EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(rule[0])) && (rule[1] == '=' || rule[1] == ':'));
            const std::string successor = rule.substr(2);
            EXPECT_LE(successor.size(), 255u);
            EXPECT_TRUE(Balanced(successor, '[', ']') && Balanced(successor, '{', '}'));
        }
    }
    EXPECT_EQ(defaultStep, 64);
    EXPECT_EQ(cylinders, 25);
}

// Into the stage's part list: a picture with more parts than it holds would stop the drawing,
// more than 101 pushed turtle states or an unbalanced "]" would be reported.
TEST(LibraryData, EveryEntryDrawsWithinThePartListWithoutAMessage) {
    testing::LSScene scene(testing::DrawInto::View);
    for (const tLSDef* def : AllEntries()) {
        SCOPED_TRACE(def->name);
        scene.stage.View().Reset();
        ASSERT_TRUE(scene.lsys.SetLSDef(*def));
        scene.lsys.DrawFigure();
        EXPECT_GT(scene.stage.View().PartCount(), 0);
        EXPECT_FALSE(StopRequested());
        EXPECT_TRUE(scene.errors.Errors().empty());
        ClearStopRequest();
        scene.errors.Clear();
    }
    ASSERT_TRUE(scene.lsys.SetLSDef(*Find("KochSnowflake-2")));
    scene.lsys.DrawFigure();
    EXPECT_EQ(scene.lsys.Statistics().segments, 192u);
}

}  // namespace
}  // namespace pax
