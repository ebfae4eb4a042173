#include "programming/LensReply.h"

#include "link/ReplyText.h"

namespace tarn {

namespace {

std::optional<int> digitBetween(char c, char lowest, char highest)
{
    if (c < lowest || c > highest)
        return std::nullopt;
    return c - '0';
}

} // namespace

LensReply LensReply::parse(std::span<const std::uint8_t> frame, int protocolIndex)
{
    const ReplyText reply(frame, protocolIndex);
    LensReply result;
    if (reply.at(0) != 'm')
        return result;
    const char sub = reply.at(1);
    if (sub == 'X' || sub == 'R') {
        const char value = reply.at(2);
        if (value == 0)
            return result;
        result.kind = sub == 'X' ? Kind::Extender : Kind::Infrared;
        result.value = sub == 'X' ? (value & 0x01) : (value & 0x03);
        return result;
    }
    const auto voltage = digitBetween(sub, '0', '2');
    if (!voltage)
        return result;
    result.kind = Kind::Status;
    result.lensVoltage = *voltage;
    if (reply.at(2) == 'l' && reply.at(3) != 0)
        result.lensMode = reply.at(3) & 0x0F;
    if (reply.at(4) == 'v')
        result.video = digitBetween(reply.at(5), '0', '1');
    if (reply.at(6) == 'p' && reply.at(7) != 0) {
        const int phase = reply.at(7) & 0x0F;
        if (phase <= 6)
            result.phaseByte = phase;
    }
    if (reply.at(8) == 'c')
        result.camera = digitBetween(reply.at(9), '0', '5');
    return result;
}

} // namespace tarn
