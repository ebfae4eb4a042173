#include "control/AccessoryReply.h"

#include "link/ReplyRouter.h"

#include <optional>

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

// `width` characters from `position` by their low four bits; nullopt when
// the frame ends first or a byte of the checksum's kind stands there.
std::optional<int> lowNibbles(std::span<const std::uint8_t> frame, std::size_t position, std::size_t width)
{
    int value = 0;
    for (std::size_t i = position; i < position + width; ++i) {
        if (i >= frame.size() || frame[i] >= 0x80)
            return std::nullopt;
        value = value * 10 + (frame[i] & 0x0F);
    }
    return value;
}

template <typename Settings, std::size_t N>
bool read(std::span<const std::uint8_t> frame, int protocolIndex, std::uint8_t second,
          const Field<Settings> (&fields)[N], Settings& settings)
{
    const std::size_t body = ReplyRouter::letterPosition(frame, protocolIndex);
    if (body + 1 >= frame.size() || frame[body] != 'm' || frame[body + 1] != second)
        return false;
    std::size_t position = body + 2;
    for (const Field<Settings>& field : fields) {
        if (position >= frame.size() || frame[position] != field.letter)
            break;
        const auto value = lowNibbles(frame, position + 1, field.width);
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
