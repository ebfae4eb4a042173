#include "programming/ToursSectorsReply.h"

#include "link/ReplyText.h"
#include "programming/TourGrid.h"

namespace tarn {

namespace {

constexpr int SectorCount = LocalTables::SectorCount;
constexpr int ZoneOrTourCount = LocalTables::ZoneCount;
static_assert(LocalTables::TourCount == ZoneOrTourCount);
constexpr std::uint8_t StepOffset = TourGrid::StepByteOffset;
constexpr std::uint8_t OtherEmptyStep = 0x0F;

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
    // The code follows the reply letter; the data, the code and the number.
    // Only the bytes before the checksum (and an STX frame's ETX) are data.
    constexpr std::size_t Code = 1;
    constexpr std::size_t Data = Code + 3;
    const ReplyText text(frame, protocolIndex);
    // Two code letters and the number at least.
    if (!text.reaches(Data - 1))
        return reply;
    const std::uint8_t first = text.byte(Code);
    const std::uint8_t second = text.byte(Code + 1);
    reply.number = text.byte(Code + 2) - '0';

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
        if (text.byte(Data) != '0' && text.byte(Data) != '1')
            return reply;
        reply.enabled = text.byte(Data) == '1';
        break;
    case Kind::SectorText:
        // A character the wire must not carry reads as a space.
        reply.text.assign(TextLength, ' ');
        for (std::size_t i = 0; i < TextLength && text.reaches(Data + i); ++i) {
            if (const char c = text.at(Data + i))
                reply.text[i] = c;
        }
        break;
    case Kind::TourPresets:
    case Kind::TourDwells:
        while (reply.stepCount < StepCount && text.reaches(Data + reply.stepCount)) {
            reply.steps[reply.stepCount] = stepValue(text.byte(Data + reply.stepCount),
                                                     kind == Kind::TourPresets ? TourGrid::HighestPreset : TourGrid::HighestDwell);
            ++reply.stepCount;
        }
        break;
    case Kind::Unknown: break;
    }
    reply.kind = kind;
    return reply;
}

} // namespace tarn
