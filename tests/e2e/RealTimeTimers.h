#pragma once

#include "platform/Timers.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>

namespace tarn::e2e {

// The console's window timers on the wall clock, fired by the test's own
// loop on the test thread, the one that also runs the posted serial bytes:
// the same single-threaded arrangement as the console's event loop, so the
// 100 ms response time-out races real replies from a real camera process.
// Counts every expiry, so a test can tell an acknowledged command from one
// that timed out.
class RealTimeTimers final : public Timers {
public:
    using Clock = std::chrono::steady_clock;

    void start(TimerClient& client, int id, int periodMs) override;
    void stop(TimerClient& client, int id) override;
    bool isRunning(const TimerClient& client, int id) const override;
    void stopAll(TimerClient& client) override;

    std::optional<Clock::time_point> nextDue() const;
    // Fires every timer that is due, earliest first; a timer fires at most
    // once per call (a late loop does not make up missed periods).
    void fireDue();
    int firedCount(int id) const;

private:
    using Key = std::pair<const TimerClient*, int>;
    struct Entry {
        TimerClient* client;
        Clock::time_point due;
        std::chrono::milliseconds period;
        std::uint64_t order;
    };

    std::map<Key, Entry> m_timers;
    std::map<int, int> m_fired;
    std::uint64_t m_nextOrder = 0;
};

} // namespace tarn::e2e
