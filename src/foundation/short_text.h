#pragma once
// Fixed-capacity texts (names of 30 characters, lines of 76 or 255) are cut with CutText,
// never refused.

#include <cstddef>

#include "system/text_utils.h"

namespace pax {

inline constexpr size_t NameCapacity = 30;

}  // namespace pax
