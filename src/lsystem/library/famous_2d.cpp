#include "lsystem/library/library.h"

namespace pax {

std::vector<tLSDef> Famous2dEntries() {
    return {};
}

}  // namespace pax
