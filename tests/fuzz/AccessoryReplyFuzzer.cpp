// Arbitrary reply frames for Wipe Setup and Wash Setup: their parsers, and
// both dialogs' logic taking them after the settings query. The first byte
// chooses the protocol, the rest is the frame from byte 0.
#include "FuzzLink.h"

#include "control/AccessoryReply.h"
#include "control/WashSetup.h"
#include "control/WipeSetup.h"

namespace {

using tarn::fuzz::check;

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
    const auto input = tarn::fuzz::splitInput(data, size);
    if (!input)
        return 0;

    tarn::WipeSettings wipe;
    tarn::WashSettings wash;
    // A frame is one dialog's answer at most.
    check(!(tarn::AccessoryReply::readWipe(input->frame, input->protocol(), wipe)
            && tarn::AccessoryReply::readWash(input->frame, input->protocol(), wash)));
    checkWipe(wipe);
    checkWash(wash);

    tarn::fuzz::FuzzLink bench(input->protocol());
    tarn::LinkState& state = bench.idleOnSerialPort();
    state.cameraType = 0;
    state.framedSend = true;
    tarn::WipeSetup wipeSetup(bench.link, bench.prompter);
    tarn::WashSetup washSetup(bench.link, bench.prompter);
    bench.clock.advance(210);
    bench.link.router().route(input->frame);
    bench.clock.advance(100);
    checkWipe(wipeSetup.settings());
    checkWash(washSetup.settings());
    return 0;
}
