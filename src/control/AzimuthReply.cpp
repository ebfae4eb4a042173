#include "control/AzimuthReply.h"

#include "link/ReplyText.h"

namespace tarn {

namespace {

std::optional<int> delayAt(const ReplyText& reply, std::size_t offset)
{
    int delay = 0;
    for (std::size_t i = offset; i < offset + 3; ++i) {
        const char c = reply.at(i);
        if (c < '0' || c > '9')
            return std::nullopt;
        delay = delay * 10 + (c - '0');
    }
    if (delay < AzimuthReply::LowestDelay || delay > AzimuthReply::HighestDelay)
        return std::nullopt;
    return delay;
}

} // namespace

std::optional<AzimuthReply> AzimuthReply::parse(std::span<const std::uint8_t> frame, int protocolIndex)
{
    const ReplyText text(frame, protocolIndex);
    if (text.at(0) != 'U')
        return std::nullopt;
    AzimuthReply reply;
    std::size_t question = 1;
    const char second = text.at(1);
    if (second == 'E' || second == 'D') {
        reply.autoResponse = second == 'E' ? 0 : 1;
        reply.delay = delayAt(text, 2);
        question = 4;
    }
    if (text.at(question) == '?')
        reply.controlSetupText = text.lineText(2, TextLength);
    if (!reply.autoResponse && !reply.controlSetupText)
        return std::nullopt;
    return reply;
}

} // namespace tarn
