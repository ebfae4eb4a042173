// Arbitrary reply frames through the lens maintenance reply parser and the
// dialog logic that follows its chain. The first byte chooses the protocol.
#include "link/CameraLink.h"
#include "platform/MemoryProfileStore.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "programming/LensMaintenance.h"
#include "programming/LensReply.h"

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
    const int protocol = data[0] % 11;
    const std::span<const std::uint8_t> frame(data + 1, size - 1);
    (void)tarn::LensReply::parse(frame, protocol);

    tarn::VirtualClock clock;
    tarn::ScriptedPrompter prompter;
    tarn::MemoryProfileStore profile;
    Events events;
    tarn::CameraLink link(clock, prompter, profile, events);
    link.state().protocolIndex = protocol;
    tarn::LensMaintenance lens(link, prompter);
    lens.open();
    lens.replyReceived(frame);
    lens.replyReceived(frame);
    return 0;
}
