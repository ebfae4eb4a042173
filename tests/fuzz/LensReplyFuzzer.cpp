// Arbitrary reply frames through the lens maintenance reply parser and the
// dialog logic that follows its chain. The first byte chooses the protocol.
#include "FuzzLink.h"

#include "programming/LensMaintenance.h"
#include "programming/LensReply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto input = tarn::fuzz::splitInput(data, size);
    if (!input)
        return 0;
    (void)tarn::LensReply::parse(input->frame, input->protocol());

    tarn::fuzz::FuzzLink bench(input->protocol());
    tarn::LensMaintenance lens(bench.link, bench.prompter);
    lens.open();
    lens.replyReceived(input->frame);
    lens.replyReceived(input->frame);
    return 0;
}
