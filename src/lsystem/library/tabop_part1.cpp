#include "lsystem/library/library.h"

namespace pax {

std::vector<tLSDef> TabopPart1Entries() {
    return {};
}

}  // namespace pax
