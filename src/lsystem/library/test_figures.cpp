// Test figures of the drawing commands: the palette, cylinder thickness, the shapes of the ~
// command and stochastic rules.

#include "lsystem/library/library.h"

namespace pax {

std::vector<tLSDef> TestFigureEntries() {
    return {
        {"color palette", "the 256 colours of the L-system palette as the spokes of a wheel",
         "Pax3d L-system palette",
         360.0L / 258, 100, 1, 1, 256, "Fg|+A",
         {"A:\"A\"[fF]+"}},
        {"thick test", "cylinders of decreasing thickness: minus 2, then times 0.9 per column",
         "Pax3d drawing test",
         90, 30, 1, 20, 10, "+9g-[8gA][gB]",
         {"A=[3F]-2g+2!A", "B=[3F]-2g+?B"}},
        {"shape test", "every shape of ~ in upper and lower case, the axis cross and the sprites",
         "Pax3d drawing test",
         90, 70, 0.5, 0, 1, "4\"+9g-12g[K]|4g|[L]|4g|[M]",
         {"K=-~C2g~c2g~D2g~d2g~E2g~e2g~S2g~s", "L=-~X2g~x2g~O2g~o2g~Y2g~y2g~L2g~l",
          "M=-~02g~12g~22g~32g~42g~52g~62g~72g~82g~9"}},
        {"RandomTest2", "stochastic bush: three rules for B, two for W; changes with the seed",
         "Pax3d drawing test",
         22.5, 0, 0.8088, 0, 6, "\"B",
         {"B:F[+B]F[-B]BW", "B:F[+B]FBW", "B:F[-B]FBW", "W:[12\"~s]", "W:[3\"~S]"}},
    };
}

}  // namespace pax
