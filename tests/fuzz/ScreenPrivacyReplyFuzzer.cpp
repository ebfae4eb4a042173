// Arbitrary reply frames for the Screen Privacy Zone Setup dialog: the parser
// and what the dialog makes of them, then the commands built from what it
// shows. The first byte chooses the protocol; the rest is the frame.
#include "link/CameraLink.h"
#include "platform/MemoryProfileStore.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "programming/ScreenPrivacy.h"
#include "programming/ScreenPrivacyReply.h"

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
    state.protocolIndex = data[0] % 11;

    const std::span<const std::uint8_t> frame(data + 1, size - 1);
    (void)tarn::parseScreenPrivacyReply(frame, state.protocolIndex);

    tarn::ScreenPrivacy privacy(link, prompter);
    privacy.open();
    privacy.chooseZone(data[0] % tarn::ScreenPrivacy::ZoneCount);
    privacy.replyReceived(frame);
    const tarn::ScreenPrivacyValues& values = privacy.values();
    privacy.setMode(values.mode);
    privacy.setSize(tarn::ScreenPrivacy::Size::Horizontal, values.horizontalSize);
    privacy.setColour(tarn::ScreenPrivacy::Colour::Shade, values.shade);
    privacy.gotoPosition();
    clock.advance(3000);
    return 0;
}
