#include "imaging/DspReply.h"

#include "link/ReplyText.h"

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
    const ReplyText body(frame, protocolIndex);
    const auto first = body.byteAt(0);
    const auto second = body.byteAt(1);
    if (!first || !second)
        return reply;

    if (*first == ':') {
        reply.kind = DspReply::Kind::Register;
        reply.operation = static_cast<char>(*second);
        const std::size_t wanted = registerCharacters(reply.operation);
        for (std::size_t i = 2; reply.characters.size() < wanted; ++i) {
            const auto c = body.byteAt(i);
            if (!c || !isText(*c))
                break;
            reply.characters += static_cast<char>(*c);
        }
        return reply;
    }

    if (*second >= FirstChecksumValue)
        return reply;
    reply.kind = DspReply::Kind::Status;
    std::size_t at = 1;
    for (auto letter = body.byteAt(at); letter && isText(*letter); letter = body.byteAt(at)) {
        DspStatusField field;
        field.letter = static_cast<char>(*letter);
        field.width = dspStatusFieldWidth(field.letter);
        if (!body.reaches(at + field.width))
            break;
        bool whole = true;
        for (std::size_t i = 0; i < field.width; ++i) {
            const std::uint8_t byte = *body.byteAt(at + 1 + i);
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
