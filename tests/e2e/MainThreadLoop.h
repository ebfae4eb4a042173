#pragma once

#include "RealTimeTimers.h"

#include <chrono>
#include <functional>

namespace tarn {
class QueuedPoster;
}

namespace tarn::e2e {

// The console's main thread in a test: fires due timers and runs what the
// serial worker and the sockets posted, until `done` holds or the patience
// runs out. Sleeps only until bytes are posted or the next timer is due.
bool runMainThreadUntil(RealTimeTimers& timers, QueuedPoster& poster, const std::function<bool()>& done,
                        std::chrono::milliseconds patience);

} // namespace tarn::e2e
