// Arbitrary reply frames for the Screen Privacy Zone Setup dialog: the parser
// and what the dialog makes of them, then the commands built from what it
// shows. The first byte chooses the protocol; the rest is the frame.
#include "FuzzLink.h"

#include "programming/ScreenPrivacy.h"
#include "programming/ScreenPrivacyReply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto input = tarn::fuzz::splitInput(data, size);
    if (!input)
        return 0;
    tarn::fuzz::FuzzLink bench(input->protocol());
    auto& state = bench.idleOnSerialPort();
    state.moduleType = 1;

    (void)tarn::parseScreenPrivacyReply(input->frame, state.protocolIndex);

    tarn::ScreenPrivacy privacy(bench.link, bench.prompter);
    privacy.open();
    privacy.chooseZone(input->choice % tarn::ScreenPrivacy::ZoneCount);
    privacy.replyReceived(input->frame);
    const tarn::ScreenPrivacyValues& values = privacy.values();
    privacy.setMode(values.mode);
    privacy.setSize(tarn::ScreenPrivacy::Size::Horizontal, values.horizontalSize);
    privacy.setColour(tarn::ScreenPrivacy::Colour::Shade, values.shade);
    privacy.gotoPosition();
    bench.clock.advance(3000);
    return 0;
}
