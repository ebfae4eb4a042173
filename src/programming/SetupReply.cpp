#include "programming/SetupReply.h"

#include "link/ReplyText.h"

namespace tarn {

namespace {

// '0'..'0' + highest as its value, anything else -1.
int digitAt(const ReplyText& reply, std::size_t offset, int highest)
{
    const char c = reply.at(offset);
    return c >= '0' && c <= '0' + highest ? c - '0' : -1;
}

} // namespace

SetupReply SetupReply::parse(std::span<const std::uint8_t> frame, int protocolIndex)
{
    const ReplyText text(frame, protocolIndex);
    if (!text.reaches(0))
        return {};
    SetupReply reply;
    const char second = text.at(1);
    switch (text.at(0)) {
    case 'R':
        reply.kind = Kind::Firmware;
        reply.text = text.text(1, FirmwareLength);
        break;
    case 'm':
        if (second == 'S') {
            reply.kind = Kind::SerialNumber;
            // The camera pads the number to seven digits; up to three of
            // those zeros are dropped, so 0000000 still shows as 0000.
            std::size_t start = 2;
            for (int skipped = 0; skipped < 3 && text.at(start) == '0'; ++skipped)
                ++start;
            reply.text = text.text(start, SerialNumberLength);
        } else if (second == 'n') {
            reply.kind = Kind::Ntcip;
            reply.value = digitAt(text, 2, 1);
        }
        break;
    case 's':
        reply.kind = Kind::PanTiltType;
        reply.value = digitAt(text, 1, 2);
        break;
    case 'S':
        reply.kind = Kind::Direction;
        reply.value = digitAt(text, 1, 2);
        break;
    case 'J':
        if (second == 'c' || second == 'b') {
            reply.kind = second == 'c' ? Kind::JavelinContinuous : Kind::JavelinAddress;
            reply.value = digitAt(text, 2, 1);
        }
        break;
    default: break;
    }
    return reply;
}

} // namespace tarn
