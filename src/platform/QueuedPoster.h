#pragma once

#include "platform/MainThreadPoster.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace tarn {

// A main-thread poster without an event loop: work waits in a queue until the
// owning thread calls runPending(). Used by headless runs and tests.
class QueuedPoster final : public MainThreadPoster {
public:
    void post(std::function<void()> work) override;

    // Runs everything posted so far; returns how many items ran.
    int runPending();
    // Waits up to `timeout` for work to arrive, then runs what is there.
    int waitAndRun(std::chrono::milliseconds timeout);

private:
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<std::function<void()>> m_work;
};

} // namespace tarn
