#include "control/AzimuthReply.h"

#include "link/ReplyRouter.h"

namespace tarn {

namespace {

std::uint8_t at(std::span<const std::uint8_t> frame, std::size_t position)
{
    return position < frame.size() ? frame[position] : 0;
}

std::optional<int> delayAt(std::span<const std::uint8_t> frame, std::size_t position)
{
    int delay = 0;
    for (std::size_t i = position; i < position + 3; ++i) {
        const std::uint8_t c = at(frame, i);
        if (c < '0' || c > '9')
            return std::nullopt;
        delay = delay * 10 + (c - '0');
    }
    if (delay < AzimuthReply::LowestDelay || delay > AzimuthReply::HighestDelay)
        return std::nullopt;
    return delay;
}

std::string textFrom(std::span<const std::uint8_t> frame, std::size_t position)
{
    std::string text;
    for (std::size_t i = position; i < frame.size() && text.size() < AzimuthReply::TextLength; ++i) {
        const std::uint8_t c = frame[i];
        if (c == '\t')
            text.push_back(' '); // the field is a single line
        else if (c >= 0x20 && c < 0x7F)
            text.push_back(static_cast<char>(c));
    }
    return text;
}

} // namespace

std::optional<AzimuthReply> AzimuthReply::parse(std::span<const std::uint8_t> frame, int protocolIndex)
{
    const std::size_t letter = ReplyRouter::letterPosition(frame, protocolIndex);
    if (at(frame, letter) != 'U')
        return std::nullopt;
    AzimuthReply reply;
    std::size_t question = letter + 1;
    const std::uint8_t second = at(frame, letter + 1);
    if (second == 'E' || second == 'D') {
        reply.autoResponse = second == 'E' ? 0 : 1;
        reply.delay = delayAt(frame, letter + 2);
        question = letter + 4;
    }
    if (at(frame, question) == '?')
        reply.controlSetupText = textFrom(frame, letter + 2);
    if (!reply.autoResponse && !reply.controlSetupText)
        return std::nullopt;
    return reply;
}

} // namespace tarn
