#include "programming/SetupReply.h"

#include "link/ReplyRouter.h"

namespace tarn {

namespace {

std::uint8_t at(std::span<const std::uint8_t> frame, std::size_t position)
{
    return position < frame.size() ? frame[position] : 0;
}

// Printable characters from `position` up to the checksum (the first byte of
// 0x80 or more), the end of the frame or `limit` characters.
std::string textAt(std::span<const std::uint8_t> frame, std::size_t position, std::size_t limit)
{
    std::string text;
    for (std::size_t i = position; i < frame.size() && text.size() < limit; ++i) {
        const std::uint8_t c = frame[i];
        if (c < 0x20 || c > '~')
            break;
        text.push_back(static_cast<char>(c));
    }
    return text;
}

// '0'..'0' + highest as its value, anything else -1.
int digitAt(std::span<const std::uint8_t> frame, std::size_t position, int highest)
{
    const int c = at(frame, position);
    return c >= '0' && c <= '0' + highest ? c - '0' : -1;
}

} // namespace

SetupReply SetupReply::parse(std::span<const std::uint8_t> frame, int protocolIndex)
{
    const std::size_t letter = ReplyRouter::letterPosition(frame, protocolIndex);
    if (letter >= frame.size())
        return {};
    SetupReply reply;
    const std::uint8_t second = at(frame, letter + 1);
    switch (frame[letter]) {
    case 'R':
        reply.kind = Kind::Firmware;
        reply.text = textAt(frame, letter + 1, FirmwareLength);
        break;
    case 'm':
        if (second == 'S') {
            reply.kind = Kind::SerialNumber;
            // The camera pads the number to seven digits; up to three of
            // those zeros are dropped, so 0000000 still shows as 0000.
            std::size_t start = letter + 2;
            for (int skipped = 0; skipped < 3 && at(frame, start) == '0'; ++skipped)
                ++start;
            reply.text = textAt(frame, start, SerialNumberLength);
        } else if (second == 'n') {
            reply.kind = Kind::Ntcip;
            reply.value = digitAt(frame, letter + 2, 1);
        }
        break;
    case 's':
        reply.kind = Kind::PanTiltType;
        reply.value = digitAt(frame, letter + 1, 2);
        break;
    case 'S':
        reply.kind = Kind::Direction;
        reply.value = digitAt(frame, letter + 1, 2);
        break;
    case 'J':
        if (second == 'c' || second == 'b') {
            reply.kind = second == 'c' ? Kind::JavelinContinuous : Kind::JavelinAddress;
            reply.value = digitAt(frame, letter + 2, 1);
        }
        break;
    default: break;
    }
    return reply;
}

} // namespace tarn
