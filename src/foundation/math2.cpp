#include "foundation/math2.h"

#include <cmath>
#include <string>

#include "system/debug_log.h"
#include "system/exceptions.h"

namespace pax {

void MathError(std::string_view name) {
    LogLine(">>> Math Error in " + std::string(name));
    throw EMathError("\n" + std::string(name) + "\n");
}

Extended FloatMod(Extended x, Extended y) {
    Extended q = x / y;
    Extended r = (q - std::trunc(q)) * y;
    if (r < 0) r += y;
    // A tiny negative remainder plus y rounds to y itself, which lies outside [0, y).
    if (y > 0 && r >= y) r = 0;
    return r;
}

int32_t RoundClamp(Extended x) {
    if (x > 2147483647.0L) return 2147483647;
    if (x < -2147483647.0L) return -2147483647;
    return static_cast<int32_t>(std::lrint(x));
}

}  // namespace pax
