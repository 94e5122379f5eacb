// Our own L-systems, first set: fractal crosses and a carpet of tiles, horns, faceted leaves
// and plants made of them, a water lily.

#include "lsystem/library/library.h"

namespace pax {

namespace {

const char* const Own = "Pax3d collection of L-systems";

}  // namespace

std::vector<tLSDef> Kesk1aEntries() {
    return {
        {"KeskCross1a", "branching cross of crosses, every arm ends in a smaller cross", Own,
         90, 82, 0.5, 0, 5, "4\"98f[X]+[X]+[X]+X",
         {"X=FF[+X][-X]FX", "F=FF"}},
        // Tiles are drawn one generation late: F vanishes at every level but the last, so only the
        // smallest tiles appear; g=ggg keeps a jump as long as the tile of its generation. A tile's
        // colour counts how often its ancestors were arm tiles.
        {"KeskCross1b", "Vicsek cross of filled tiles, colours by generation of the arms", Own,
         90, 480, 0.333, 0, 4, "42f+f-S",
         {"S=[g\"[{.F-F-F-F}]S`][|g|\"[{.F-F-F-F}]S`][+g-\"[{.F-F-F-F}]S`][-g+\"[{.F-F-F-F}]S`]["
          "{.F-F-F-F}]S", "F=", "g=ggg"}},
        {"KeskCarpet1", "carpet of tiles in a saltire pattern: corners and centre of each square",
         Own,
         90, 480, 0.333, 0, 4, "42f+f-S",
         {"S=[g+g-\"[{.F-F-F-F}]S`][g-g+\"[{.F-F-F-F}]S`][|g+g|-\"[{.F-F-F-F}]S`][|g-g|+\"[{.F-F"
          "-F-F}]S`][{.F-F-F-F}]S", "F=", "g=ggg"}},
        {"longHorns", "a pair of long spiralling horns, tapering cylinders", Own,
         2, 185, 0.9, 12, 17, "2f3\"[8+A][8-B]",
         {"A=F2+4/?A", "B=F2-4\\?B"}},
        // A facet is a triangle from a midrib point to a margin point and the next midrib point;
        // f=>Sf lets the older, lower facets grow wider.
        {"FacetteLeaf1", "pleated leaf of triangular facets folded up and down in turn", Own,
         10, 180, 0.9, 0, 12, "\"GGA",
         {"A=[{.[5-2&f.]g.}][{.[5+2&f.]g.}]G<SB", "B=[{.[5-2^f.]g.}][{.[5+2^f.]g.}]G<SA", "f=>Sf"}},
        {"FanLeaf1", "folded fan leaf: a ring of triangular pleats on a long stalk", Own,
         10, 0, 0.7237, 0, 3, "\"FFFFFFW",
         {"W=7-ABABABABABABAB", "A={.[&6G.]+[^6g.]}", "B={.[^6G.]+[&6g.]}"}},
        {"FacetteLeaf1Plant1", "herb with pleated leaves in a spiral, smaller towards the top", Own,
         10, 0, 0.9061, 0, 14, "\"P",
         {"P=F[4&GGA]14/<SP", "F=>SF", "A=[{.[5-2&f.]g.}][{.[5+2&f.]g.}]G<SB",
          "B=[{.[5-2^f.]g.}][{.[5+2^f.]g.}]G<SA", "f=>Sf"}},
        {"FacetteLeaf1Plant2", "rosette of pleated leaves around a stalk with one flower", Own,
         10, 170, 0.9, 0, 14, "\"[R]FFFFFFFFF[K]",
         {"R=[8&GA]14/R", "K=4&6\"~L~S", "A=[{.[5-2&f.]g.}][{.[5+2&f.]g.}]G<SB",
          "B=[{.[5-2^f.]g.}][{.[5+2^f.]g.}]G<SA", "f=>Sf"}},
        {"FacetteLeaf1Plant3", "small tree of tapering branches carrying pleated leaves", Own,
         10, 0, 0.8321, 14, 12, "T",
         {"T=F[4&C]14/F[4&C]14/?T", "C=!F[4&Q][4^Q]!F[3&Q][3^Q]F[Q]", "Q=20!\"GGA", "F=>SF",
          "A=[{.[5-2&f.]g.}][{.[5+2&f.]g.}]G<SB", "B=[{.[5-2^f.]g.}][{.[5+2^f.]g.}]G<SA", "f=>Sf"}},
        // The pad is a fan polygon of 34 sides around the flower's foot, open by 20 degrees; the
        // whole flower leans towards the eye.
        {"WaterLilyFlower1",
         "water lily: white and pink petals in three rings on a round floating leaf",
         Own,
         10, 0, 0.6156, 0, 3, "10f5^[9&D]W",
         {"D=\"[{.11f9+PP2f+2f+}]", "P=2f+2f+2f+2f+2f+2f+2f+2f+2f+2f+2f+2f+2f+2f+2f+2f",
          "W=[X]2/[Y]2/[Z]2/[13\"~S]",
          "X=14\"[7&L]4/[7&L]4/[7&L]4/[7&L]4/[7&L]4/[7&L]4/[7&L]4/[7&L]4/[7&L]",
          "Y=12\"[5&L]4/[5&L]4/[5&L]4/[5&L]4/[5&L]4/[5&L]4/[5&L]4/[5&L]4/[5&L]",
          "Z=11\"[3&L]4/[3&L]4/[3&L]4/[3&L]4/[3&L]4/[3&L]4/[3&L]4/[3&L]4/[3&L]",
          "L={.2-f+2f+3f+2f+f|4-f+2f+3f+2f+f}"}},
        // One rule per vein pair: the lateral lengths 2 3 4 4 4 3 2 1 give the outline.
        {"FacetteLeaf2", "elliptic leaf, quads between lateral veins pleated up and down", Own,
         10, 0, 0.9055, 0, 8, "\"GGA",
         {"A=[{.[5+2&2G.]g[5+2^3g.].}][{.[5-2&2G.]g[5-2^3g.].}]GB",
          "B=[{.[5+2^3G.]g[5+2&4g.].}][{.[5-2^3G.]g[5-2&4g.].}]GC",
          "C=[{.[5+2&4G.]g[5+2^4g.].}][{.[5-2&4G.]g[5-2^4g.].}]GD",
          "D=[{.[5+2^4G.]g[5+2&4g.].}][{.[5-2^4G.]g[5-2&4g.].}]GE",
          "E=[{.[5+2&4G.]g[5+2^3g.].}][{.[5-2&4G.]g[5-2^3g.].}]GH",
          "H=[{.[5+2^3G.]g[5+2&2g.].}][{.[5-2^3G.]g[5-2&2g.].}]GI",
          "I=[{.[5+2&2G.]g[5+2^1g.].}][{.[5-2&2G.]g[5-2^1g.].}]GJ",
          "J=[{.[5+2^1G.]g[5+2&0g.].}][{.[5-2^1G.]g[5-2&0g.].}]G"}},
        {"FacetteLeaf2Plant1", "shrub with a tapering stem and pleated elliptic leaves", Own,
         10, 0, 0.9025, 6, 14, "P",
         {"P=F[5&Q]14/?<SP", "Q=20!\"GGA", "F=>SF",
          "A=[{.[5+2&2G.]g[5+2^3g.].}][{.[5-2&2G.]g[5-2^3g.].}]GB",
          "B=[{.[5+2^3G.]g[5+2&4g.].}][{.[5-2^3G.]g[5-2&4g.].}]GC",
          "C=[{.[5+2&4G.]g[5+2^4g.].}][{.[5-2&4G.]g[5-2^4g.].}]GD",
          "D=[{.[5+2^4G.]g[5+2&4g.].}][{.[5-2^4G.]g[5-2&4g.].}]GE",
          "E=[{.[5+2&4G.]g[5+2^3g.].}][{.[5-2&4G.]g[5-2^3g.].}]GH",
          "H=[{.[5+2^3G.]g[5+2&2g.].}][{.[5-2^3G.]g[5-2&2g.].}]GI",
          "I=[{.[5+2&2G.]g[5+2^1g.].}][{.[5-2&2G.]g[5-2^1g.].}]GJ",
          "J=[{.[5+2^1G.]g[5+2&0g.].}][{.[5-2^1G.]g[5-2&0g.].}]G"}},
        {"FacetteLeaf3", "palmate leaf of five lobes, each folded along its vein", Own,
         10, 0, 0.6897, 0, 3, "\"GGGGGGW",
         {"W=[6-X]3-[3-V]3+[U]3+[3+V]3+[6+X]", "U=[{.[3+2&3f]7f}][{.[3-2&3f]7f}]7G",
          "V=[{.[3+2&3f]6f}][{.[3-2&3f]6f}]6G", "X=[{.[3+2&2f]4f}][{.[3-2&2f]4f}]4G"}},
        {"FacetteLeaf4", "long twisted strap leaf of quad facets, tapering and bending", Own,
         10, 375, 0.9, 0, 16, "\"A",
         {"A=[9+f9-{.9-2f9+f9+2f}]f2/&<SA"}},
        {"FacetteLeaf4Plant1", "tuft of twisted strap leaves around a flowering stalk", Own,
         10, 240, 0.9, 0, 14, "\"[2&A]5/[4&A]5/[3&A]5/[5&A]5/[2&A]5/[4&A]5/[3&A]FFFFFFF[K]",
         {"A=[9+f9-{.9-2f9+f9+2f}]f2/&<SA", "K=12\"~L"}},
    };
}

}  // namespace pax
