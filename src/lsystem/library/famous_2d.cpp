// Well-known plane fractals, tilings and curves from the literature on L-systems and
// recreational mathematics.

#include "lsystem/library/library.h"

namespace pax {

std::vector<tLSDef> Famous2dEntries() {
    return {
        {"SierpinskiTriangle1",
         "Sierpinski triangle: the outline subdivided into ever smaller triangles",
         "Sierpinski triangle (encyclopedia article)",
         120, 500, 0.5, 0, 6, "16f+32f-F-G-G",
         {"F=F-G+F+G-F", "G=GG"}},
        // Only the smallest squares are filled: F vanishes before the last generation, and g=ggg
        // keeps each jump as long as the square of its generation.
        {"SierpinskiCarpet1", "Sierpinski carpet: eight of nine squares kept, again and again",
         "Sierpinski carpet (encyclopedia article)",
         90, 500, 0.33333, 0, 4, "41f3\"S",
         {"S=[g{.F-F-F-F}S][|g|{.F-F-F-F}S][+g-{.F-F-F-F}S][-g+{.F-F-F-F}S][g+g-{.F-F-F-F}S][g-g"
          "+{.F-F-F-F}S][|g+g|-{.F-F-F-F}S][|g-g|+{.F-F-F-F}S]", "F=", "g=ggg"}},
        {"SierpinskiTriangle2", "Sierpinski triangle of filled tiles, coloured by position",
         "Sierpinski triangle (encyclopedia article)",
         60, 500, 0.5, 0, 6, "12f-14f+S",
         {"S=[{.F++F++F}S][g\"{.F++F++F}S`][+g-\"{.F++F++F}S`]", "F=", "g=gg"}},
        {"SierpinskiStar1", "star of six Sierpinski triangles on the sides of a hexagon",
         "Sierpinski triangle (encyclopedia article)",
         60, 332, 0.5, 0, 6, "16f-32f+H",
         {"H=[F--G--G]g+\"[F--G--G]g+\"[F--G--G]g+\"[F--G--G]g+\"[F--G--G]g+\"[F--G--G]",
          "F=F--G++F++G--F", "G=GG", "g=gg"}},
        {"HilbertCurve2", "Hilbert curve, two nodes per rule, one generation finer",
         "D. Hilbert, Stetige Abbildung einer Linie auf ein Flaechenstueck, 1891",
         90, 506, 0.5, 0, 6, "+31f-X",
         {"X=-YF+XFX+FY-", "Y=+XF-YFY-FX+"}},
        {"LevyDragon1", "Levy C curve: every segment replaced by two at right angles",
         "Levy C curve (encyclopedia article)",
         45, 258, 0.70711, 0, 10, "15f2-12f2+F",
         {"F=+F--F+"}},
        {"Cesaro1", "Cesaro fractal: a square torn by Koch spikes of 85 degrees that almost touch",
         "E. Cesaro, on the curve of von Koch, 1905; Cesaro fractal (encyclopedia)",
         85, 500, 0.46, 0, 5, "|2f|-24f+F>a>a>a>a>a+5<aF>a>a>a>a>a+5<aF>a>a>a>a>a+5<aF",
         {"F=F+F--F+F"}},
        {"Glasmeyer1", "six-armed branching crystal, like frost on a window pane",
         "Snowflake (encyclopedia article)",
         30, 128, 0.5, 0, 6, "126f14\"[X]2+[X]2+[X]2+[X]2+[X]2+X",
         {"X=F[2+X][2-X]FX", "F=FF"}},
        // A square's outline is drawn from its own successor, where F and g already have the length
        // of half its side.
        {"CornerTiles1", "T-square: every square carries half-size squares centred on its corners",
         "T-square (fractal), encyclopedia article",
         90, 268, 0.5, 0, 4, "15fS",
         {"S=\"[+g+g++FF-FF-FF-FF][+g-gS][-g+gS][+g+g++S][-g-g++S]", "F=FF", "g=gg"}},
        // A sphinx and its copy turned by 180 degrees about the parallelogram's centre fill it; the
        // parallelograms tile the plane.
        {"SphinxTiles1", "tiling by sphinx hexiamonds: pairs of sphinxes fill parallelograms",
         "Sphinx tiling (encyclopedia article)",
         30, 972, 0.31, 0, 3, "3f3+9f6-W",
         {"W=YZYZYZ", "Y=[6P]2+2f2-", "Z=[6P]2+2f2-|3f|",
          "P=\"`[{.3f4+f2+f2-f4+2f}]\"[3f2+2f4+{.3f4+f2+f2-f4+2f}]`3f"}},
        {"Lace1", "lace doily: a hexagon whose edges fold inwards into ever finer spikes",
         "Cesaro fractal (encyclopedia article)",
         20, 249, 0.426, 0, 4, "11f4-27f4+F3+F3+F3+F3+F3+F",
         {"F=F4+F8-F4+F"}},
        {"TreeBranch1", "branch of a tree: thick limbs forking into ever thinner twigs",
         "The Algorithmic Beauty of Plants, fig.1.24c",
         22.5, 142, 0.5, 12, 4, "F",
         {"F=FF-[4!-F+F+F]+[4!+F-F-F]"}},
        {"TreeBranch2",
         "young tree: a trunk with alternating side branches, thinner towards the tips",
         "The Algorithmic Beauty of Plants, fig.1.24d",
         20, 257, 0.5, 10, 6, "X",
         {"X=F[2!+X]F[2!-X]!+X", "F=FF"}},
        {"SnakeKolam72", "snake kolam: a South Indian threshold drawing as one closed line",
         "P. Prusinkiewicz, J. Hanan, Lindenmayer Systems, Fractals, and Plants, 1989",
         90, 632, 0.4, 0, 4, "-16f+F+XF+F+XF",
         {"X=XF-F-F+XF+F+XF-F-F+X"}},
        // The inner square's corners cut each side 366:634 (tan 30); 2<S scales by 0.729, the side
        // ratio 0.732 to 0.4 percent.
        {"SpiralTiling1",
         "whirling squares: corner triangles spiral inwards, squares turned 30 degrees",
         "Spiral tiling (encyclopedia article)",
         30, 0, 0.5878, 0, 10, "3-500f3+X",
         {"X=Q3+\"Q3+`Q3+\"Q3+`634f2+2<S\"X", "Q={.[3+366f]634f}366f"}},
        // The inner triangle's corners cut each side 211:789; 5<S2>S scales by 0.9^6 * 1.1^3 =
        // 0.7074, the side ratio 0.7071.
        {"SpiralTiling2",
         "whirling triangles: corner triangles spiral in, each triangle turned 15 deg.",
         "Spiral tiling (encyclopedia article)",
         15, 0, 0.5878, 0, 10, "6-433f6+X",
         {"X=Q8+\"Q8+\"Q8+2`789f7+5<S2>S\"X", "Q={.[4+211f]789f}211f"}},
        // Rhombus tiling P3: F only marks an edge; it vanishes before each generation and W, X, Y,
        // Z carry the shape.
        {"PenroseTiling1", "Penrose tiling of thick and thin rhombi, a five-fold sun",
         "R. Penrose, Pentaplexity, 1978; Penrose tiling (encyclopedia article)",
         36, 237, 0.618, 0, 5, "12f[X]++[X]++[X]++[X]++[X]",
         {"W=YF++ZF----XF[-YF----WF]++", "X=+YF--ZF[---WF--XF]+", "Y=-WF++XF[+++YF++ZF]-",
          "Z=--YF++++WF[+ZF++++XF]--XF", "F="}},
        {"ColorPenrose1",
         "Penrose rhombus tiling with its edges coloured by the rule that made them",
         "R. Penrose, Pentaplexity, 1978; Penrose tiling (encyclopedia article)",
         36, 237, 0.618, 0, 5, "12f[X]++[X]++[X]++[X]++[X]",
         {"W=Y\"F`++Z2\"F2`----X5\"F5`[-Y\"F`----W4\"F4`]++",
          "X=+Y\"F`--Z2\"F2`[---W4\"F4`--X5\"F5`]+", "Y=-W4\"F4`++X5\"F5`[+++Y\"F`++Z2\"F2`]-",
          "Z=--Y\"F`++++W4\"F4`[+Z2\"F2`++++X5\"F5`]--X5\"F5`", "F="}},
        {"Pentigree", "pentigree: pentagon of Koch-like edges, first-order pentigree fractal",
         "Pentigree (pentagonal fractal), recreational mathematics literature",
         72, 477, 0.33333, 0, 4, "28f-42f+F-F-F-F-F",
         {"F=F-F++F+F-F-F"}},
        {"Pentadentrite", "pentadendrite: pentagon whose edges grow into a dendrite",
         "Pentadendrite (pentagonal fractal), recreational mathematics literature",
         72, 351, 0.33333, 0, 3, "13f+20f-F-F-F-F-F",
         {"F=F-F-F++F+F-F"}},
        {"PentaPlexity", "pentaplexity: Penrose's pentagonal arrangement, a five-fold snowflake",
         "R. Penrose, Pentaplexity, 1978",
         36, 309, 0.38197, 0, 4, "3f2-38f2+F++F++F++F++F",
         {"F=F++F++F|F-F++F"}},
        {"Pentive", "pentive: pentagonal tiling curve of six node symbols",
         "Pentagonal fractal curves, recreational mathematics literature",
         36, 464, 0.618, 0, 8, "2-3f2+Q",
         {"F=", "P=--FR++++FS--FU", "Q=FT++FR----FS--", "R=++FP----FQ++FT", "S=FU--FP++++FQ",
          "T=+FU--FP+", "U=-FQ++FT-"}},
    };
}

}  // namespace pax
