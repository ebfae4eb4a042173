#include "programming/ToursSectorsReply.h"

#include "link/FrameBuilder.h"
#include "link/ReplyRouter.h"
#include "programming/TourGrid.h"

namespace tarn {

namespace {

constexpr int SectorCount = LocalTables::SectorCount;
constexpr int ZoneOrTourCount = LocalTables::ZoneCount;
static_assert(LocalTables::TourCount == ZoneOrTourCount);
constexpr std::uint8_t StepOffset = TourGrid::StepByteOffset;
constexpr std::uint8_t OtherEmptyStep = 0x0F;

// Where the data ends: before the checksum, and before the ETX of an STX frame.
std::size_t dataEnd(std::span<const std::uint8_t> frame)
{
    if (frame.size() < 2)
        return 0;
    if (frame.front() == FrameByte::Stx && frame.back() == FrameByte::Etx)
        return frame.size() - 2;
    return frame.size() - 1;
}

std::optional<int> stepValue(std::uint8_t byte, int highest)
{
    if (byte == OtherEmptyStep || byte == StepOffset)
        return std::nullopt;
    const int value = byte - StepOffset;
    if (value < 1 || value > highest)
        return std::nullopt;
    return value;
}

} // namespace

ToursSectorsReply ToursSectorsReply::parse(std::span<const std::uint8_t> frame, int protocolIndex)
{
    ToursSectorsReply reply;
    const std::size_t code = ReplyRouter::letterPosition(frame, protocolIndex) + 1;
    const std::size_t end = dataEnd(frame);
    // Two code letters and the number at least.
    if (code + 3 > end)
        return reply;
    const std::uint8_t first = frame[code];
    const std::uint8_t second = frame[code + 1];
    const std::span<const std::uint8_t> data = frame.subspan(code + 3, end - (code + 3));
    reply.number = frame[code + 2] - '0';

    Kind kind = Kind::Unknown;
    int highestNumber = ZoneOrTourCount;
    if (first == 'S' && second == 'S') {
        kind = Kind::SectorStatus;
        highestNumber = SectorCount;
    } else if (first == 'S' && second == 'T') {
        kind = Kind::SectorText;
        highestNumber = SectorCount;
    } else if (first == 'P' && second == 'S') {
        kind = Kind::ZoneStatus;
    } else if (first == 'T' && second == 'S') {
        kind = Kind::TourStatus;
    } else if (first == 'T' && second == 'P') {
        kind = Kind::TourPresets;
    } else if (first == 'T' && second == 'D') {
        kind = Kind::TourDwells;
    }
    if (kind == Kind::Unknown || reply.number < 1 || reply.number > highestNumber)
        return reply;

    switch (kind) {
    case Kind::SectorStatus:
    case Kind::ZoneStatus:
    case Kind::TourStatus:
        if (data.empty() || (data[0] != '0' && data[0] != '1'))
            return reply;
        reply.enabled = data[0] == '1';
        break;
    case Kind::SectorText:
        reply.text.assign(TextLength, ' ');
        for (std::size_t i = 0; i < TextLength && i < data.size(); ++i) {
            if (data[i] >= 0x20 && data[i] <= 0x7E)
                reply.text[i] = static_cast<char>(data[i]);
        }
        break;
    case Kind::TourPresets:
    case Kind::TourDwells:
        reply.stepCount = std::min(data.size(), StepCount);
        for (std::size_t i = 0; i < reply.stepCount; ++i)
            reply.steps[i] = stepValue(data[i], kind == Kind::TourPresets ? TourGrid::HighestPreset : TourGrid::HighestDwell);
        break;
    case Kind::Unknown: break;
    }
    reply.kind = kind;
    return reply;
}

} // namespace tarn
