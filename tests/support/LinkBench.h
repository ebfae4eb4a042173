#pragma once

#include "link/CameraLink.h"
#include "platform/MemoryProfileStore.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"

#include <memory>

namespace tarn::test {

// What a camera link stands on in a test that does not listen to its
// events: the virtual clock, scripted prompts and settings in memory.
struct LinkBench {
    struct NoEvents : LinkEvents {};

    VirtualClock clock;
    ScriptedPrompter prompter;
    MemoryProfileStore profile;
    NoEvents events;

    // A new link over this bench, with the prompts of the last one forgotten.
    std::unique_ptr<CameraLink> freshLink()
    {
        prompter.clear();
        return std::make_unique<CameraLink>(clock, prompter, profile, events);
    }
};

} // namespace tarn::test
