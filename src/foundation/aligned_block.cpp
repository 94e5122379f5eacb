#include "foundation/aligned_block.h"

#include <new>

namespace pax {
namespace {

int g_successesBeforeFailure = -1;  // negative: allocations never fail on purpose

}  // namespace

AlignedBlock AllocateBlock(size_t bytes) {
    AlignedBlock block;
    if (g_successesBeforeFailure == 0) return block;
    if (g_successesBeforeFailure > 0) --g_successesBeforeFailure;
    size_t units = bytes / BlockAlignment + (bytes % BlockAlignment != 0);
    if (units == 0) units = 1;
    try {
        block.m_units = std::make_unique<AlignedBlock::Unit[]>(units);
    } catch (const std::bad_alloc&) {
        return block;
    }
    block.m_size = units * BlockAlignment;
    return block;
}

void SimulateBlockAllocationFailure(int successes) { g_successesBeforeFailure = successes; }

}  // namespace pax
