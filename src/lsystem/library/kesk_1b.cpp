#include "lsystem/library/library.h"

namespace pax {

std::vector<tLSDef> Kesk1bEntries() {
    return {};
}

}  // namespace pax
