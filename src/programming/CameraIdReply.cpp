#include "programming/CameraIdReply.h"

#include "link/ReplyRouter.h"
#include "programming/CameraIdText.h"

namespace tarn {

namespace {

constexpr std::uint8_t PresetOffset = 16;
constexpr int HighestPreset = 64;

std::optional<int> presetAt(std::span<const std::uint8_t> frame, std::size_t position)
{
    if (position >= frame.size())
        return std::nullopt;
    const int preset = frame[position] - PresetOffset;
    if (preset < 0 || preset > HighestPreset)
        return std::nullopt;
    return preset;
}

} // namespace

std::optional<int> CameraIdReply::displayMode() const
{
    for (int mode = 0; mode < 3; ++mode) {
        if (status & DisplayModeBits[mode])
            return mode;
    }
    return std::nullopt;
}

std::optional<CameraIdReply> CameraIdReply::parse(std::span<const std::uint8_t> frame, int protocolIndex)
{
    const std::size_t code = ReplyRouter::letterPosition(frame, protocolIndex);
    if (code + 1 >= frame.size())
        return std::nullopt;
    CameraIdReply reply;
    if (frame[code] == 'h') {
        reply.kind = Kind::AlarmPresets;
        reply.alarm1Preset = presetAt(frame, code + 1);
        reply.alarm2Preset = presetAt(frame, code + 2);
        return reply;
    }
    if (frame[code] != 'S' || code + 2 >= frame.size())
        return std::nullopt;
    if (frame[code + 1] == 'C') {
        reply.kind = Kind::Status;
        reply.status = frame[code + 2];
        return reply;
    }
    if (frame[code + 1] != 'L' || frame[code + 2] < '1' || frame[code + 2] > '5')
        return std::nullopt;
    reply.kind = Kind::Line;
    reply.line = frame[code + 2] - '0';
    // What is missing at the end, and the checksum where a character should
    // be, reads as spaces.
    reply.text.assign(CameraIdText::LineLength, ' ');
    for (std::size_t i = 0; i < CameraIdText::LineLength; ++i) {
        const std::size_t position = code + 3 + i;
        if (position < frame.size() && CameraIdText::isIdCharacter(frame[position]))
            reply.text[i] = static_cast<char>(frame[position]);
    }
    return reply;
}

} // namespace tarn
