// Arbitrary reply frames through the other maintenance reply parser and the
// dialog logic, with both logs recording (to /dev/null). The first byte
// chooses the protocol.
#include "FuzzLink.h"

#include "link/ConnectionSequence.h"
#include "core/Settings.h"
#include "programming/MaintenanceReply.h"
#include "programming/OtherMaintenance.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto input = tarn::fuzz::splitInput(data, size);
    if (!input)
        return 0;
    (void)tarn::MaintenanceReply::parse(input->frame, input->protocol());

    tarn::fuzz::FuzzLink bench(input->protocol());
    tarn::Settings settings;
    tarn::ConnectionSequence connection(bench.link, bench.prompter, bench.profile, settings);
    tarn::OtherMaintenance other(bench.link, bench.prompter, connection, 1, {});
    other.open();
    for (const auto log : {tarn::OtherMaintenance::Log::Temperature, tarn::OtherMaintenance::Log::Pressure}) {
        other.editLogFileName(log, "/dev/null");
        bench.prompter.scriptAnswer(true);
        other.startRecording(log);
    }
    other.replyReceived(input->frame);
    other.replyReceived(input->frame);
    return 0;
}
