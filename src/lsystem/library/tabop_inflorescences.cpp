// "The Algorithmic Beauty of Plants", chapters 3 to 5: cymes, thyrsi, panicles, umbels and
// spikes, planar phyllotaxis, leaves drawn as polygons, and compound leaves.

#include "lsystem/library/library.h"

namespace pax {

namespace {

const char* const Book =
    "The Algorithmic Beauty of Plants, P. Prusinkiewicz and A. Lindenmayer, 1990";

}  // namespace

// The book's inflorescences are parametric; here a bud (~s) marks every young flower, and a
// flower symbol only opens (~L, ~l) when at least one generation is left to expand it. F=>SF
// makes an internode longer for every generation it has existed, <S in an apex makes the
// younger organs above it smaller.
std::vector<tLSDef> TabopPart3Entries() {
    return {
        {"SimpleCymes-83a", "ABOP p.83: dichasial cyme, each axis ends in a flower", Book,
         30, 0, 0.9257, 0, 6, "\"A",
         {"A=F[G~sK]<S[+A][-A]", "F=>SF", "K=<S11\"~L3`~s"}},
        {"SimpleCymes-83b", "ABOP p.83: scorpioid cyme, flowers on alternating sides", Book,
         25, 0, 0.9171, 0, 9, "\"A",
         {"A=F[-G~sK]<S+B", "B=F[+G~sK]<S-A", "F=>SF", "K=7\"~L5\"~s"}},
        {"SimpleCymes-83c", "ABOP p.83: helicoid cyme in space, flowers on one side", Book,
         25, 0, 0.9159, 0, 10, "\"A",
         {"A=F[&G~sK]<S^4/A", "F=>SF", "K=12\"~L~s"}},
        {"ThyrsusSpiral-85a", "ABOP p.85: thyrsus, lateral cymes in a spiral", Book,
         22.5, 0, 0.9298, 0, 8, "\"A",
         {"A=F[3&C]6/<SA", "C=G[G~sK]<S[+D][-D]", "D=G[G~sK]<S[+E][-E]", "E=G~sK", "F=>SF",
          "K=<S5\"~L"}},
        {"ThyrsusZigZag-85b", "ABOP p.85: thyrsus, lateral cymes alternating in a plane", Book,
         30, 0, 0.8451, 0, 7, "\"A",
         {"A=F[+C]F[-C]<SA", "C=G[G~sK]<S[+D][-D]", "D=G[G~sK]<S[+E][-E]", "E=G~sK", "F=>SF",
          "K=<S11\"~L"}},
        {"ThyrsusDouble-85c", "ABOP p.85: thyrsus with opposite lateral cymes, crossed pairs", Book,
         22.5, 0, 0.9358, 0, 7, "\"A",
         {"A=F[3&C][3^C]4/<SA", "C=G[G~sK]<S[+D][-D]", "D=G[G~sK]<S[+E][-E]", "E=G~sK", "F=>SF",
          "K=<S8\"~L"}},
        {"ThyrsusDouble-85d", "ABOP p.85: double thyrsus, opposite cymes of cymes", Book,
         22.5, 0, 0.9288, 0, 7, "\"A",
         {"A=F[3&T][3^T]4/<SA", "T=G[2&C][2^C]4/<SU", "U=G[2&C][2^C]4/<SC", "C=G[G~sK]<S[+E][-E]",
          "E=G~sK", "F=>SF", "K=3<S12\"~L"}},
        {"Panicle-87a", "ABOP p.87: panicle, lateral racemes longer towards the base", Book,
         22.5, 0, 0.9258, 0, 8, "\"A",
         {"A=F[3&R]6/<SA", "R=F[&G~sK]4/R", "F=>SF", "K=13\"~l"}},
        {"Panicle-87b", "ABOP p.87: planar panicle of racemes", Book,
         30, 0, 0.8266, 0, 8, "\"A",
         {"A=F[+R]F[-R]<SA", "R=F[+G~sK]F[-G~sK]R", "F=>SF", "K=12\"~L"}},
        {"Lilac-93", "ABOP p.93: lilac, a panicle of crossed opposite branches", Book,
         22.5, 0, 0.921, 0, 8, "\"A",
         {"A=F[3&R][3^R]4/<SA", "R=F[2&GK][2^GK]4/<SR", "F=>SF", "K=5\"~l"}},
        {"Umbel-95", "ABOP p.95: compound umbel, rays from one point carrying umbellets", Book,
         22.5, 600, 0.5, 0, 5, "\"FFFFFFFFU",
         {"U=[3&R]2/[3&R]2/[3&R]2/[3&R]2/[3&R]2/[3&R]2/[3&R]2/[3&R]2/[R]", "R=FFFFFFFV",
          "V=[2&GK]4/[2&GK]4/[2&GK]4/[2&GK][GK]", "K=13\"~S", "F=>SF"}},
        {"RacemesSpike-97a", "ABOP p.97: spike, sessile flowers on an elongated axis", Book,
         22.5, 0, 0.9363, 0, 14, "\"FFFFA",
         {"A=F[2&K]6/[2&K]6/<SA", "K=2>SG8\"~e"}},
        {"Phyllotaxis-100", "ABOP p.100, fig.4.2: planar phyllotaxis, Vogel's divergence angle",
         Book,
         137.5, 55, 0.99, 0, 444, "A",
         {"A:*+x~2A", "x:gx"}},
        {"GrowingLeaf-120", "ABOP p.120: growing leaf blade, a polygon through the vein tips", Book,
         45, 0, 0.8865, 0, 10, "\"GG{.A}",
         {"A=<S[+3G.][GA][-3G.]", "G=>SG"}},
        {"CordateLeaf-123", "ABOP p.123, fig.5.5: cordate leaf", Book,
         10, 0, 0.9214, 0, 20, "\"GGGGG[A][B]",
         {"A=[+A{.].C.}", "B=[-B{.].C.}", "C=GC"}},
        {"VariableLeaf-124", "ABOP p.124: leaf shape from midrib and lateral growth rates", Book,
         60, 0, 0.8625, 0, 12, "\"GG[{.A.}]",
         {"A=G[-B.][A][+B.]", "B=GC", "C=GD", "D=G", "G=>SG"}},
        {"NestedPolygons-127", "ABOP p.127: leaves and petals built of nested polygons", Book,
         18, 0, 0.8752, 0, 8, "\"A",
         {"A=F[3&L]4/[3&L]4/A", "L=[{.-f+f[\"{.-f+f.+f-|-f+f.}]+f-|-f+f+f}]", "f=>Sf", "F=>SF"}},
        {"LilyOfTheValley-127", "ABOP p.127: lily of the valley, white bells on an arching stalk",
         Book,
         15, 0, 0.9502, 0, 10, "\"[+L][-L]A",
         {"A=F+[G$&GK]<SA", "F=>SF", "K=13\"~O", "L=[\"{.2-f+f+2f+f+f|4-f+f+2f+f+f}]"}},
        {"LilyOfTheValley-128", "ABOP p.128: lily of the valley, shoot with leaves and two racemes",
         Book,
         15, 0, 0.9502, 0, 10, "\"[+L][-L]12/[A]6/[2^A]",
         {"A=F+[G$&GK]<SA", "F=>SF", "K=13\"~O", "L=[\"{.2-f+f+2f+f+f|4-f+f+2f+f+f}]"}},
        {"CompoundLeaf-129", "ABOP p.129: compound leaf, alternate leaflets", Book,
         45, 0, 0.8523, 0, 10, "\"A",
         {"A=G[+L]G[-L]<SA", "G=>SG", "L=[\"{.-f+f+f-|-f+f+f.}]", "f=>Sf"}},
        {"CompoundLeaf-130", "ABOP p.130: doubly compound leaf, opposite leaflets", Book,
         40, 0, 0.9128, 0, 8, "\"A",
         {"A=G[+B][-B]<SA", "B=G[+L][-L]<SB", "G=>SG", "L=[\"{.-f+f+f-|-f+f+f.}]", "f=>Sf"}},
    };
}

}  // namespace pax
