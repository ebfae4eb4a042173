// Arbitrary reply frames for Azimuth Setup: its parser, and the dialog's
// logic taking them. The first byte chooses the protocol, the rest is the
// frame from byte 0.
#include "control/AzimuthReply.h"
#include "control/AzimuthSetup.h"
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

void checkText(const std::string& text)
{
    check(text.size() <= 64);
    for (const char c : text)
        check(c >= 0x20 && c < 0x7F);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int protocolIndex = data[0] % 11;
    const std::span<const std::uint8_t> frame(data + 1, size - 1);

    if (const auto reply = tarn::AzimuthReply::parse(frame, protocolIndex)) {
        check(reply->autoResponse || reply->controlSetupText);
        check(!reply->autoResponse || *reply->autoResponse == 0 || *reply->autoResponse == 1);
        check(!reply->delay || (*reply->delay >= 100 && *reply->delay <= 999));
        if (reply->controlSetupText)
            checkText(*reply->controlSetupText);
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
    tarn::AzimuthSetup azimuth(link, prompter);
    azimuth.press(tarn::AzimuthButton::GetCurrentPtzfl);
    clock.advance(10);
    link.router().route(frame);
    clock.advance(100);
    check(azimuth.delay() >= 100 && azimuth.delay() <= 999);
    check(azimuth.autoResponse() >= -1 && azimuth.autoResponse() <= 1);
    checkText(azimuth.controlSetupText());
    return 0;
}
