#pragma once
// The built-in L-system library: eight categories of ready-made definitions, compiled in so
// that the program shows figures without any file. The data is constant; the interpreter
// registers it category by category, in this order, at start-up.
//
// Conventions of the data: a change of colour, step or thickness made inside brackets stays
// for the rest of that successor (brackets restore the turtle, not the derivation state), so
// organs that change them (leaves, flowers) are rules of their own; "20!" ends cylinder
// drawing before leaves and flowers; a symbol whose rule only repeats it after a change
// (f=>Sf) grows an organ once for every generation still to come.

#include <string>
#include <vector>

#include "lsystem/ls_def.h"

namespace pax {

struct tLSCategory {
    std::string name;               // shown as the demo name, e.g. "TABOP Book part 1"
    std::vector<tLSDef> entries;    // in registration order; names are not unique
};

// All categories in registration order. Rule texts and axioms are stored as written, with
// double quotes; registration turns them into apostrophes.
const std::vector<tLSCategory>& BuiltInLibrary();

// The category builders, one per source file.
std::vector<tLSDef> TabopPart1Entries();
std::vector<tLSDef> TabopPart2Entries();
std::vector<tLSDef> TabopPart3Entries();
std::vector<tLSDef> Kesk1aEntries();
std::vector<tLSDef> Kesk1bEntries();
std::vector<tLSDef> Kesk1cEntries();
std::vector<tLSDef> Famous2dEntries();
std::vector<tLSDef> TestFigureEntries();

}  // namespace pax
