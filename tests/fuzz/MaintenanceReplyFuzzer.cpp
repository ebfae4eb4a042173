// Arbitrary reply frames through the other maintenance reply parser and the
// dialog logic, with both logs recording (to /dev/null). The first byte
// chooses the protocol.
#include "app/ConnectionSequence.h"
#include "app/Settings.h"
#include "link/CameraLink.h"
#include "platform/MemoryProfileStore.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "programming/MaintenanceReply.h"
#include "programming/OtherMaintenance.h"

#include <cstddef>
#include <cstdint>
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
    (void)tarn::MaintenanceReply::parse(frame, protocol);

    tarn::VirtualClock clock;
    tarn::ScriptedPrompter prompter;
    tarn::MemoryProfileStore profile;
    Events events;
    tarn::CameraLink link(clock, prompter, profile, events);
    link.state().protocolIndex = protocol;
    tarn::Settings settings;
    tarn::ConnectionSequence connection(link, prompter, profile, settings);
    tarn::OtherMaintenance other(link, prompter, connection, 1, {});
    other.open();
    for (const auto log : {tarn::OtherMaintenance::Log::Temperature, tarn::OtherMaintenance::Log::Pressure}) {
        other.editLogFileName(log, "/dev/null");
        prompter.scriptAnswer(true);
        other.startRecording(log);
    }
    other.replyReceived(frame);
    other.replyReceived(frame);
    return 0;
}
