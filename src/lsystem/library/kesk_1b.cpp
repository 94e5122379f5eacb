// Our own L-systems, second set: growing and cordate leaves and the plants built from them, a
// blueberry bush, a trumpet-flowered shrub and an umbrella plant.

#include "lsystem/library/library.h"

namespace pax {

namespace {

const char* const Own = "Pax3d collection of L-systems";

}  // namespace

std::vector<tLSDef> Kesk1bEntries() {
    return {
        {"Plant-25d 3d", "the plant of ABOP fig.1.24d grown in space, branches in three directions",
         Own,
         20, 0, 0.5722, 4, 7, "\"X",
         {"X=F[2&!X]6/F[2&!X]6/&!X", "F=FF"}},
        // Leaf blades are one polygon: the left vein tips upwards, then the right ones downwards,
        // because the rest of the blade is derived between the two.
        {"GrowingLeaf2-120", "growing leaf folded along its midrib, polygon through the vein tips",
         Own,
         18, 0, 0.8896, 0, 12, "\"GG{.A}",
         {"A=<S[3+&B.][GA][3-&B.]", "B=GC", "C=GD", "D=G", "G=>SG"}},
        {"GrowingLeaf2Branch-120", "branch with alternate folded leaves, older leaves larger", Own,
         18, 0, 0.9112, 6, 12, "P",
         {"P=F[3&Q]8/?<SP", "Q=20!\"GG{.a}", "F=>SF", "a=[3+&2G.][Gb][3-&2G.]",
          "b=[3+&3G.][Gc][3-&3G.]", "c=[3+&3G.][Gd][3-&3G.]", "d=[3+&2G.][Ge][3-&2G.]",
          "e=[3+&G.][G.][3-&G.]"}},
        {"GrowingLeaf2Bush-120", "bush of leafy branches from one root", Own,
         18, 0, 0.9078, 8, 11, "[&P]7/[2&P]7/[P]7/[&P]7/[2&P]",
         {"P=F[3&Q]8/?<SP", "Q=20!\"GG{.a}", "F=>SF", "a=[3+&2G.][Gb][3-&2G.]",
          "b=[3+&3G.][Gc][3-&3G.]", "c=[3+&3G.][Gd][3-&3G.]", "d=[3+&2G.][Ge][3-&2G.]",
          "e=[3+&G.][G.][3-&G.]"}},
        {"GrowingLeaf3", "growing leaf with a toothed margin", Own,
         18, 0, 0.8896, 0, 12, "\"GG{.A}",
         {"A=[3+B.][g3+<SB.][GA][g3-B.]>S[3-B.]", "B=GC", "C=GD", "D=G", "G=>SG"}},
        {"GrowingLeaf3Branch", "branch with pairs of toothed leaves, pairs crossed", Own,
         18, 0, 0.9112, 6, 12, "P",
         {"P=F[3&Q][3^Q]5/?<SP", "Q=20!\"GG{.a}", "F=>SF", "a=[3+2G.][g3+G.][Gb][g3-G.][3-2G.]",
          "b=[3+3G.][g3+2G.][Gc][g3-2G.][3-3G.]", "c=[3+3G.][g3+2G.][Gd][g3-2G.][3-3G.]",
          "d=[3+2G.][g3+G.][Ge][g3-G.][3-2G.]", "e=[3+G.][G.][3-G.]"}},
        {"BlueBerryBush1", "bush of thin stems with small leaves and clusters of blue berries", Own,
         22.5, 0, 0.8552, 4, 10, "[&S]5/[2&S]3/[&S]7/[S]4/[2&S]",
         {"S=F[2&L]4/F[2^L]3/!T", "T=F[2&L]4/[&S]F[2^B]3/!S", "L=20!\"[{.-f+f+f-|-f+f+f}]",
          "B=20!8\"G[~S][&G~S][^G~S]/[&G~S]"}},
        {"BendedCordateLeaf1", "cordate leaf whose two halves bend back, a cupped heart", Own,
         14, 0, 0.91, 0, 14, "\"GGGGG[A][B]",
         {"A=[+A{.]&.C.}", "B=[-B{.]&.C.}", "C=GC"}},
        {"CordateLeafPlant1-123",
         "violet: heart-shaped leaves on long stalks and small violet flowers",
         Own,
         15, 0, 0.8962, 0, 12, "\"R",
         {"R=[4&8GH]9/[3&10GK]9/R", "K=2&8\"~L12\"~s", "H=[A][B]", "A=[+A{.].C.}", "B=[-B{.].C.}",
          "C=GC"}},
        {"CordateLeafPlant2-123", "climbing vine winding upwards with heart-shaped leaves", Own,
         15, 0, 0.8817, 5, 14, "V",
         {"V=F+3/[5&Q]F-3/[5^Q]?V", "Q=20!\"GGH", "H=[A][B]", "A=[+A{.].C.}", "B=[-B{.].C.}",
          "C=GC"}},
        {"VariableLeaf-124", "three leaf shapes from one scheme: ovate, lanceolate, round", Own,
         12, 0, 0.8672, 0, 10, "\"[6+GGA]GGGB[6-GGC]",
         {"A={.D}", "D=<S[4+I.][GD][4-I.]", "I=GJ", "J=GK", "K=G", "B={.E}", "E=<S[5+I.][GE][5-I.]",
          "C={.H}", "H=<S[7+2I.][GH][7-2I.]", "G=>SG"}},
        {"LeafPlant1-124", "rosette of ovate leaves around a flowering spike", Own,
         12, 0, 0.9398, 0, 12, "\"[R]GGGU",
         {"R=[4&GGGQ]11/[3&GGGQ]11/<SR", "Q=\"{.a}", "U=G[4&K]11/[4&K]11/<SU", "K=12\"~S",
          "a=[3+2G.][Gb][3-2G.]", "b=[3+3G.][Gc][3-3G.]", "c=[3+3G.][Gd][3-3G.]",
          "d=[3+2G.][Ge][3-2G.]", "e=[3+G.][G.][3-G.]"}},
        {"LeafPlant2-124", "small tree of tapering branches carrying ovate leaves", Own,
         12, 0, 0.8299, 8, 11, "T",
         {"T=F[3&B]11/F[3&B]11/?T", "B=F[4&Q]8/?F[4^Q]8/?B", "Q=20!\"G{.a}", "F=>SF",
          "a=[3+2G.][Gb][3-2G.]", "b=[3+3G.][Gc][3-3G.]", "c=[3+3G.][Gd][3-3G.]",
          "d=[3+2G.][Ge][3-2G.]", "e=[3+G.][G.][3-G.]"}},
        {"TrumpetFlower127", "shrub with hanging trumpet flowers, orange funnels of five petals",
         Own,
         18, 0, 0.8552, 6, 10, "\"P",
         {"P=F[3&L]4/F[3&Q]4/?<SP", "Q=20!GGGK", "L=\"[{.-2f+4f+2f-|-2f+4f+2f}]", "K=$&3\"J",
          "J=[W]4/[W]4/[W]4/[W]4/[W]", "W=&{.[2+4f][2-4f]}", "F=>SF"}},
        {"Umbrella127", "umbrella plant: tall stems crowned by whorls of drooping narrow leaves",
         Own,
         15, 0, 0.8189, 5, 8, "\"[U]4/[2&U]8/[2&U]8/[2&U]",
         {"U=FFFFFFFFW",
          "W=[5&N]2/[5&N]2/[5&N]2/[5&N]2/[5&N]2/[5&N]2/[5&N]2/[5&N]2/[5&N]2/[5&N]2/[5&N]2/[5&N]",
          "N=[{.2-f2+3f2+f2-|2-f2+3f2+f}]5f&[{.2-f2+3f2+f2-|2-f2+3f2+f}]5f&[{.2-f2+2f2+f2-|2-f2+"
          "2f2+f}]", "F=>SF"}},
    };
}

}  // namespace pax
