#include "programming/CameraIdReply.h"

#include "link/ReplyText.h"
#include "programming/CameraIdText.h"

namespace tarn {

namespace {

constexpr std::uint8_t PresetOffset = 16;
constexpr int HighestPreset = 64;

std::optional<int> presetAt(const ReplyText& reply, std::size_t offset)
{
    const auto byte = reply.byteAt(offset);
    if (!byte)
        return std::nullopt;
    const int preset = *byte - PresetOffset;
    if (preset < 0 || preset > HighestPreset)
        return std::nullopt;
    return preset;
}

CameraIdReply cutShort()
{
    CameraIdReply reply;
    reply.kind = CameraIdReply::Kind::CutShort;
    return reply;
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
    const ReplyText text(frame, protocolIndex);
    const auto code = text.byteAt(0);
    if (!code)
        return std::nullopt;
    CameraIdReply reply;
    if (*code == 'h') {
        if (!text.reaches(1))
            return cutShort();
        reply.kind = Kind::AlarmPresets;
        reply.alarm1Preset = presetAt(text, 1);
        reply.alarm2Preset = presetAt(text, 2);
        return reply;
    }
    const auto second = text.byteAt(1);
    if (*code != 'S' || !second || (*second != 'C' && *second != 'L'))
        return std::nullopt;
    const auto third = text.byteAt(2);
    if (!third)
        return cutShort();
    if (*second == 'C') {
        reply.kind = Kind::Status;
        reply.status = *third;
        return reply;
    }
    if (*third < '1' || *third > '5')
        return std::nullopt;
    reply.kind = Kind::Line;
    reply.line = *third - '0';
    // What is missing at the end reads as spaces, as does any character the
    // ID line cannot show.
    reply.text.assign(CameraIdText::LineLength, ' ');
    for (std::size_t i = 0; i < CameraIdText::LineLength; ++i) {
        const char c = text.at(3 + i);
        if (CameraIdText::isIdCharacter(static_cast<unsigned char>(c)))
            reply.text[i] = c;
    }
    return reply;
}

} // namespace tarn
