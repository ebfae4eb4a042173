// Arbitrary reply frames for Wipe Setup and Wash Setup: their parsers, and
// both dialogs' logic taking them after the settings query. The first byte
// chooses the protocol, the rest is the frame from byte 0.
#include "control/AccessoryReply.h"
#include "control/WashSetup.h"
#include "control/WipeSetup.h"
#include "link/CameraLink.h"
#include "platform/MemoryProfileStore.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

struct Events : tarn::LinkEvents {};

void check(bool holds)
{
    if (!holds)
        std::abort();
}

void checkWipe(const tarn::WipeSettings& wipe)
{
    check(wipe.runTime >= 0 && wipe.runTime <= 9999);
    check(wipe.delayTime >= 0 && wipe.delayTime <= 99);
    check(wipe.module >= -1 && wipe.module <= 15);
}

void checkWash(const tarn::WashSettings& wash)
{
    check(wash.washTime >= 0 && wash.washTime <= 99);
    check(wash.wipeTime >= 0 && wash.wipeTime <= 99);
    check(wash.frequency >= 1 && wash.frequency <= 168);
    check(wash.manualWash == 0 || wash.manualWash == 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int protocolIndex = data[0] % 11;
    const std::span<const std::uint8_t> frame(data + 1, size - 1);

    tarn::WipeSettings wipe;
    tarn::WashSettings wash;
    // A frame is one dialog's answer at most.
    check(!(tarn::AccessoryReply::readWipe(frame, protocolIndex, wipe)
            && tarn::AccessoryReply::readWash(frame, protocolIndex, wash)));
    checkWipe(wipe);
    checkWash(wash);

    tarn::VirtualClock clock;
    tarn::ScriptedPrompter prompter;
    tarn::MemoryProfileStore profile;
    Events events;
    tarn::CameraLink link(clock, prompter, profile, events);
    link.state().busy = false;
    link.state().linkMode = 0;
    link.state().cameraType = 0;
    link.state().framedSend = true;
    link.state().protocolIndex = protocolIndex;
    tarn::WipeSetup wipeSetup(link, prompter);
    tarn::WashSetup washSetup(link, prompter);
    clock.advance(210);
    link.router().route(frame);
    clock.advance(100);
    checkWipe(wipeSetup.settings());
    checkWash(washSetup.settings());
    return 0;
}
