#pragma once
// Zero-filled byte blocks aligned to 16 bytes, so that records of long double values may live
// in them. Running out of memory gives an empty block, not an exception: the containers report
// it through the error routines and keep going.

#include <cstddef>
#include <memory>

namespace pax {

inline constexpr size_t BlockAlignment = 16;

class AlignedBlock {
public:
    AlignedBlock() = default;

    std::byte* Data() const { return m_units ? m_units[0].bytes : nullptr; }
    size_t Size() const { return m_size; }
    explicit operator bool() const { return m_units != nullptr; }

private:
    struct alignas(BlockAlignment) Unit {
        std::byte bytes[BlockAlignment];
    };
    friend AlignedBlock AllocateBlock(size_t bytes);

    std::unique_ptr<Unit[]> m_units;
    size_t m_size = 0;
};

// A block of at least one byte (size rounded up to the alignment), or an empty block when
// memory is exhausted.
AlignedBlock AllocateBlock(size_t bytes);

// For tests of the out-of-memory paths: the allocation after `successes` more ones and every
// later one fail, until this is called with a negative count.
void SimulateBlockAllocationFailure(int successes);

}  // namespace pax
