// "The Algorithmic Beauty of Plants", chapter 1: the fractal curves of the turtle interpretation,
// edge and node rewriting, and the three-dimensional Hilbert curve.

#include "lsystem/library/library.h"

namespace pax {

namespace {

const char* const Book =
    "The Algorithmic Beauty of Plants, P. Prusinkiewicz and A. Lindenmayer, 1990";

}  // namespace

std::vector<tLSDef> TabopPart1Entries() {
    return {
        {"KochSnowflake-2", "ABOP p.2, fig.1.1: Koch snowflake", Book,
         60, 400, 0.33333, 0, 3, "F--F--F",
         {"F=F+F--F+F"}},
        // The cells are drawn by the successors: F and f vanish at every level but the last, so
        // only the newest generation of the filament is outlined. A polarity arrow in each cell.
        {"Anabaena-5", "ABOP p.5, fig.1.3: filament of Anabaena catenula, cells with polarity",
         Book,
         45, 30, 0.85, 0, 5, "17g2+21g4+A",
         {"A=[\"4F2+2F2+4F2+2F`][\"2+f2-f2F3+F`]4fB[2\"2F2+2F2+2F2+2F2`][2\"2+f2-2F3+F2`]2fC",
          "B=[2\"2F2+2F2+2F2+2F2`][2\"2+f2-2f4+2F3-F2`]2fD[\"4F2+2F2+4F2+2F`][\"2+f2-3f4+2F3-F`]"
          "4fA", "C=[\"4F2+2F2+4F2+2F`][\"2+f2-f2F3+F`]4fA",
          "D=[\"4F2+2F2+4F2+2F`][\"2+f2-3f4+2F3-F`]4fB", "F=", "f="}},
        {"KochIsland-8", "ABOP p.8, fig.1.6: quadratic Koch island", Book,
         90, 300, 0.25, 0, 3, "21g+32g-F-F-F-F",
         {"F=F-F+F+FF-F-F+F"}},
        {"KochIsland-9a", "ABOP p.9, fig.1.7a: quadratic Koch island of 18-segment edges", Book,
         90, 300, 0.16667, 0, 2, "12g+18g-F-F-F-F",
         {"F=F+FF-FF-F-F+F+FF-F-F+F+FF+FF-F"}},
        {"CrossCurve-9b", "ABOP p.9, fig.1.7b: quadratic snowflake edges around a square, a cross",
         Book,
         90, 400, 0.33333, 0, 4, "10g-40g+F+F+F+F",
         {"F=F+F-F-F+F"}},
        {"IslandsAndLakes-9c", "ABOP p.9, fig.1.8: combination of islands and lakes", Book,
         90, 300, 0.16667, 0, 2, "12g-18g+F+F+F+F",
         {"F=F+f-FF+F+FF+Ff+FF-f+FF-F-FF-Ff-FFF", "f=ffffff"}},
        {"KochCurve-10a", "ABOP p.10, fig.1.9a: Koch curve F->FF-F-F-F-F-F+F", Book,
         90, 300, 0.31623, 0, 4, "117g+62g-F-F-F-F",
         {"F=FF-F-F-F-F-F+F"}},
        {"KochCurve-10b", "ABOP p.10, fig.1.9b: Koch curve F->FF-F-F-F-FF", Book,
         90, 400, 0.33333, 0, 4, "10g+40g-F-F-F-F",
         {"F=FF-F-F-F-FF"}},
        {"KochCurve-10c", "ABOP p.10, fig.1.9c: Koch curve F->FF-F+F-F-FF", Book,
         90, 270, 0.44721, 0, 3, "17g-3g+F-F-F-F",
         {"F=FF-F+F-F-FF"}},
        {"KochCurve-10d", "ABOP p.10, fig.1.9d: Koch curve F->FF-F--F-F", Book,
         90, 400, 0.33333, 0, 4, "10g+40g-F-F-F-F",
         {"F=FF-F--F-F"}},
        {"KochCurve-10e", "ABOP p.10, fig.1.9e: Koch curve F->F-FF--F-F", Book,
         90, 300, 0.44721, 0, 5, "86g+2g-F-F-F-F",
         {"F=F-FF--F-F"}},
        {"KochCurve-10f", "ABOP p.10, fig.1.9f: Koch curve F->F-F+F-F-F", Book,
         90, 300, 0.44721, 0, 4, "8g+12g-F-F-F-F",
         {"F=F-F+F-F-F"}},
        {"DragonCurve-11a", "ABOP p.11, fig.1.10a: dragon curve by edge rewriting", Book,
         90, 380, 0.70711, 0, 9, "7g-5g+F",
         {"F=F+G+", "G=-F-G"}},
        {"SierpinskiGasket-11b", "ABOP p.11, fig.1.10b: Sierpinski gasket by edge rewriting", Book,
         60, 400, 0.5, 0, 6, "8g--16g+16g+G",
         {"F=G+F+G", "G=F-G-F"}},
        {"HexagonalGosper-12a", "ABOP p.12, fig.1.11a: hexagonal Gosper curve", Book,
         60, 400, 0.37796, 0, 4, "39g--15g+15g+F",
         {"F=F+G++G-F--FF-G+", "G=-F+GG++G+F--F-G"}},
        {"QuadraticGosper-12b", "ABOP p.12, fig.1.11b: quadratic Gosper curve", Book,
         90, 400, 0.2, 0, 2, "3g+12g--G",
         {"F=FF-G-G+F+F-G-GF+G+FFG-F+G+FF+G-FG-G-F+F+GG-",
          "G=+FF-G-G+F+FG+F-GG-F-G+FGG-F-GF+F+G-G-F+F+GG"}},
        // Node rewriting: F only joins the nodes and vanishes before each new generation; the L
        // tiles are lighter than the R tiles, so the recursive 5 x 5 tiling shows.
        {"ECurve-13", "ABOP p.13: the E-curve by node rewriting, its L and R tiles coloured", Book,
         90, 400, 0.2, 0, 2, "3g+12g--FR",
         {"L=2\"FLFL-FR-FR+FL+FL-FR-FRFL+FR+FLFLFR-FL+FR+FLFL+FR-FLFR-FR-FL+FL+FRFR-2`",
          "R=+FLFL-FR-FR+FL+FLFR+FL-FRFR-FL-FR+FLFRFR-FL-FRFL+FL+FR-FR-FL+FL+FRFR", "F="}},
        {"HilbertCurve-15", "ABOP p.15, fig.1.13: Hilbert curve by node rewriting", Book,
         90, 440, 0.5, 0, 5, "3g-16g+L",
         {"L=+RF-LFL-FR+", "R=-LF+RFR+FL-"}},
        {"FassCurve-17a", "ABOP p.17, fig.1.16a: FASS curve on a 3 x 3 grid", Book,
         90, 420, 0.33333, 0, 3, "3g+13g--L",
         {"L=LF+RFR+FL-F-LFLFL-FRFR+", "R=-LFLF+RFRFR+F+RF-LFL-FR"}},
        {"FassCurve-17b", "ABOP p.17, fig.1.16b: FASS curve on a 4 x 4 grid", Book,
         90, 420, 0.25, 0, 3, "7g+31g--L",
         {"L=LFLF+RFR+FLFL-FRF-LFL-FR+F+RF-LFL-FRFRFR+",
          "R=-LFLFLF+RFR+FL-F-LF+RFR+FLF+RFRF-LFL-FRFR"}},
        {"FassCurve-17c", "ABOP p.17, fig.1.16c: Peano curve, a FASS curve of node rewriting", Book,
         90, 420, 0.33333, 0, 3, "3g+13g-L",
         {"L=LFRFL-F-RFLFR+F+LFRFL", "R=RFLFR+F+LFRFL-F-RFLFR"}},
        {"FassCurve-17d", "ABOP p.17, fig.1.16d: FASS curve on a 5 x 5 grid, switch-back rows",
         Book,
         90, 420, 0.2, 0, 2, "3g+12g-L",
         {"L=LFRFLFRFL-F-RFLFRFLFR+F+LFRFLFRFL-F-RFLFRFLFR+F+LFRFLFRFL",
          "R=RFLFRFLFR+F+LFRFLFRFL-F-RFLFRFLFR+F+LFRFLFRFL-F-RFLFRFLFR"}},
        {"Hilbert3dCurve-20", "ABOP p.20, fig.1.19: three-dimensional Hilbert curve", Book,
         90, 400, 0.5, 0, 3, "2g+4g-A",
         {"A=B-F+CFC+F-D&F^D-F+&&CFC+F+B//", "B=A&F^CFB^F^D^^-F-D^|F^B|FC^F^A//",
          "C=|D^|F^B-F+C^F^A&&FA&F^C+F+B^F^D//", "D=|CFB-F+B|FA&F^A&&FB-F+B|FC//"}},
    };
}

}  // namespace pax
