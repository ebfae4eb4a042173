#include "programming/ScreenPrivacyReply.h"

#include "link/ReplyRouter.h"

namespace tarn {

namespace {

constexpr std::uint8_t FirstChecksumValue = 0x80;
constexpr std::size_t PositionDigits = 4;
constexpr std::size_t SizeDigits = 3;

int lowNibble(std::uint8_t byte)
{
    return byte & 0x0F;
}

// "B", "R", "S": '0'..'?' stand for 0..15.
int colourValue(std::uint8_t byte)
{
    return byte < '0' || byte >= 0x40 ? -1 : lowNibble(byte);
}

int modeValue(std::uint8_t byte)
{
    return byte < '0' || byte > '2' ? -1 : byte - '0';
}

int sizeValue(std::span<const std::uint8_t, SizeDigits> digits)
{
    if (lowNibble(digits[1]) > 12)
        return -1;
    return 100 * lowNibble(digits[0]) + 10 * lowNibble(digits[1]) + lowNibble(digits[2]);
}

// Value bytes never have bit 7 set: that is the checksum, and the frame ends there.
bool wholeValue(std::span<const std::uint8_t> frame, std::size_t first, std::size_t count)
{
    if (first + count > frame.size())
        return false;
    for (std::size_t i = first; i < first + count; ++i) {
        if (frame[i] >= FirstChecksumValue)
            return false;
    }
    return true;
}

// Pan and tilt as four digits each.
void readPosition(std::span<const std::uint8_t> frame, std::size_t first, ScreenPrivacyReply& reply)
{
    if (!wholeValue(frame, first, 2 * PositionDigits))
        return;
    const auto number = [&](std::size_t from) {
        int value = 0;
        for (std::size_t i = from; i < from + PositionDigits; ++i)
            value = value * 10 + lowNibble(frame[i]);
        return value;
    };
    reply.kind = ScreenPrivacyReply::Kind::Position;
    reply.pan = number(first);
    reply.tilt = number(first + PositionDigits);
}

void readZoneSettings(std::span<const std::uint8_t> frame, std::size_t at, ScreenPrivacyReply& reply)
{
    reply.kind = ScreenPrivacyReply::Kind::ZoneSettings;
    while (at < frame.size() && frame[at] != 0 && frame[at] < FirstChecksumValue) {
        const std::uint8_t item = frame[at];
        const std::size_t width = item == 'h' || item == 'v' ? SizeDigits : 1;
        std::optional<int>* target = nullptr;
        switch (item) {
        case 'B': target = &reply.blueColour; break;
        case 'R': target = &reply.redColour; break;
        case 'S': target = &reply.shade; break;
        case 'M': target = &reply.mode; break;
        case 'h': target = &reply.horizontalSize; break;
        case 'v': target = &reply.verticalSize; break;
        default: ++at; continue;
        }
        if (!wholeValue(frame, at + 1, width))
            return;
        const std::uint8_t value = frame[at + 1];
        if (width == SizeDigits)
            *target = sizeValue(frame.subspan(at + 1).first<SizeDigits>());
        else
            *target = item == 'M' ? modeValue(value) : colourValue(value);
        if (item == 'v')
            return;
        at += 1 + width;
    }
}

} // namespace

ScreenPrivacyReply parseScreenPrivacyReply(std::span<const std::uint8_t> frame, int protocolIndex)
{
    ScreenPrivacyReply reply;
    const std::size_t letter = ReplyRouter::letterPosition(frame, protocolIndex);
    if (letter + 1 >= frame.size() || frame[letter + 1] >= FirstChecksumValue)
        return reply;
    if (frame[letter + 1] == 'P')
        readPosition(frame, letter + 2, reply);
    else
        readZoneSettings(frame, letter + 2, reply);
    return reply;
}

} // namespace tarn
