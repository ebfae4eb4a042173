#include "programming/ScreenPrivacyReply.h"

#include "link/ReplyText.h"

namespace tarn {

namespace {

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

// The three digits from `first`, which the caller found whole.
int sizeValue(const ReplyText& text, std::size_t first)
{
    if (lowNibble(text.byte(first + 1)) > 12)
        return -1;
    return *text.lowNibbles(first, SizeDigits);
}

// Pan and tilt as four digits each. Value bytes never have bit 7 set: that
// is the checksum, and the frame ends there.
void readPosition(const ReplyText& text, std::size_t first, ScreenPrivacyReply& reply)
{
    if (!text.holds(first, 2 * PositionDigits))
        return;
    reply.kind = ScreenPrivacyReply::Kind::Position;
    reply.pan = *text.lowNibbles(first, PositionDigits);
    reply.tilt = *text.lowNibbles(first + PositionDigits, PositionDigits);
}

void readZoneSettings(const ReplyText& text, std::size_t at, ScreenPrivacyReply& reply)
{
    reply.kind = ScreenPrivacyReply::Kind::ZoneSettings;
    while (text.holds(at, 1) && text.byte(at) != 0) {
        const std::uint8_t item = text.byte(at);
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
        if (!text.holds(at + 1, width))
            return;
        const std::uint8_t value = text.byte(at + 1);
        if (width == SizeDigits)
            *target = sizeValue(text, at + 1);
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
    const ReplyText text(frame, protocolIndex);
    if (!text.holds(1, 1))
        return reply;
    if (text.byte(1) == 'P')
        readPosition(text, 2, reply);
    else
        readZoneSettings(text, 2, reply);
    return reply;
}

} // namespace tarn
