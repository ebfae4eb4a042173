#include "control/AccessoryReply.h"

#include "link/ReplyText.h"

namespace tarn {

namespace {

template <typename Settings>
struct Field {
    std::uint8_t letter;
    std::size_t width;
    int minimum;
    int maximum;
    int Settings::*value;
};

constexpr Field<WipeSettings> WipeFields[] = {
    {'r', 4, 0, 9999, &WipeSettings::runTime},
    {'d', 2, 0, 99, &WipeSettings::delayTime},
    {'m', 1, 0, 15, &WipeSettings::module}, // no range of its own
};

constexpr Field<WashSettings> WashFields[] = {
    {'W', 2, 0, 99, &WashSettings::washTime},
    {'w', 2, 0, 99, &WashSettings::wipeTime},
    {'m', 1, 0, 1, &WashSettings::manualWash},
    {'f', 3, 1, 168, &WashSettings::frequency},
};

template <typename Settings, std::size_t N>
bool read(std::span<const std::uint8_t> frame, int protocolIndex, std::uint8_t second,
          const Field<Settings> (&fields)[N], Settings& settings)
{
    const ReplyText text(frame, protocolIndex);
    if (!text.reaches(1) || text.byte(0) != 'm' || text.byte(1) != second)
        return false;
    std::size_t position = 2;
    for (const Field<Settings>& field : fields) {
        if (!text.reaches(position) || text.byte(position) != field.letter)
            break;
        // Cut short by the frame's end or its checksum byte: no value.
        const auto value = text.lowNibbles(position + 1, field.width);
        if (!value)
            break;
        if (*value >= field.minimum && *value <= field.maximum)
            settings.*field.value = *value;
        position += 1 + field.width;
    }
    return true;
}

} // namespace

bool AccessoryReply::readWipe(std::span<const std::uint8_t> frame, int protocolIndex, WipeSettings& settings)
{
    return read(frame, protocolIndex, 'w', WipeFields, settings);
}

bool AccessoryReply::readWash(std::span<const std::uint8_t> frame, int protocolIndex, WashSettings& settings)
{
    return read(frame, protocolIndex, 'W', WashFields, settings);
}

} // namespace tarn
