// Arbitrary reply frames through the Tours and Sectors reply parser and into
// the dialog's logic. The first byte chooses the protocol (for where the
// reply code stands), the rest is one frame.
#include "FuzzLink.h"

#include "programming/ToursSectorsReply.h"
#include "programming/ToursSectorsSetup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto input = tarn::fuzz::splitInput(data, size);
    if (!input)
        return 0;

    const tarn::ToursSectorsReply reply = tarn::ToursSectorsReply::parse(input->frame, input->protocol());
    tarn::fuzz::check(reply.stepCount <= tarn::ToursSectorsReply::StepCount);

    tarn::fuzz::FuzzLink bench(input->protocol());
    // No file: the dialog starts from the defaults.
    tarn::ToursSectorsSetup setup(bench.link, bench.prompter, "/nonexistent/Dome.dat");
    setup.replyReceived(input->frame);
    tarn::fuzz::check(tarn::ToursSectorsSetup::isWireText(setup.idText()));
    bench.clock.advance(1000);
    return 0;
}
