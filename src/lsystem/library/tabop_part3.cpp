#include "lsystem/library/library.h"

namespace pax {

std::vector<tLSDef> TabopPart3Entries() {
    return {};
}

}  // namespace pax
