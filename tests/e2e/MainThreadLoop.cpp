#include "MainThreadLoop.h"

#include "platform/QueuedPoster.h"

namespace tarn::e2e {

bool runMainThreadUntil(RealTimeTimers& timers, QueuedPoster& poster, const std::function<bool()>& done,
                        std::chrono::milliseconds patience)
{
    using Clock = RealTimeTimers::Clock;
    const auto deadline = Clock::now() + patience;
    for (;;) {
        timers.fireDue();
        if (done())
            return true;
        const auto now = Clock::now();
        if (now >= deadline)
            return false;
        auto wake = deadline;
        if (const auto due = timers.nextDue(); due && *due < wake)
            wake = *due;
        poster.waitAndRun(std::chrono::ceil<std::chrono::milliseconds>(wake - now));
    }
}

} // namespace tarn::e2e
