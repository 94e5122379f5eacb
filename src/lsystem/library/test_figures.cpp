#include "lsystem/library/library.h"

namespace pax {

std::vector<tLSDef> TestFigureEntries() {
    return {};
}

}  // namespace pax
