#include "gui/guard.h"

#include <string>

#include "system/debug_log.h"

namespace pax {

void LogEscaped(std::string_view where, const char* message) noexcept {
    try {
        LogLine(">>> Error in " + std::string(where) + ": " + message);
    } catch (...) {
        // The log itself failed: there is nowhere left to report to.
    }
}

}  // namespace pax
