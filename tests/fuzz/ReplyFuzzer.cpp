// Arbitrary bytes from the line into a whole console core: both reply
// assemblers, the routing, and what the replies reach (the main panel, the
// preset panel, the connection sequence, the settings), with the timers
// running between the reads. The first bytes choose the camera and the link
// state, the rest is the byte stream.
#include "control/MainControl.h"
#include "link/PortServerSocket.h"
#include "platform/MemoryProfileStore.h"
#include "platform/Platform.h"
#include "platform/QueuedPoster.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace {

// Takes every write; the line is always there.
struct Line final : tarn::ByteTransport {
    std::size_t bytes = 0;
    void write(std::span<const std::uint8_t> frame) override { bytes += frame.size(); }
};

struct NoSockets final : tarn::PortServerSocketFactory {
    std::unique_ptr<tarn::PortServerSocket> create(tarn::PortServerSocket::Listener&) override
    {
        return nullptr;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    tarn::VirtualClock clock;
    tarn::ScriptedPrompter prompter;
    tarn::MemoryProfileStore profile;
    tarn::QueuedPoster poster;
    NoSockets sockets;
    tarn::Platform platform{clock, prompter, profile, poster, sockets};

    const std::uint8_t flags = data[0];
    const std::uint8_t more = data[1];
    const std::uint8_t panel = data[2];
    tarn::Settings settings;
    settings.commPort = 1; // a port server stands for the line: the serial port is not opened
    settings.mode = (flags & 0x04) ? 0 : 1;
    settings.rxType = (more >> 1) % 7; // 6 stands for a foreign receiver
    settings.camType = (flags >> 3) & 0x03;
    settings.ptType = panel % 3;
    Line line; // outlives the console that writes to it
    tarn::MainControl control(platform, settings, [](int) { return std::string(); });
    control.initialise();
    prompter.clear();
    control.link().setNetworkTransport(&line);

    auto& state = control.link().state();
    state.framedSend = flags & 0x01;
    state.handshake = flags & 0x02;
    state.replyWanted = flags & 0x20;
    state.privacyReplyWanted = flags & 0x40;
    state.networkConnected = flags & 0x80;
    state.presetQueryPending = more & 0x01;
    state.protocolIndex = (more >> 4) % 11;
    if (panel & 0x08)
        control.panel().toggleStatusPolling();
    if (panel & 0x10)
        control.panel().togglePositionPolling();
    if (panel & 0x20)
        control.link().expectAddressReply();
    if (panel & 0x40)
        control.presets().selectionChanged(panel & 0x3F);

    const std::span<const std::uint8_t> stream(data + 3, size - 3);
    std::size_t offset = 0;
    while (offset < stream.size()) {
        const std::size_t chunk = std::min<std::size_t>(1 + stream[offset] % 70, stream.size() - offset);
        const auto piece = stream.subspan(offset, chunk);
        if (stream[offset] & 0x80) {
            control.link().networkBytesReceived(piece);
        } else {
            for (const std::uint8_t byte : piece)
                control.serialByteReceived(byte, 1);
        }
        clock.advance(stream[offset] & 0x3F);
        offset += chunk;
    }
    clock.advance(3000);
    control.exit();
    return 0;
}
