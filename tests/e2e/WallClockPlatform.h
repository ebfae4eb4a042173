#pragma once

#include "MainThreadLoop.h"
#include "PosixPortServerSocket.h"
#include "RealTimeTimers.h"

#include "platform/MemoryProfileStore.h"
#include "platform/Platform.h"
#include "platform/QueuedPoster.h"
#include "platform/ScriptedPrompter.h"

#include <chrono>
#include <functional>

namespace tarn::e2e {

// The platform a whole console core runs on as the program has it, the wall
// clock and real sockets, with scripted prompts, settings in memory, and the
// main thread run by the test.
struct WallClockPlatform {
    QueuedPoster poster;
    RealTimeTimers timers;
    ScriptedPrompter prompter;
    MemoryProfileStore profile;
    PosixPortServerSocketFactory sockets{poster};
    Platform platform{timers, prompter, profile, poster, sockets};

    // Runs the main thread until `done` holds or the patience runs out.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds patience = std::chrono::seconds(5))
    {
        return runMainThreadUntil(timers, poster, done, patience);
    }
};

} // namespace tarn::e2e
