// The built-in library's data: its categories, the entries given exactly, the value ranges of
// each category and the shape of every rule text, plus a cheap derivation of every entry that
// bounds what a picture costs and checks the turtle stack.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "lsystem/library/library.h"

namespace pax {
namespace {

struct CategoryRule {
    const char* name;
    std::vector<std::string> entries;
    // Inclusive ranges of angle, factor (0 counts as 1.0) and deep; a category without ranges
    // has hi < lo.
    double angleLo, angleHi, factorLo, factorHi;
    int deepLo, deepHi;
};

const std::vector<CategoryRule>& Expected() {
    static const std::vector<CategoryRule> expected = {
        {"TABOP Book part 1",
         {"KochSnowflake-2", "Anabaena-5", "KochIsland-8", "KochIsland-9a", "CrossCurve-9b",
          "IslandsAndLakes-9c", "KochCurve-10a", "KochCurve-10b", "KochCurve-10c", "KochCurve-10d",
          "KochCurve-10e", "KochCurve-10f", "DragonCurve-11a", "SierpinskiGasket-11b",
          "HexagonalGosper-12a", "QuadraticGosper-12b", "ECurve-13", "HilbertCurve-15",
          "FassCurve-17a", "FassCurve-17b", "FassCurve-17c", "FassCurve-17d", "Hilbert3dCurve-20"},
         45, 90, 0.16, 0.85, 2, 9},
        {"TABOP Book part 2",
         {"Plant-24", "Plant-25a", "Plant-25b", "Plant-25c", "Plant-25d", "Plant-25e", "Plant-25f",
          "Plant-26", "Plant-27", "StochasticPlant-28", "SingleFlower-65", "ElongatedRacemes-72a",
          "PlanarRacemes-72b", "ElongatedRacemes-79a", "ElongatedRacemes-79b"},
         18, 45, 0.33333, 0.94, 1, 12},
        {"TABOP Book part 3",
         {"SimpleCymes-83a", "SimpleCymes-83b", "SimpleCymes-83c", "ThyrsusSpiral-85a",
          "ThyrsusZigZag-85b", "ThyrsusDouble-85c", "ThyrsusDouble-85d", "Panicle-87a",
          "Panicle-87b", "Lilac-93", "Umbel-95", "RacemesSpike-97a", "Phyllotaxis-100",
          "GrowingLeaf-120", "CordateLeaf-123", "VariableLeaf-124", "NestedPolygons-127",
          "LilyOfTheValley-127", "LilyOfTheValley-128", "CompoundLeaf-129", "CompoundLeaf-130"},
         8, 137.5, 0.5, 0.99, 5, 444},
        {"LSystem Kesk 1a",
         {"KeskCross1a", "KeskCross1b", "KeskCarpet1", "longHorns", "FacetteLeaf1", "FanLeaf1",
          "FacetteLeaf1Plant1", "FacetteLeaf1Plant2", "FacetteLeaf1Plant3", "WaterLilyFlower1",
          "FacetteLeaf2", "FacetteLeaf2Plant1", "FacetteLeaf3", "FacetteLeaf4",
          "FacetteLeaf4Plant1"},
         2, 90, 0.333, 0.93, 3, 17},
        {"LSystem Kesk 1b",
         {"Plant-25d 3d", "GrowingLeaf2-120", "GrowingLeaf2Branch-120", "GrowingLeaf2Bush-120",
          "GrowingLeaf3", "GrowingLeaf3Branch", "BlueBerryBush1", "BendedCordateLeaf1",
          "CordateLeafPlant1-123", "CordateLeafPlant2-123", "VariableLeaf-124", "LeafPlant1-124",
          "LeafPlant2-124", "TrumpetFlower127", "Umbrella127"},
         4, 22.5, 0.5, 0.95, 6, 14},
        {"LSystem Kesk 1c",
         {"Palm1", "Palm2", "Palm3", "Palm4", "Pine2d", "Pine3d", "Bough1", "BoughTree1",
          "Dandelion2d", "Dandelion3d", "Boll1", "Boll2", "Boll3", "Simple3dCyme", "GaliumOdoratum",
          "Calyx1"},
         1, 30, 0.77, 0.94, 8, 16},
        {"LSystem Famous 2d",
         {"SierpinskiTriangle1", "SierpinskiCarpet1", "SierpinskiTriangle2", "SierpinskiStar1",
          "HilbertCurve2", "LevyDragon1", "Cesaro1", "Glasmeyer1", "CornerTiles1", "SphinxTiles1",
          "Lace1", "TreeBranch1", "TreeBranch2", "SnakeKolam72", "SpiralTiling1", "SpiralTiling2",
          "PenroseTiling1", "ColorPenrose1", "Pentigree", "Pentadentrite", "PentaPlexity",
          "Pentive"},
         15, 120, 0.31, 0.85, 3, 10},
        {"LSystem Test Figures", {"color palette", "thick test", "shape test", "RandomTest2"},
         1, 0, 1, 0, 1, 0},
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

TEST(LibraryData, CategoriesAndEntryNamesInRegistrationOrder) {
    const std::vector<tLSCategory>& library = BuiltInLibrary();
    ASSERT_EQ(library.size(), Expected().size());
    size_t total = 0;
    for (size_t c = 0; c < library.size(); ++c) {
        SCOPED_TRACE(Expected()[c].name);
        EXPECT_EQ(library[c].name, Expected()[c].name);
        std::vector<std::string> names;
        for (const tLSDef& def : library[c].entries) names.push_back(def.name);
        EXPECT_EQ(names, Expected()[c].entries);
        total += library[c].entries.size();
    }
    EXPECT_EQ(total, 131u);
}

TEST(LibraryData, OnlyVariableLeafAppearsTwiceInBookPart3AndKesk1b) {
    std::map<std::string, std::vector<size_t>> categoriesOfName;
    const std::vector<tLSCategory>& library = BuiltInLibrary();
    for (size_t c = 0; c < library.size(); ++c)
        for (const tLSDef& def : library[c].entries) categoriesOfName[def.name].push_back(c);
    for (const auto& [name, categories] : categoriesOfName) {
        if (name == "VariableLeaf-124")
            EXPECT_EQ(categories, (std::vector<size_t>{2, 4}));
        else
            EXPECT_EQ(categories.size(), 1u) << name;
    }
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
        EXPECT_EQ(have->step, want.step);
        EXPECT_NEAR(static_cast<double>(have->factor), static_cast<double>(want.factor), 1e-12);
        EXPECT_EQ(have->thickness, want.thickness);
        EXPECT_EQ(have->deep, want.deep);
        EXPECT_EQ(have->axiom, want.axiom);
        EXPECT_EQ(have->rules, want.rules);
    }
    EXPECT_NEAR(static_cast<double>(Find("color palette")->angle), 1.3953488372093024, 1e-15);
}

TEST(LibraryData, AnglesFactorsAndDepthsStayInTheirCategoryRanges) {
    const std::vector<tLSCategory>& library = BuiltInLibrary();
    for (size_t c = 0; c < library.size(); ++c) {
        const CategoryRule& rule = Expected()[c];
        if (rule.angleHi < rule.angleLo) continue;
        for (const tLSDef& def : library[c].entries) {
            SCOPED_TRACE(def.name);
            const double factor = def.factor == 0 ? 1.0 : static_cast<double>(def.factor);
            EXPECT_GE(def.angle, rule.angleLo);
            EXPECT_LE(def.angle, rule.angleHi);
            EXPECT_GE(factor, rule.factorLo);
            EXPECT_LE(factor, rule.factorHi);
            EXPECT_GE(def.deep, rule.deepLo);
            EXPECT_LE(def.deep, rule.deepHi);
        }
    }
}

TEST(LibraryData, SixtyFourEntriesUseTheDefaultStepAndTwentyFiveDrawCylinders) {
    int defaultStep = 0, cylinders = 0;
    for (const tLSDef* def : AllEntries()) {
        if (def->step == 0) ++defaultStep;
        if (def->thickness > 1) ++cylinders;
        EXPECT_GE(def->step, 0) << def->name;
        EXPECT_GE(def->thickness, 0) << def->name;
    }
    EXPECT_EQ(defaultStep, 64);
    EXPECT_EQ(cylinders, 25);
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
    for (const tLSDef* def : AllEntries()) {
        SCOPED_TRACE(def->name);
        // Longer texts would be cut when an entry is selected.
        EXPECT_LE(def->name.size(), 30u);
        EXPECT_LE(def->info.size(), 76u);
        EXPECT_LE(def->link.size(), 76u);
        EXPECT_FALSE(def->info.empty());
        EXPECT_FALSE(def->link.empty());
        EXPECT_FALSE(def->axiom.empty());
        EXPECT_LE(def->axiom.size(), 76u);
        EXPECT_GT(def->angle, 0);
        EXPECT_LE(def->deep, 65535);
        EXPECT_TRUE(Balanced(def->axiom, '[', ']')) << def->axiom;
        EXPECT_TRUE(Balanced(def->axiom, '{', '}')) << def->axiom;
        EXPECT_GE(def->rules.size(), 1u);
        EXPECT_LE(def->rules.size(), 14u);
        for (const std::string& rule : def->rules) {
            SCOPED_TRACE(rule);
            ASSERT_GE(rule.size(), 2u);
            // A predecessor is a letter: a digit is never rewritten and a command character
            // as predecessor would be a rule split in the wrong place.
            EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(rule[0])));
            EXPECT_TRUE(rule[1] == '=' || rule[1] == ':');
            const std::string successor = rule.substr(2);
            EXPECT_LE(successor.size(), 255u);
            EXPECT_TRUE(Balanced(successor, '[', ']'));
            EXPECT_TRUE(Balanced(successor, '{', '}'));
        }
    }
}

// A derivation without a turtle: it counts what a picture would draw and follows the branch
// stack, taking the first of several alternatives.
class DrawingCount {
public:
    explicit DrawingCount(const tLSDef& def) {
        for (const std::string& rule : def.rules) {
            std::string successor;
            for (char c : rule.substr(2)) successor += c == '"' ? '\'' : c;
            m_successors.emplace(rule[0], successor);
        }
        Walk(def.axiom, def.deep);
    }

