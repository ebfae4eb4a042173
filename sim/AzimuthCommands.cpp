#include "sim/CameraState.h"
#include "sim/CommandGroups.h"
#include "sim/CommandTable.h"
#include "sim/StatusTexts.h"
#include "sim/TextFields.h"

namespace tarn::sim {

namespace {

using TextFields::charAt;

// "dN" + '0'/'1' zones, 'E'/'D' compass read-out on/off, 't'/'T' permanent
// or timed, 'I'/'i' grouped with the ID text or apart.
CommandResult directionCommand(AzimuthState& azimuth, std::string_view text)
{
    switch (charAt(text, 2)) {
    case '0': azimuth.directionZones = 8; break;
    case '1': azimuth.directionZones = 16; break;
    case 'E': azimuth.directionDisplay = true; break;
    case 'D': azimuth.directionDisplay = false; break;
    case 't': azimuth.directionPermanent = true; break;
    case 'T': azimuth.directionPermanent = false; break;
    case 'I': azimuth.groupedWithIds = true; break;
    case 'i': azimuth.groupedWithIds = false; break;
    default: break;
    }
    return CommandResult::ack();
}

// "dp" + 'E'/'D' azimuth/elevation/zoom read-out on/off, 't'/'T' permanent or timed.
CommandResult positionDisplayCommand(AzimuthState& azimuth, std::string_view text)
{
    switch (charAt(text, 2)) {
    case 'E': azimuth.azElDisplay = true; break;
    case 'D': azimuth.azElDisplay = false; break;
    case 't': azimuth.azElPermanent = true; break;
    case 'T': azimuth.azElPermanent = false; break;
    default: break;
    }
    return CommandResult::ack();
}

// "U" + 'E'/'D' automatic responses on/off, 'T' + 3 digits their delay.
CommandResult autoResponseCommand(AzimuthState& azimuth, std::string_view text)
{
    switch (charAt(text, 1)) {
    case 'E': azimuth.autoResponse = true; break;
    case 'D': azimuth.autoResponse = false; break;
    case 'T': {
        // Three digits, 100..999; anything else leaves the delay as it was.
        const auto delay = text.size() == 5 ? TextFields::decimalAt(text, 2, 3) : std::nullopt;
        if (delay && *delay >= AzimuthState::LowestDelay && *delay <= AzimuthState::HighestDelay)
            azimuth.autoResponseDelay = *delay;
        break;
    }
    default: break;
    }
    return CommandResult::ack();
}

// The current pan, tilt, zoom, focus and latch status, tab-separated:
// "P" + 4 digits, "T" + 4 digits (as in the status replies), "Z" and "F" +
// 3 hexadecimal digits, "L" + the status byte.
std::string currentPositions(const CameraState& state)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    const auto hex3 = [](int value) {
        return std::string{Hex[(value >> 8) & 0xF], Hex[(value >> 4) & 0xF], Hex[value & 0xF]};
    };
    return "P" + TextFields::decimal(state.pan.roundedPosition(), 4) + "\tT"
        + TextFields::decimal(StatusTexts::tiltOnTheWire(state), 4) + "\tZ" + hex3(state.zoom.roundedPosition())
        + "\tF" + hex3(state.focus.roundedPosition()) + "\tL" + StatusTexts::lensStatusByte(state);
}

} // namespace

void addAzimuthCommands(CommandTable& table, CameraState& state)
{
    AzimuthState& azimuth = state.azimuth;
    table.add("mNs", [&state](std::string_view) {
        state.azimuth.northPan = state.pan.roundedPosition();
        return CommandResult::ack();
    });
    table.add("mNc", [&azimuth](std::string_view) {
        azimuth.northPan.reset();
        return CommandResult::ack();
    });
    table.add("dN", [&azimuth](std::string_view text) { return directionCommand(azimuth, text); });
    table.add("dp", [&azimuth](std::string_view text) { return positionDisplayCommand(azimuth, text); });
    table.add("U", [&azimuth](std::string_view text) { return autoResponseCommand(azimuth, text); });
    table.add("US", [&azimuth](std::string_view) {
        return CommandResult::reply(std::string("U") + (azimuth.autoResponse ? 'E' : 'D')
                                    + TextFields::decimal(azimuth.autoResponseDelay, 3));
    });
    table.add("U?", [&state](std::string_view) { return CommandResult::reply("U?" + currentPositions(state)); });
}

} // namespace tarn::sim
