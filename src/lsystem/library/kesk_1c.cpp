// Our own L-systems, third set: palms, conifers, boughs and trees, dandelions, seed capsules, a
// cyme, sweet woodruff and a calyx.

#include "lsystem/library/library.h"

namespace pax {

namespace {

const char* const Own = "Pax3d collection of L-systems";

}  // namespace

std::vector<tLSDef> Kesk1cEntries() {
    return {
        // The crown is drawn after the whole trunk has been derived, at the trunk's top; 20! ends
        // the cylinders there.
        {"Palm1", "coconut palm: curved tapering trunk, arching feathered fronds and coconuts", Own,
         3, 0, 0.8974, 10, 14, "8+TC",
         {"T=F-?T",
          "C=20!\"[10&R]12/[25&R]12/[15&R]12/[22&R]12/[8&R]12/[18&R]12/[26&R]12/[12&R]12/[20&R]1"
          "2/[5&R]3`[K]", "R=GG[25+12&2G][25-12&2G]3&<SR",
          "K=30&G~S12/[30&G~S]12/[30&G~S]12/[30&G~S]"}},
        {"Palm2", "fan palm: straight trunk crowned by pleated fan leaves on long stalks", Own,
         10, 0, 0.8621, 12, 10, "TC",
         {"T=F?T", "C=20!\"[2&P]4/[5&P]4/[3&P]4/[6&P]4/[2&P]4/[4&P]4/[7&P]4/[3&P]4/[5&P]",
          "P=GGGG&GG&GG3^W", "W=7-ABABABABABABAB", "A={.[&4G.]+[^4g.]}", "B={.[^4G.]+[&4g.]}"}},
        {"Palm3", "palm with a leaning trunk and a crown of feathered fronds", Own,
         2, 0.0, 0.85, 1, 8, "14a\"12b",
         {"a:&~Xf", "b:15\\[16&cL]", "c:c2&", "L:[A][B]", "A:8&{gF[11+15&s.]}A",
          "B:8&{gF[11-15&s.]}B", "s:s^G"}},
        {"Palm4", "date palm: banded trunk, a ball of stiff fronds and hanging orange dates", Own,
         5, 0, 0.8409, 11, 12, "TC",
         {"T=F3\"F3`?T",
          "C=20!\"[R]9/[4&R]9/[8&R]9/[12&R]9/[16&R]9/[20&R]9/[3&R]9/[7&R]9/[11&R]9/[15&R]9/[19&R"
          "]9/[23&R]4`[D][24/D][48/D]", "R=GG[15+3&3G][15-3&3G]<SR",
          "D=26&GG$&GG[3+G~s][3-G~s]G[2+G~s][2-G~s]G~s"}},
        {"Pine2d", "conifer in the plane: drooping tiers of needled branches, smaller upwards", Own,
         10, 0, 0.9085, 8, 12, "T",
         {"T=FF[11+Q][11-Q]?<ST", "Q=20!\"B", "B=G[3+N][3-N]<SB", "N=G"}},
        {"Pine3d", "conifer in space: whorls of five needled branches around a tapering trunk", Own,
         12, 0, 0.9112, 9, 12, "T",
         {"T=FF[8&Q]6/[8&Q]6/[8&Q]6/[8&Q]6/[8&Q]3/?<ST", "Q=20!\"B", "B=G[4+N][4-N][4&N][4^N]<SB",
          "N=G"}},
        {"Bough1", "bough: a heavy branch reaching out and up, twigs with leaves", Own,
         15, 0, 0.8141, 10, 12, "6-16f6+4+B",
         {"B=FFF[3&T]6/FFF[3&T]6/?C", "C=FFF[3&T]6/FFF[3&T]6/?-B", "T=20!GG[3&Q]4/G[3^Q]4/GQ",
          "Q=\"3<SG{.a}", "a=[3+2G.][Gb][3-2G.]", "b=[3+3G.][Gc][3-3G.]", "c=[3+3G.][Gd][3-3G.]",
          "d=[3+2G.][Ge][3-2G.]", "e=[3+G.][G.][3-G.]"}},
        {"BoughTree1", "tree of boughs: a trunk that splits into leafy boughs", Own,
         15, 0, 0.8246, 14, 12, "FF[2&B]8/[3&B]8/[2&B]8/[B]",
         {"B=FF[4+T]3/FF[4-T]3/?^B", "T=20!GG[3&Q]4/G[3^Q]4/GQ", "Q=\"3<SG{.a}",
          "a=[3+2G.][Gb][3-2G.]", "b=[3+3G.][Gc][3-3G.]", "c=[3+3G.][Gd][3-3G.]",
          "d=[3+2G.][Ge][3-2G.]", "e=[3+G.][G.][3-G.]"}},
        {"Dandelion2d", "dandelion in the plane: toothed leaves, a yellow flower and a seed ball",
         Own,
         15, 0, 0.8576, 0, 8, "\"[5+L][5-L][3+L][3-L][S]",
         {"L={.-f+3f[2-f.]2f[2-f.]2f[2-f.]2f|-f+3f[2-f.]2f[2-f.]2f[2-f.]2f}",
          "S=[+FFFFFFFY]-FFFFFFFFFFFZ", "Y=12\"[~L][3+~L][6+~L][9+~L][12+~L][15+~L][18+~L][21+~L]",
          "Z=13\"[X]+[X]+[X]+[X]+[X]+[X]+[X]+[X]+[X]+[X]+[X]+[X]+[X]+[X]+[X]+[X]+[X]+[X]+[X]+[X]"
          "+[X]+[X]+[X]+[X]", "X=4G[+G][-G]"}},
        {"Dandelion3d", "dandelion in space: a sphere of seeds with tufts, a flower and leaves",
         Own,
         15, 0, 0.8576, 0, 8, "\"[4&L]8/[4&L]8/[3&L]8/[4&L]8/[3&L][S]",
         {"L={.-f+3f[2-f.]2f[2-f.]2f[2-f.]2f|-f+3f[2-f.]2f[2-f.]2f[2-f.]2f}",
          "S=[2&FFFFFFY]FFFFFFFFFFFZ", "Y=12\"[~L]4/[2^~L]4/[2^~L]4/[2^~L]4/[2^~L]4/[2^~L]",
          "Z=13\"[X][2&X]4/[2&X]4/[2&X]4/[2&X]4/[2&X]4/[2&X]2/[4&X]4/[4&X]4/[4&X]4/[4&X]4/[4&X]4"
          "/[4&X]2/[6&X]4/[6&X]4/[6&X]4/[6&X]4/[6&X]4/[6&X]2/[8&X]4/[8&X]4/[8&X]4/[8&X]4/[8&X]4/"
          "[8&X]2/[10&X]4/[10&X]4/[10&X]4/[10&X]4/[10&X]4/[10&X]", "X=4G[+G][-G][&G][^G]"}},
        {"Boll1", "cotton plant: open bolls of white fibre in brown husks", Own,
         20, 0, 0.8963, 5, 10, "\"A",
         {"A=F[2&Q]7/F[2&BK]7/<SA", "Q=20!3<SG{.a}",
          "K=`[{.2&f2^f2^f2&f}]7/[{.2&f2^f2^f2&f}]7/[{.2&f2^f2^f2&f}]14\"[~S][&g~S][^g~S][+g~S]["
          "-g~S]", "B=G", "a=[3+2G.][Gb][3-2G.]", "b=[3+3G.][Gc][3-3G.]", "c=[3+3G.][Gd][3-3G.]",
          "d=[3+2G.][Ge][3-2G.]", "e=[3+G.][G.][3-G.]"}},
        {"Boll2", "capsule plant: slender forked stems ending in round seed capsules", Own,
         20, 216, 0.9, 0, 10, "\"A",
         {"A=FF[2&B]9/[2&B]9/[2&B]", "B=FF[2&C]6/[2^C]", "C=FF[2&D]6/[2^D]", "D=FFK",
          "K=2\"5<S~E"}},
        {"Boll3", "cotton shrub: tapering branches with leaves, open and closed bolls", Own,
         20, 0, 0.8552, 8, 10, "A",
         {"A=F[2&Q]7/F[2&BK]7/?A", "B=F[2&Q]7/F[2&H]7/?B", "Q=20!\"G{.a}",
          "K=20!G[{.2&f2^f2^f2&f}]7/[{.2&f2^f2^f2&f}]7/[{.2&f2^f2^f2&f}]14\"[~S][&g~S][^g~S][+g~"
          "S][-g~S]", "H=20!\"G~E", "a=[3+2G.][Gb][3-2G.]", "b=[3+3G.][Gc][3-3G.]",
          "c=[3+3G.][Gd][3-3G.]", "d=[3+2G.][Ge][3-2G.]", "e=[3+G.][G.][3-G.]"}},
        {"Simple3dCyme",
         "cyme in space: each axis ends in a flower, two crossed side axes below it",
         Own,
         25, 152, 0.9, 0, 8, "\"A",
         {"A=F[&Q][^Q]F[GK]<S4/[&B][^B]", "B=F[GK]<S4/[&C][^C]", "C=F[GK]<S4/[&M][^M]",
          "M=F[GK]<S7/&M", "Q=14<SG{.a}", "K=2<S13\"~L13\"~s", "a=[3+2G.][Gb][3-2G.]",
          "b=[3+3G.][Gc][3-3G.]", "c=[3+3G.][Gd][3-3G.]", "d=[3+2G.][Ge][3-2G.]",
          "e=[3+G.][G.][3-G.]"}},
        {"GaliumOdoratum",
         "sweet woodruff: whorls of eight narrow leaves, small white flowers on top",
         Own,
         22.5, 0, 0.855, 0, 9, "\"[AK]4/[&AK]6/[&AK]",
         {"A=FFFW<SA", "K=13\"<S[2&G~l][2^G~l]4/[2&G~l][2^G~l]G~l",
          "W=[3&L]2/[3&L]2/[3&L]2/[3&L]2/[3&L]2/[3&L]2/[3&L]2/[3&L]",
          "L=[\"<S{.-f+2f+f-|-f+2f+f}]"}},
        {"Calyx1", "flower opening from its calyx: green sepals cupping pink petals", Own,
         18, 0, 0.9, 0, 10, "\"AK",
         {"A=FA", "K=2>S[P]4/[P]4/[P]4/[P]4/[P]2/11\"[J]4/[J]4/[J]4/[J]4/[J]12\"~S",
          "P=[2&{.-f+2f+f-|-f+2f+f}]", "J=[3&{.2-f2+2f2+f2-|2-f2+2f2+f}]"}},
    };
}

}  // namespace pax
