#pragma once
// The time limit of one drawing. A thread waits for the limit and then raises the stop
// request, which the derivation and the object window read every few milliseconds; the
// drawing then ends early and the command reports that it was stopped. Should the drawing
// still run long after the request (work that never reads it), the process ends with exit
// code 1 rather than hang.

#include <condition_variable>
#include <mutex>
#include <thread>

namespace pax {

class Watchdog {
public:
    // Seconds the drawing may run after the request before the process is ended.
    static constexpr double GraceSeconds = 30;

    // seconds 0 arms nothing. The stop request is cleared first.
    explicit Watchdog(double seconds);
    // Disarms and joins.
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // Whether the limit was reached (the stop request came from here).
    bool Fired() const;

private:
    void Watch(double seconds);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_disarmed = false;
    bool m_fired = false;
    std::thread m_thread;
};

}  // namespace pax
