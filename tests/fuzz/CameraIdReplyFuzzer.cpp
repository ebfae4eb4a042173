// Arbitrary reply frames for the Camera ID dialog: its parser, and the dialog
// logic taking them in the middle of its read-back. The first byte chooses
// the protocol, the rest is the frame from byte 0.
#include "FuzzLink.h"

#include "programming/CameraId.h"
#include "programming/CameraIdReply.h"

using tarn::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto input = tarn::fuzz::splitInput(data, size);
    if (!input)
        return 0;

    if (const auto reply = tarn::CameraIdReply::parse(input->frame, input->protocol())) {
        using Kind = tarn::CameraIdReply::Kind;
        if (reply->kind == Kind::Line)
            check(reply->line >= 1 && reply->line <= 5 && reply->text.size() == 24);
        for (const auto& preset : {reply->alarm1Preset, reply->alarm2Preset})
            check(!preset || (*preset >= 0 && *preset <= 64));
    }

    tarn::fuzz::FuzzLink bench(input->protocol());
    bench.idleOnSerialPort().framedSend = true;
    tarn::CameraId id(bench.link, bench.prompter);
    bench.clock.advance(10);
    bench.link.router().route(input->frame);
    bench.clock.advance(100);
    for (const int preset : id.values().alarmPreset)
        check(preset >= 0 && preset <= 64);
    for (const auto& line : id.values().lines)
        check(line.size() <= 24);
    return 0;
}
