// "The Algorithmic Beauty of Plants", chapters 1 and 3: bracketed plant models, the flowering
// plant, the stochastic plant, and the racemes of the developmental models.

#include "lsystem/library/library.h"

namespace pax {

namespace {

const char* const Book =
    "The Algorithmic Beauty of Plants, P. Prusinkiewicz and A. Lindenmayer, 1990";

}  // namespace

// Colour indices: 1 brown, 2 and 3 greens, 5 orange, 6 red, 7 violet, 13 pink, 14 yellow,
// 15 white; a double quote steps forward, a grave accent back. Symbols with a rule that
// only repeat themselves after a size change (f=>Sf) make older organs bigger: the change is
// applied once per generation still to come.
std::vector<tLSDef> TabopPart2Entries() {
    return {
        {"Plant-24", "ABOP p.24: turtle interpretation of a bracketed string, an axial tree", Book,
         22.5, 150, 0.9, 0, 1, "\"F",
         {"F=F[+F][-F[-F]F]F[+F][-F]"}},
        {"Plant-25a", "ABOP p.25, fig.1.24a: bracketed OL-system, edge rewriting", Book,
         25.7, 500, 0.33333, 0, 5, "\"F",
         {"F=F[+F]F[-F]F"}},
        {"Plant-25b", "ABOP p.25, fig.1.24b: bracketed OL-system, edge rewriting", Book,
         20, 250, 0.5, 0, 5, "\"F",
         {"F=F[+F]F[-F][F]"}},
        {"Plant-25c", "ABOP p.25, fig.1.24c: bracketed OL-system, edge rewriting", Book,
         22.5, 145, 0.5, 0, 4, "\"3g+1g-F",
         {"F=FF-[-F+F+F]+[+F-F-F]"}},
        {"Plant-25d", "ABOP p.25, fig.1.24d: bracketed OL-system, node rewriting", Book,
         20, 257, 0.5, 0, 7, "\"X",
         {"X=F[+X]F[-X]+X", "F=FF"}},
        {"Plant-25e", "ABOP p.25, fig.1.24e: bracketed OL-system, node rewriting", Book,
         25.7, 252, 0.5, 0, 7, "\"X",
         {"X=F[+X][-X]FX", "F=FF"}},
        {"Plant-25f", "ABOP p.25, fig.1.24f: bracketed OL-system, node rewriting", Book,
         22.5, 170, 0.5, 0, 5, "\"-16g+X",
         {"X=F-[[X]+X]+F[+FX]-X", "F=FF"}},
        {"Plant-26", "ABOP p.26, fig.1.25: three-dimensional bush-like structure with leaves", Book,
         22.5, 0, 0.7437, 5, 7, "A",
         {"A=[&FL!A]/////[&FL!A]///////[&FL!A]", "F=S/////F", "S=FL", "L=[\"^^{-f+f+f-|-f+f+f}]"}},
        {"Plant-27", "ABOP p.27, fig.1.26: flowering plant with leaves and five-petalled flowers",
         Book,
         18, 12, 0.94, 0, 5, "\"P",
         {"P=I+[P+K]--//[--L]I[++L]-[PK]++PK", "I=FS[//&&L][//^^L]FS", "S=SFS",
          "L=[\"{+f-ff-f+|+f-ff-f}]", "K=[&&&D5\"/W////W////W////W////W]", "D=FF",
          "W=[7\"^F][{&&&&-f+f|-f+f}]"}},
        {"StochasticPlant-28", "ABOP p.28, fig.1.27: stochastic branching, three rules for F", Book,
         30, 350, 0.54, 0, 5, "F",
         {"F:F[+F]F[-F]F", "F:F[+F]F", "F:F[-F]F"}},
        {"SingleFlower-65", "ABOP p.65: a stem with four leaf pairs growing to a single flower",
         Book,
         18, 0, 0.8394, 0, 10, "\"A",
         {"A=F[4&L][4^L]5/B", "B=F[4&L][4^L]5/C", "C=FF[3&L][3^L]5/D", "D=FFK", "F=>SF", "f=>Sf",
          "L=[\"{-f+f+f-|-f+f+f}]", "K=[~o]4\"[P]4/[P]4/[P]4/[P]4/[P]8\"~s",
          "P=[3&{.2-2f2+3f2+2f2-|2-2f2+3f2+2f}]"}},
        {"ElongatedRacemes-72a", "ABOP p.72: elongated raceme, flowers open from the base up", Book,
         22.5, 0, 0.9, 0, 10, "\"A",
         {"A=F[&&&GG~sK]6/<SA", "F=>SF", "K=4&11\"~L"}},
        {"PlanarRacemes-72b", "ABOP p.72: planar raceme, lateral flowers on alternating sides",
         Book,
         30, 0, 0.851, 0, 8, "\"A",
         {"A=F[+GG~sK]F[-GG~sK]<SA", "F=>SF", "K=11\"~L"}},
        {"ElongatedRacemes-79a", "ABOP p.79: raceme with leaves below, flowers on long pedicels",
         Book,
         20, 0, 0.8684, 0, 12, "\"A",
         {"A=F[&&L]7/F[&&L]7/B", "B=F[3&GGG~sK]7/<SB", "F=>SF", "f=>Sf", "L=[\"{-f+f+f-|-f+f+f}]",
          "K=4&12\"~L"}},
        {"ElongatedRacemes-79b", "ABOP p.79: compound raceme, lateral racemes of flowers", Book,
         45, 0, 0.8145, 0, 8, "\"A",
         {"A=F[&R]3/F[&R]3/<SA", "R=F[&G~sK]3/<SR", "F=>SF", "K=2&13\"~L"}},
    };
}

}  // namespace pax
