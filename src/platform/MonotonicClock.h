#pragma once

#include <chrono>
#include <cstdint>

namespace tarn {

// A clock that only moves forward, for time stamps and intervals. Never set
// back by the system, so intervals between two readings are true.
class MonotonicClock {
public:
    virtual std::int64_t nowMicroseconds() const = 0;

protected:
    ~MonotonicClock() = default;
};

// The program's: the system's steady clock.
class SteadyClock final : public MonotonicClock {
public:
    std::int64_t nowMicroseconds() const override
    {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

} // namespace tarn
