#pragma once

#include <chrono>

namespace tarn::sim {

// The simulator runs on the monotonic clock; tests hand in their own instants.
using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;

} // namespace tarn::sim
