#include "system/stop_request.h"

#include <atomic>

namespace pax {
namespace {
// Atomic because a watchdog thread of the command line may set it.
std::atomic<bool> g_stop{false};
}  // namespace

bool StopRequested() { return g_stop.load(std::memory_order_relaxed); }
void RequestStop() { g_stop.store(true, std::memory_order_relaxed); }
void ClearStopRequest() { g_stop.store(false, std::memory_order_relaxed); }

}  // namespace pax
