#pragma once
// HelperThreads: threads that take shares of the caller's work beside it. RunShared(task) runs
// task(1) .. task(Shares() - 1) on the helpers and task(0) on the calling thread, and returns
// when every share is done; an exception of any share is rethrown there (the first by share
// number). Tasks come in quick succession while a picture is drawn, so a helper that has
// finished watches for the next one for a moment before it goes to sleep.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace pax {

class HelperThreads {
public:
    // Starts that many helper threads (at least one); throws std::system_error when a thread cannot
    // be started (the ones started are joined first).
    explicit HelperThreads(int helpers);
    ~HelperThreads();
    HelperThreads(const HelperThreads&) = delete;
    HelperThreads& operator=(const HelperThreads&) = delete;

    int Shares() const { return static_cast<int>(m_threads.size()) + 1; }
    // Not re-entrant: a task must not call RunShared of the same helpers.
    void RunShared(const std::function<void(int)>& task);
    // RunShared in two halves, for a caller with work of its own in between: Start hands
    // task(1) .. task(Shares() - 1) to the helpers and returns at once; Finish runs task(0) on
    // the calling thread, waits for the helpers and rethrows as RunShared does. task must live
    // until Finish returns, and nothing else may be given to the helpers in between.
    void Start(const std::function<void(int)>& task);
    void Finish();
    bool Started() const { return m_task != nullptr; }
    // Wakes the sleeping helpers to watch for the next task, and has a watching one watch on,
    // so that one given within the watch time starts at once: waking a thread takes tens of
    // microseconds, more on a virtual machine, and the caller can often say a little ahead
    // that a task is coming.
    void Rouse();

private:
    void Serve(int share);
    void Stop();

    std::vector<std::thread> m_threads;
    std::vector<std::exception_ptr> m_errors;   // per share
    const std::function<void(int)>* m_task = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::atomic<uint64_t> m_generation{0};   // one more per task, read by the helpers
    std::atomic<int> m_running{0};           // helpers still at the current task
    std::atomic<uint64_t> m_rousings{0};     // one more per Rouse, made under m_mutex
    bool m_quit = false;                     // guarded by m_mutex
};

// The shares a picture's drawing can use on this machine: its hardware threads, at most
// four, rounded down to a power of two (1 on a single core).
int DefaultDrawingShares();

}  // namespace pax
