// Arbitrary reply frames for the picture-control dialog: the parser and what
// the dialog makes of them (status fields, register replies, the timers they
// start). The first byte chooses the camera model, the protocol and whether a
// push-to-focus sequence runs; the rest is the frame.
#include "FuzzLink.h"

#include "imaging/AlderHdDsp.h"

#include <array>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto input = tarn::fuzz::splitInput(data, size);
    if (!input)
        return 0;
    tarn::fuzz::FuzzLink bench((input->choice >> 3) % 11);
    auto& state = bench.idleOnSerialPort();
    state.moduleType = 1;
    state.cameraType = input->choice % 6;

    (void)tarn::parseDspReply(input->frame, state.protocolIndex);

    tarn::AlderHdDsp dsp(bench.link, bench.prompter);
    dsp.initialise();
    bench.clock.advance(2000);
    if (input->choice & 0x80) {
        dsp.replyReceived(std::array<std::uint8_t, 11>{0xF8, 1, ':', 'R', 'F', '8', 'E', '0', '0', '5', 0x80});
        dsp.pushToFocus();
    }
    dsp.replyReceived(input->frame);
    // Whatever the reply started runs to its end.
    bench.clock.advance(25000);
    dsp.setZoomPosition();
    dsp.sendPassThrough();
    return 0;
}
