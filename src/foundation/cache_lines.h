#pragma once
// Cache lines asked for before they are written. When another core has read memory that this
// one is about to write again, each first write must take its line back from that core, and
// the writes wait for those transfers one after another. Asked for all at once, the transfers
// overlap. A hint only: the memory's contents never change.

#include <cstddef>

namespace pax {

inline constexpr size_t CacheLineBytes = 64;

// Asks for every cache line of bytes from data in the state for writing (x86 PREFETCHW, which
// processors without it run as a no-op). Returns at once: the lines arrive meanwhile.
void ClaimForWriting(const void* data, size_t bytes);

}  // namespace pax
