#include "system/stop_request.h"

#include <atomic>
#include <thread>
#include <utility>

namespace pax {
namespace {
// Atomic because a watchdog thread of the command line may set it.
constexpr unsigned StopDerivation = 1;
constexpr unsigned StopDrawing = 2;
std::atomic<unsigned> g_stop{0};
std::atomic<bool> g_pollDue{false};
// Written and read on the poll's own thread only.
std::function<void()> g_poll;
std::thread::id g_pollThread;
bool g_polling = false;

void RunDuePoll() {
    if (!g_poll || g_polling || std::this_thread::get_id() != g_pollThread) return;
    g_pollDue.store(false, std::memory_order_relaxed);
    g_polling = true;
    try {
        g_poll();
    } catch (...) {
        // A poll that fails only misses one look at the input.
    }
    g_polling = false;
}

}  // namespace

bool StopRequested() {
    if (g_pollDue.load(std::memory_order_relaxed)) RunDuePoll();
    return g_stop.load(std::memory_order_relaxed) != 0;
}
bool DrawingStopRequested() {
    if (g_pollDue.load(std::memory_order_relaxed)) RunDuePoll();
    return (g_stop.load(std::memory_order_relaxed) & StopDrawing) != 0;
}
void RequestStop() { g_stop.store(StopDerivation | StopDrawing, std::memory_order_relaxed); }
void RequestDerivationStop() { g_stop.fetch_or(StopDerivation, std::memory_order_relaxed); }
void ClearStopRequest() { g_stop.store(0, std::memory_order_relaxed); }

void InstallStopPoll(std::function<void()> poll) {
    g_poll = std::move(poll);
    g_pollThread = std::this_thread::get_id();
    g_pollDue.store(false, std::memory_order_relaxed);
}

void MarkStopPollDue() { g_pollDue.store(true, std::memory_order_relaxed); }

}  // namespace pax
