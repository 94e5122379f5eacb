#include "lsystem/ls_system.h"

#include <gtest/gtest.h>

#include <string>

#include "lsystem/vl_system.h"
#include "system/exceptions.h"

namespace pax {
namespace {

tLSDef Definition(std::vector<std::string> rules, int32_t deep = 3, std::string axiom = "F") {
    return {"def", "info", "link", 60, 0, 0, 2, deep, std::move(axiom), std::move(rules)};
}

// Step 0 and factor 0 stand for 100 and 1 in a definition, not in a file node; the way back to
// a node writes every rule with "=".
TEST(LSystemConversion, ZerosStandForDefaultsInADefinitionAndRulesGoBackWithEquals) {
    const tLSDef def = Definition({"A:F[+A]", "F=FF", "B:"});
    const tLSystem library = ToLSystem(def);
    EXPECT_EQ(std::make_pair(library.step, library.factor), std::make_pair(100.0L, 1.0L));
    EXPECT_EQ(ToLSystem(ToVLSystem(def)), library);
    const tLSystem kept = ToLSystem(def, ZeroDefaults::Keep);
    EXPECT_EQ(std::make_pair(kept.step, kept.factor), std::make_pair(0.0L, 0.0L));

    tVLSystem node = ToVLSystem(library);
    EXPECT_EQ(node.rules, (std::vector<std::string>{"A=F[+A]", "F=FF", "B="}));
    EXPECT_EQ(std::tie(node.info, node.link, node.thickness, node.deep), std::make_tuple("info", "link", 2.0L, 3));
    EXPECT_EQ(ToLSystem(node), library);
    node.step = 0;
    node.factor = 0;
    for (int i = 0; i < 50; ++i) node.rules.push_back("R=" + std::to_string(i));
    const tLSystem file = ToLSystem(node);   // its first 41 rules
    EXPECT_EQ(std::make_pair(file.step, file.factor), std::make_pair(0.0L, 0.0L));
    EXPECT_EQ(file.rules[40], (tGenerator{'R', "37"}));
}

TEST(LSystemConversion, CutsTextsRoundsThicknessAndSplitsRules) {
    tLSDef def = Definition({"A=" + std::string(300, 'F'), "F:", "B", "", "X=+F&F"});
    def.name = std::string(40, 'n');
    def.info = std::string(80, 'i');
    def.axiom = std::string(90, 'A') + "^";
    for (auto [thickness, rounded] : {std::pair{2.6L, 3.0L}, {2.5L, 2.0L}, {3.5L, 4.0L}, {0.4L, 0.0L}}) {
        def.thickness = thickness;
        EXPECT_EQ(ToLSystem(def).thickness, rounded) << static_cast<double>(thickness);
    }
    const tLSystem s = ToLSystem(def);
    EXPECT_EQ(s.name.size(), LSNameCapacity);
    EXPECT_EQ(s.info.size(), LSTextCapacity);
    EXPECT_EQ(s.axiom, std::string(76, 'A'));
    EXPECT_EQ(s.rules[0], (tGenerator{'A', std::string(255, 'F')}));
    EXPECT_EQ(s.rules[1], (tGenerator{'F', ""}));
    EXPECT_EQ(s.rules[2], (tGenerator{'B', ""}));
    EXPECT_EQ(s.rules[3].symbol, 0);   // an empty text leaves its slot unused
    EXPECT_EQ(s.rules[4].successor, "+F&F");
    EXPECT_TRUE(s.is3d);
    // The axiom is not examined.
    EXPECT_FALSE(ToLSystem(Definition({"F=FF"}, 3, "F&F")).is3d);
}

TEST(LSystemConversion, DeepAndRuleCountOutsideTheirRangesAreRangeErrors) {
    EXPECT_EQ(ToLSystem(Definition({"F=F"}, 65535)).deep, 65535);
    EXPECT_NO_THROW(ToLSystem(Definition(std::vector<std::string>(41, "F=F"))));
    for (int32_t deep : {65536, -1}) {
        try {
            ToLSystem(Definition({"F=F"}, deep));
            ADD_FAILURE() << deep;
        } catch (const ERangeError& error) {
            EXPECT_NE(std::string(error.what()).find("valid range of 0 .. 65535"), std::string::npos);
        }
    }
    EXPECT_THROW(ToLSystem(Definition(std::vector<std::string>(42, "F=F"))), ERangeError);
}

TEST(LSystemConversion, CharactersAreOneBytePerCharacter) {
    EXPECT_EQ(ToCharacterBytes("F\xC2\xA7" "F"), "F\xA7" "F");          // "§" is code 167
    EXPECT_EQ(ToCharacterBytes("\xC2\xB4"), "\xB4");                    // "´" is code 180
    EXPECT_EQ(ToCharacterBytes("\xA7+"), "\xA7+");                      // a Latin-1 byte stays
    EXPECT_EQ(ToCharacterBytes("\xE2\x82\xAC" "F"), "\x1A" "F");        // "€" has no code
    EXPECT_EQ(ToCharacterBytes("\xC0\xAF"), "\xC0\xAF");                // overlong: bytes as they are
    EXPECT_EQ(FromCharacterBytes("F\xA7\xB4"), "F\xC2\xA7\xC2\xB4");
    const tLSystem s = ToLSystem(Definition({"\xC2\xA7=F\xC2\xB4"}));
    EXPECT_EQ(s.rules[0], (tGenerator{'\xA7', "F\xB4"}));
    EXPECT_EQ(ToVLSystem(s).rules[0], "\xC2\xA7=F\xC2\xB4");
}

}  // namespace
}  // namespace pax
