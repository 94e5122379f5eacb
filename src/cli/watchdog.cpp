#include "cli/watchdog.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "system/stop_request.h"

namespace pax {

Watchdog::Watchdog(double seconds) {
    ClearStopRequest();
    if (seconds > 0) m_thread = std::thread([this, seconds] { Watch(seconds); });
}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(m_mutex);
        m_disarmed = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

bool Watchdog::Fired() const {
    std::lock_guard lock(m_mutex);
    return m_fired;
}

void Watchdog::Watch(double seconds) {
    using Clock = std::chrono::steady_clock;
    const auto limit = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    std::unique_lock lock(m_mutex);
    if (m_wake.wait_until(lock, limit, [this] { return m_disarmed; })) return;
    m_fired = true;
    RequestStop();
    const auto grace = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(GraceSeconds));
    if (m_wake.wait_until(lock, grace, [this] { return m_disarmed; })) return;
    // The main thread may be writing to the command's streams: stderr directly.
    std::fprintf(stderr, "pax3d: stopped after %g s and did not end; giving up\n", seconds);
    std::_Exit(1);
}

}  // namespace pax
