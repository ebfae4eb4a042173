// Arbitrary reply frames for the Setup dialog: its parser, then the dialog
// itself with its read-back chain running on the virtual clock.
#include "link/CameraLink.h"
#include "platform/MemoryProfileStore.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "programming/CameraSetup.h"
#include "programming/SetupReply.h"

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
    const int protocolIndex = data[0] % 12;
    const std::span<const std::uint8_t> frame(data + 1, size - 1);
    const tarn::SetupReply reply = tarn::SetupReply::parse(frame, protocolIndex);
    if (reply.text.size() > tarn::SetupReply::FirmwareLength)
        __builtin_trap();

    tarn::VirtualClock clock;
    tarn::ScriptedPrompter prompter;
    tarn::MemoryProfileStore profile;
    Events events;
    tarn::CameraLink link(clock, prompter, profile, events);
    link.state().busy = false;
    link.state().linkMode = 0;
    link.state().protocolIndex = protocolIndex;
    tarn::SetupValues values;
    values.cameraType = data[0] % 8;
    tarn::CameraSetup setup(link, prompter, values, {});
    setup.open();
    setup.replyReceived(frame);
    clock.advance(100);
    return 0;
}
