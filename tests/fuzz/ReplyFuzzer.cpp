// Arbitrary bytes from the line through both reply assemblers and the routing.
// The first bytes choose the link state, the rest is the byte stream; the
// network assembler gets it in reads of varying size.
#include "link/CameraLink.h"
#include "platform/MemoryProfileStore.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

struct Receiver : tarn::ReplyReceiver {
    std::size_t bytes = 0;
    void replyReceived(std::span<const std::uint8_t> frame) override { bytes += frame.size(); }
};

struct Events : tarn::LinkEvents {};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    tarn::VirtualClock clock;
    tarn::ScriptedPrompter prompter;
    tarn::MemoryProfileStore profile;
    Events events;
    tarn::CameraLink link(clock, prompter, profile, events);
    Receiver receivers[static_cast<int>(tarn::ReceiverSlot::Count)];

    const std::uint8_t flags = data[0];
    const std::uint8_t more = data[1];
    auto& state = link.state();
    state.busy = false;
    state.linkMode = 0;
    state.framedSend = flags & 0x01;
    state.handshake = flags & 0x02;
    state.frameMode = (flags & 0x04) ? 0 : 1;
    state.moduleType = (flags >> 3) & 0x03;
    state.replyWanted = flags & 0x20;
    state.privacyReplyWanted = flags & 0x40;
    state.networkConnected = flags & 0x80;
    state.presetQueryPending = more & 0x01;
    state.cameraType = (more >> 1) & 0x07;
    state.protocolIndex = (more >> 4) % 11;
    for (int slot = 0; slot < static_cast<int>(tarn::ReceiverSlot::Count); ++slot) {
        if (data[2] & (1u << (slot % 8)))
            link.router().setReceiver(static_cast<tarn::ReceiverSlot>(slot), &receivers[slot]);
    }

    const std::span<const std::uint8_t> stream(data + 3, size - 3);
    for (const std::uint8_t byte : stream)
        link.serialByteReceived(byte, byte);

    std::size_t offset = 0;
    while (offset < stream.size()) {
        const std::size_t chunk = std::min<std::size_t>(1 + stream[offset] % 70, stream.size() - offset);
        link.networkBytesReceived(stream.subspan(offset, chunk));
        offset += chunk;
    }
    clock.advance(1000);
    return 0;
}