    long Draws() const { return m_draws; }
    int MaxNesting() const { return m_maxNesting; }
    int EndNesting() const { return m_nesting; }

private:
    void Walk(const std::string& text, int depth) {
        char operandOf = 0;  // the command whose operand comes next: ~ < > $
        long prefix = -1;
        for (char c : text) {
            if (operandOf) {
                if (operandOf == '~') ++m_draws;
                operandOf = 0;
                continue;
            }
            if (c >= '0' && c <= '9') {
                prefix = (prefix < 0 ? 0 : prefix * 10) + (c - '0');
                continue;
            }
            auto rule = m_successors.find(c);
            if (depth > 0 && rule != m_successors.end()) {
                for (long i = 0; i < (prefix < 0 ? 1 : prefix); ++i) Walk(rule->second, depth - 1);
                prefix = -1;
                continue;
            }
            prefix = -1;
            switch (c) {
                case 'F': case 'G': case '{': ++m_draws; break;
                case '~': case '<': case '>': case '$': operandOf = c; break;
                case '[': m_maxNesting = std::max(m_maxNesting, ++m_nesting); break;
                case ']': --m_nesting; break;
                default: break;
            }
        }
    }

    std::multimap<char, std::string> m_successors;
    long m_draws = 0;
    int m_nesting = 0;
    int m_maxNesting = 0;
};

TEST(LibraryData, EveryEntryDrawsWithinThePartBudgetAndABalancedStack) {
    for (const tLSDef* def : AllEntries()) {
        SCOPED_TRACE(def->name);
        DrawingCount count(*def);
        EXPECT_GT(count.Draws(), 0);
        EXPECT_LE(count.Draws(), 30000);
        // The turtle keeps at most 101 pushed states.
        EXPECT_LE(count.MaxNesting(), 100);
        EXPECT_EQ(count.EndNesting(), 0);
    }
}

}  // namespace
}  // namespace pax
