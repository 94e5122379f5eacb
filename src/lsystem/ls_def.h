#pragma once
// tLSDef: an L-system definition as the built-in library stores it and as the editor builds it
// from its fields, before it is prepared for drawing.

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/extended.h"

namespace pax {

struct tLSDef {
    std::string name;         // short identifier, shown in menus and the editor tree
    std::string info;         // one-line description
    std::string link;         // free reference text
    Extended angle = 90;      // turning angle in degrees
    Extended step = 0;        // segment length of the axiom before scaling; 0 stands for 100
    Extended factor = 0;      // scale per generation; 0 stands for 1.0
    Extended thickness = 0;   // initial line thickness; above 1 draws cylinders
    int32_t deep = 1;         // generations, 0..65535
    std::string axiom;        // start word
    std::vector<std::string> rules;   // "A=successor" or "A:successor", 1..41 of them
};

}  // namespace pax
