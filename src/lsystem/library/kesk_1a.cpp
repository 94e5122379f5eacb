#include "lsystem/library/library.h"

namespace pax {

std::vector<tLSDef> Kesk1aEntries() {
    return {};
}

}  // namespace pax
