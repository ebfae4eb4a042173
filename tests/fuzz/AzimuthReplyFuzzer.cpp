// Arbitrary reply frames for Azimuth Setup: its parser, and the dialog's
// logic taking them. The first byte chooses the protocol, the rest is the
// frame from byte 0.
#include "FuzzLink.h"

#include "control/AzimuthReply.h"
#include "control/AzimuthSetup.h"

namespace {

using tarn::fuzz::check;

void checkText(const std::string& text)
{
    check(text.size() <= 64);
    for (const char c : text)
        check(c >= 0x20 && c < 0x7F);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto input = tarn::fuzz::splitInput(data, size);
    if (!input)
        return 0;

    if (const auto reply = tarn::AzimuthReply::parse(input->frame, input->protocol())) {
        check(reply->autoResponse || reply->controlSetupText);
        check(!reply->autoResponse || *reply->autoResponse == 0 || *reply->autoResponse == 1);
        check(!reply->delay || (*reply->delay >= 100 && *reply->delay <= 999));
        if (reply->controlSetupText)
            checkText(*reply->controlSetupText);
    }

    tarn::fuzz::FuzzLink bench(input->protocol());
    bench.idleOnSerialPort().framedSend = true;
    tarn::AzimuthSetup azimuth(bench.link, bench.prompter);
    azimuth.press(tarn::AzimuthButton::GetCurrentPtzfl);
    bench.clock.advance(10);
    bench.link.router().route(input->frame);
    bench.clock.advance(100);
    check(azimuth.delay() >= 100 && azimuth.delay() <= 999);
    check(azimuth.autoResponse() >= -1 && azimuth.autoResponse() <= 1);
    checkText(azimuth.controlSetupText());
    return 0;
}
