#include "lsystem/library/library.h"

namespace pax {

std::vector<tLSDef> Kesk1cEntries() {
    return {};
}

}  // namespace pax
