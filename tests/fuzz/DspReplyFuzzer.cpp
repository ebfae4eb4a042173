// Arbitrary reply frames for the picture-control dialog: the parser and what
// the dialog makes of them (status fields, register replies, the timers they
// start). The first byte chooses the camera model, the protocol and whether a
// push-to-focus sequence runs; the rest is the frame.
#include "imaging/AlderHdDsp.h"
#include "link/CameraLink.h"
#include "platform/MemoryProfileStore.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {
struct Events : tarn::LinkEvents {};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    tarn::VirtualClock clock;
    tarn::ScriptedPrompter prompter;
    tarn::MemoryProfileStore profile;
    Events events;
    tarn::CameraLink link(clock, prompter, profile, events);
    auto& state = link.state();
    state.busy = false;
    state.linkMode = 0;
    state.moduleType = 1;
    state.cameraType = data[0] % 6;
    state.protocolIndex = (data[0] >> 3) % 11;

    const std::span<const std::uint8_t> frame(data + 1, size - 1);
    (void)tarn::parseDspReply(frame, state.protocolIndex);

    tarn::AlderHdDsp dsp(link, prompter);
    dsp.initialise();
    clock.advance(2000);
    if (data[0] & 0x80) {
        dsp.replyReceived(std::array<std::uint8_t, 11>{0xF8, 1, ':', 'R', 'F', '8', 'E', '0', '0', '5', 0x80});
        dsp.pushToFocus();
    }
    dsp.replyReceived(frame);
    // Whatever the reply started runs to its end.
    clock.advance(25000);
    dsp.setZoomPosition();
    dsp.sendPassThrough();
    return 0;
}
