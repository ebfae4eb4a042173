// Arbitrary reply frames for the Camera ID dialog: its parser, and the dialog
// logic taking them in the middle of its read-back. The first byte chooses
// the protocol, the rest is the frame from byte 0.
#include "link/CameraLink.h"
#include "platform/MemoryProfileStore.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "programming/CameraId.h"
#include "programming/CameraIdReply.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int protocolIndex = data[0] % 11;
    const std::span<const std::uint8_t> frame(data + 1, size - 1);

    if (const auto reply = tarn::CameraIdReply::parse(frame, protocolIndex)) {
        using Kind = tarn::CameraIdReply::Kind;
        if (reply->kind == Kind::Line)
            check(reply->line >= 1 && reply->line <= 5 && reply->text.size() == 24);
        for (const auto& preset : {reply->alarm1Preset, reply->alarm2Preset})
            check(!preset || (*preset >= 0 && *preset <= 64));
    }

    tarn::VirtualClock clock;
    tarn::ScriptedPrompter prompter;
    tarn::MemoryProfileStore profile;
    Events events;
    tarn::CameraLink link(clock, prompter, profile, events);
    link.state().busy = false;
    link.state().linkMode = 0;
    link.state().framedSend = true;
    link.state().protocolIndex = protocolIndex;
    tarn::CameraId id(link, prompter);
    clock.advance(10);
    link.router().route(frame);
    clock.advance(100);
    for (const int preset : id.values().alarmPreset)
        check(preset >= 0 && preset <= 64);
    for (const auto& line : id.values().lines)
        check(line.size() <= 24);
    return 0;
}
