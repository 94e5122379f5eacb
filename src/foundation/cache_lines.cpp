#include "foundation/cache_lines.h"

#include <cstdint>

namespace pax {

void ClaimForWriting(void* data, size_t bytes) {
    if (bytes == 0) return;
    auto* byte = static_cast<std::byte*>(data);
    auto* const end = byte + bytes;
    // The first byte, then the first of each line after it; volatile, so that the write stays.
    const size_t intoLine = reinterpret_cast<uintptr_t>(byte) & (CacheLineBytes - 1);
    for (size_t step = CacheLineBytes - intoLine; byte < end; step = CacheLineBytes) {
        volatile std::byte& line = *byte;
        const std::byte value = line;
        line = value;
        if (static_cast<size_t>(end - byte) <= step) break;
        byte += step;
    }
}

}  // namespace pax
