#pragma once

#include "platform/MonotonicClock.h"
#include "platform/Timers.h"

#include <cstdint>
#include <map>
#include <optional>
#include <utility>

namespace tarn {

// Timers on a clock that only moves when a test says so. Due timers fire in
// time order (timers due at the same moment in the order they were started);
// a timer fires every period until stopped, and a handler may start or stop
// any timer, itself included. Its time is also a monotonic clock, so time
// stamps in tests are as certain as the timers.
class VirtualClock final : public Timers, public MonotonicClock {
public:
    void start(TimerClient& client, int id, int periodMs) override;
    void stop(TimerClient& client, int id) override;
    bool isRunning(const TimerClient& client, int id) const override;
    void stopAll(TimerClient& client) override;

    std::int64_t nowMs() const { return m_now; }
    std::int64_t nowMicroseconds() const override { return m_now * 1000; }
    // Moves the clock forward, firing everything that falls due on the way.
    void advance(std::int64_t ms);
    // Moves to the next due timer and fires it; false when nothing is running.
    bool fireNext();
    // Milliseconds until the given timer fires, or -1 when it is not running.
    std::int64_t remainingMs(const TimerClient& client, int id) const;
    int runningCount() const { return static_cast<int>(m_timers.size()); }

private:
    using Key = std::pair<const TimerClient*, int>;
    struct Entry {
        TimerClient* client;
        std::int64_t due;
        std::int64_t period;
        std::uint64_t order;
    };
    std::optional<Key> nextDue() const;
    void fire(const Key& key);

    std::map<Key, Entry> m_timers;
    std::int64_t m_now = 0;
    std::uint64_t m_nextOrder = 0;
};

} // namespace tarn
