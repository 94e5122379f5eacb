#include "foundation/cache_lines.h"

#include <cstdint>

namespace pax {

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("prfchw")))
#endif
void ClaimForWriting(const void* data, size_t bytes) {
    if (bytes == 0) return;
    const auto first = reinterpret_cast<uintptr_t>(data) & ~uintptr_t{CacheLineBytes - 1};
    const auto end = reinterpret_cast<uintptr_t>(data) + bytes;
    for (uintptr_t line = first; line < end; line += CacheLineBytes)
        __builtin_prefetch(reinterpret_cast<const void*>(line), 1, 3);
}

}  // namespace pax
