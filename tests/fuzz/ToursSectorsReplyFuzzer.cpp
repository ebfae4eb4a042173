// Arbitrary reply frames through the Tours and Sectors reply parser and into
// the dialog's logic. The first byte chooses the protocol (for where the
// reply code stands), the rest is one frame.
#include "link/CameraLink.h"
#include "platform/MemoryProfileStore.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "programming/ToursSectorsReply.h"
#include "programming/ToursSectorsSetup.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {
struct Events : tarn::LinkEvents {};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int protocol = data[0] % 11;
    const std::span<const std::uint8_t> frame(data + 1, size - 1);

    const tarn::ToursSectorsReply reply = tarn::ToursSectorsReply::parse(frame, protocol);
    if (reply.stepCount > tarn::ToursSectorsReply::StepCount)
        std::abort();

    tarn::VirtualClock clock;
    tarn::ScriptedPrompter prompter;
    tarn::MemoryProfileStore profile;
    Events events;
    tarn::CameraLink link(clock, prompter, profile, events);
    link.state().protocolIndex = protocol;
    // No file: the dialog starts from the defaults.
    tarn::ToursSectorsSetup setup(link, prompter, "/nonexistent/Dome.dat");
    setup.replyReceived(frame);
    if (!tarn::ToursSectorsSetup::isWireText(setup.idText()))
        std::abort();
    clock.advance(1000);
    return 0;
}
