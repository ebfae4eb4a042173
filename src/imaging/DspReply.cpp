#include "imaging/DspReply.h"

#include "link/ReplyRouter.h"

namespace tarn {

namespace {

constexpr std::uint8_t FirstChecksumValue = 0x80;

bool isText(std::uint8_t byte)
{
    return byte != 0 && byte < FirstChecksumValue;
}

std::size_t registerCharacters(char operation)
{
    switch (operation) {
    case 'R':
    case 'W': return 6;
    case 'w':
    case 'r': return 8;
    default: return 0;
    }
}

} // namespace

std::size_t dspStatusFieldWidth(char letter)
{
    switch (letter) {
    case 'V': return 4;
    case 'a':
    case 'l': return 3;
    default: return 1;
    }
}

DspReply parseDspReply(std::span<const std::uint8_t> frame, int protocolIndex)
{
    DspReply reply;
    const std::size_t body = ReplyRouter::letterPosition(frame, protocolIndex);
    if (body + 1 >= frame.size())
        return reply;

    if (frame[body] == ':') {
        reply.kind = DspReply::Kind::Register;
        reply.operation = static_cast<char>(frame[body + 1]);
        const std::size_t wanted = registerCharacters(reply.operation);
        for (std::size_t i = body + 2; i < frame.size() && reply.characters.size() < wanted; ++i) {
            if (!isText(frame[i]))
                break;
            reply.characters += static_cast<char>(frame[i]);
        }
        return reply;
    }

    std::size_t at = body + 1;
    if (frame[at] >= FirstChecksumValue)
        return reply;
    reply.kind = DspReply::Kind::Status;
    while (at < frame.size() && isText(frame[at])) {
        DspStatusField field;
        field.letter = static_cast<char>(frame[at]);
        field.width = dspStatusFieldWidth(field.letter);
        if (at + field.width >= frame.size())
            break;
        bool whole = true;
        for (std::size_t i = 0; i < field.width; ++i) {
            const std::uint8_t byte = frame[at + 1 + i];
            // A value byte never has bit 7 set: that is the checksum.
            whole = whole && byte < FirstChecksumValue;
            field.value[i] = byte;
        }
        if (!whole)
            break;
        reply.fields.push_back(field);
        at += 1 + field.width;
    }
    return reply;
}

} // namespace tarn
