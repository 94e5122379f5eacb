#include "lsystem/library/library.h"

namespace pax {

std::vector<tLSDef> TabopPart2Entries() {
    return {};
}

}  // namespace pax
