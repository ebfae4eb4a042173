// Arbitrary bytes as the capture given to tarn-camsim --replay: the
// simulator's own reader never reads past the end, and a replay built from
// whatever it read answers the commands it holds without faltering.
#include "sim/CaptureReader.h"
#include "sim/FrameParser.h"
#include "sim/ReplayBook.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto capture = tarn::sim::readCapture(std::span(data, size));
    if (!capture)
        return 0;
    tarn::sim::ReplayBook book(*capture);
    tarn::sim::FrameParser parser(book.addressDigits(), true);
    for (const tarn::sim::CapturedEntry& entry : capture->entries)
        for (const tarn::sim::ReceivedFrame& frame : parser.feed(entry.bytes))
            book.respond(frame);
    return 0;
}
