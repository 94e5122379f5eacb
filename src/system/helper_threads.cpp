#include "system/helper_threads.h"

#include <chrono>

namespace pax {

namespace {

// How long a helper (and the caller, for the helpers) watches before it sleeps: far longer
// than the gap between two shared runs of parts, far shorter than anything a user notices.
constexpr std::chrono::microseconds WatchTime{200};

void Relax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#else
    std::this_thread::yield();
#endif
}

// Watches until ready() or the watch time is over; whether ready() became true.
template <class Ready>
bool Watch(Ready ready) {
    const auto until = std::chrono::steady_clock::now() + WatchTime;
    for (int i = 0;; ++i) {
        if (ready()) return true;
        Relax();
        if ((i & 63) == 63 && std::chrono::steady_clock::now() > until) return ready();
    }
}

}  // namespace

HelperThreads::HelperThreads(int helpers) : m_errors(static_cast<size_t>(helpers < 1 ? 1 : helpers) + 1) {
    const int count = helpers < 1 ? 1 : helpers;
    try {
        for (int share = 1; share <= count; ++share) m_threads.emplace_back([this, share] { Serve(share); });
    } catch (...) {
        Stop();
        throw;
    }
}

HelperThreads::~HelperThreads() { Stop(); }

void HelperThreads::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    for (std::thread& t : m_threads) t.join();
    m_threads.clear();
}

void HelperThreads::RunShared(const std::function<void(int)>& task) {
    Start(task);
    Finish();
}

void HelperThreads::Start(const std::function<void(int)>& task) {
    for (std::exception_ptr& e : m_errors) e = nullptr;
    m_task = &task;
    m_running.store(static_cast<int>(m_threads.size()), std::memory_order_relaxed);
    {
        // The lock orders the new generation against a helper that is about to sleep.
        std::lock_guard lock(m_mutex);
        m_generation.fetch_add(1, std::memory_order_release);
    }
    m_wake.notify_all();
}

void HelperThreads::Finish() {
    try {
        (*m_task)(0);
    } catch (...) {
        m_errors[0] = std::current_exception();
    }
    const auto finished = [this] { return m_running.load(std::memory_order_acquire) == 0; };
    if (!Watch(finished)) {
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, finished);
    }
    m_task = nullptr;
    for (const std::exception_ptr& e : m_errors)
        if (e) std::rethrow_exception(e);
}

void HelperThreads::Rouse() {
    {
        std::lock_guard lock(m_mutex);
        m_rousings.fetch_add(1, std::memory_order_relaxed);
    }
    m_wake.notify_all();
}

void HelperThreads::Serve(int share) {
    uint64_t seen = 0;
    for (;;) {
        const auto fresh = [&] { return m_generation.load(std::memory_order_acquire) != seen; };
        const uint64_t rousings = m_rousings.load(std::memory_order_relaxed);
        if (!Watch(fresh)) {
            std::unique_lock lock(m_mutex);
            const auto roused = [&] { return m_rousings.load(std::memory_order_relaxed) != rousings; };
            if (roused() && !m_quit) continue;   // roused while watching: watch on
            m_wake.wait(lock, [&] { return m_quit || fresh() || roused(); });
            if (m_quit) return;
            if (!fresh()) continue;   // roused: watch again
        }
        seen = m_generation.load(std::memory_order_acquire);
        try {
            (*m_task)(share);
        } catch (...) {
            m_errors[static_cast<size_t>(share)] = std::current_exception();
        }
        if (m_running.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            std::lock_guard lock(m_mutex);
            m_done.notify_one();
        }
    }
}

int DefaultDrawingShares() {
    const unsigned hardware = std::thread::hardware_concurrency();
    if (hardware >= 4) return 4;
    return hardware >= 2 ? 2 : 1;
}

}  // namespace pax
