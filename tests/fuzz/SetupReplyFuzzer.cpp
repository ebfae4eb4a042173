// Arbitrary reply frames for the Setup dialog: its parser, then the dialog
// itself with its read-back chain running on the virtual clock.
#include "FuzzLink.h"

#include "programming/CameraSetup.h"
#include "programming/SetupReply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto input = tarn::fuzz::splitInput(data, size);
    if (!input)
        return 0;
    // One index past the list, too.
    const int protocol = input->protocol(tarn::Protocol::Count + 1);
    const tarn::SetupReply reply = tarn::SetupReply::parse(input->frame, protocol);
    tarn::fuzz::check(reply.text.size() <= tarn::SetupReply::FirmwareLength);

    tarn::fuzz::FuzzLink bench(protocol);
    bench.idleOnSerialPort();
    tarn::SetupValues values;
    values.cameraType = input->choice % 8;
    tarn::CameraSetup setup(bench.link, bench.prompter, values, {});
    setup.open();
    setup.replyReceived(input->frame);
    bench.clock.advance(100);
    return 0;
}
