#include "sim/CameraState.h"
#include "sim/CommandGroups.h"
#include "sim/CommandTable.h"
#include "sim/TextFields.h"

#include <optional>

namespace tarn::sim {

namespace {

using TextFields::charAt;

// The zone's digit '1'..'8' at `position`, as 0..7.
std::optional<std::size_t> zoneAt(std::string_view text, std::size_t position)
{
    return TextFields::numberIndexAt(text, position, ScreenPrivacyState::ZoneCount);
}

// "c*h" / "c*v" + zone + three digits 000..127; anything else changes nothing.
CommandResult setSize(ScreenPrivacyState& privacy, std::string_view text, int ScreenPrivacyZone::*size)
{
    const auto zone = zoneAt(text, 3);
    if (!zone || text.size() != 7)
        return CommandResult::ack();
    const auto value = TextFields::decimalAt(text, 4, 3);
    if (!value)
        return CommandResult::ack();
    if (*value <= ScreenPrivacyState::HighestSize)
        privacy.zones[*zone].*size = *value;
    return CommandResult::ack();
}

// "c*R" / "c*B" / "c*S" + '0' + value ('0'..'?'), for the selected zone.
CommandResult setColour(ScreenPrivacyState& privacy, std::string_view text, int ScreenPrivacyZone::*colour)
{
    const int value = charAt(text, 3) - '0';
    if (text.size() == 4 && value >= 0 && value <= ScreenPrivacyState::HighestColour)
        privacy.zones[static_cast<std::size_t>(privacy.selected)].*colour = value;
    return CommandResult::ack();
}

// The selected zone: "c*" + "B", "R", "S" one character each ('0' + value),
// "M" the mode digit, "h" and "v" three digits each.
std::string zoneSettings(const ScreenPrivacyState& privacy)
{
    const ScreenPrivacyZone& zone = privacy.zones[static_cast<std::size_t>(privacy.selected)];
    const auto character = [](int value) { return std::string(1, static_cast<char>('0' + value)); };
    return "c*B" + character(zone.blueColour) + "R" + character(zone.redColour) + "S" + character(zone.shade)
        + "M" + character(zone.mode) + "h" + TextFields::decimal(zone.horizontalSize, 3) + "v"
        + TextFields::decimal(zone.verticalSize, 3);
}

} // namespace

void addScreenPrivacyCommands(CommandTable& table, CameraState& state)
{
    ScreenPrivacyState& privacy = state.screenPrivacy;
    // "c*N" + zone selects it; "c*NA" (the console's greeting) changes nothing.
    table.add("c*N", [&privacy](std::string_view text) {
        if (const auto zone = zoneAt(text, 3); zone && text.size() == 4)
            privacy.selected = static_cast<int>(*zone);
        return CommandResult::ack();
    });
    table.add("c*M", [&privacy](std::string_view text) {
        const auto zone = zoneAt(text, 3);
        const int mode = charAt(text, 4) - '0';
        if (zone && text.size() == 5 && mode >= 0 && mode <= 2)
            privacy.zones[*zone].mode = mode;
        return CommandResult::ack();
    });
    table.add("c*h", [&privacy](std::string_view text) {
        return setSize(privacy, text, &ScreenPrivacyZone::horizontalSize);
    });
    table.add("c*v", [&privacy](std::string_view text) {
        return setSize(privacy, text, &ScreenPrivacyZone::verticalSize);
    });
    table.add("c*R", [&privacy](std::string_view text) { return setColour(privacy, text, &ScreenPrivacyZone::redColour); });
    table.add("c*B", [&privacy](std::string_view text) { return setColour(privacy, text, &ScreenPrivacyZone::blueColour); });
    table.add("c*S", [&privacy](std::string_view text) { return setColour(privacy, text, &ScreenPrivacyZone::shade); });
    table.add("c*Z?", [&privacy](std::string_view) { return CommandResult::reply(zoneSettings(privacy)); });
}

} // namespace tarn::sim
