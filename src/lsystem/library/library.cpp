#include "lsystem/library/library.h"

namespace pax {

const std::vector<tLSCategory>& BuiltInLibrary() {
    static const std::vector<tLSCategory> library = {
        {"TABOP Book part 1", TabopPart1Entries()},
        {"TABOP Book part 2", TabopPart2Entries()},
        {"TABOP Book part 3", TabopPart3Entries()},
        {"LSystem Kesk 1a", Kesk1aEntries()},
        {"LSystem Kesk 1b", Kesk1bEntries()},
        {"LSystem Kesk 1c", Kesk1cEntries()},
        {"LSystem Famous 2d", Famous2dEntries()},
        {"LSystem Test Figures", TestFigureEntries()},
    };
    return library;
}

}  // namespace pax
