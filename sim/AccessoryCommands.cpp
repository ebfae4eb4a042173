#include "sim/CameraState.h"
#include "sim/CommandGroups.h"
#include "sim/CommandTable.h"
#include "sim/TextFields.h"

#include <optional>

namespace tarn::sim {

namespace {

using TextFields::decimalAt;

bool letterAt(std::string_view text, std::size_t position, char letter)
{
    return position < text.size() && text[position] == letter;
}

// "mwr" + run time (4 digits) + "d" + delay (2 digits): taken whole or not at all.
CommandResult setWiper(AccessoryState& wiper, std::string_view text)
{
    const auto runTime = decimalAt(text, 3, 4);
    const auto delay = decimalAt(text, 8, 2);
    if (runTime && delay && letterAt(text, 7, 'd')) {
        wiper.wipeRunTime = *runTime;
        wiper.wipeDelay = *delay;
    }
    return CommandResult::ack();
}

// "mWW" + wash time (2) + "m" + manual wash (1) + "f" + frequency (3).
CommandResult setWasher(AccessoryState& washer, std::string_view text)
{
    const auto washTime = decimalAt(text, 3, 2);
    const auto manual = decimalAt(text, 6, 1);
    const auto frequency = decimalAt(text, 8, 3);
    if (washTime && manual && frequency && letterAt(text, 5, 'm') && letterAt(text, 7, 'f') && *manual <= 1
        && *frequency >= 1 && *frequency <= AccessoryState::HighestFrequency) {
        washer.washTime = *washTime;
        washer.manualWash = *manual == 1;
        washer.washFrequency = *frequency;
    }
    return CommandResult::ack();
}

std::string wiperSettings(const AccessoryState& wiper)
{
    return "mwr" + TextFields::decimal(wiper.wipeRunTime, 4) + "d" + TextFields::decimal(wiper.wipeDelay, 2)
        + "m" + TextFields::decimal(wiper.wiperModule, 1);
}

std::string washerSettings(const AccessoryState& washer)
{
    return "mWW" + TextFields::decimal(washer.washTime, 2) + "w" + TextFields::decimal(washer.washWipeTime, 2)
        + "m" + (washer.manualWash ? "1" : "0") + "f" + TextFields::decimal(washer.washFrequency, 3);
}

} // namespace

void addAccessoryCommands(CommandTable& table, CameraState& state)
{
    AccessoryState& accessories = state.accessories;
    table.add("L3", [&accessories](std::string_view) {
        ++accessories.wipes;
        return CommandResult::ack();
    });
    table.add("L2", [&accessories](std::string_view) {
        ++accessories.washes;
        return CommandResult::ack();
    });
    table.add("mw?", [&accessories](std::string_view) { return CommandResult::reply(wiperSettings(accessories)); });
    table.add("mwr", [&accessories](std::string_view text) { return setWiper(accessories, text); });
    table.add("mwm", [&accessories](std::string_view text) {
        if (text.size() > 3 && (text[3] == '0' || text[3] == '1'))
            accessories.wiperModule = text[3] - '0';
        return CommandResult::ack();
    });
    table.add("mW?", [&accessories](std::string_view) { return CommandResult::reply(washerSettings(accessories)); });
    table.add("mWW", [&accessories](std::string_view text) { return setWasher(accessories, text); });
    table.add("mWh", [&state](std::string_view) {
        state.accessories.washHomeStored = true;
        state.accessories.washHomePan = state.pan.roundedPosition();
        state.accessories.washHomeTilt = state.tilt.roundedPosition();
        return CommandResult::ack();
    });
}

} // namespace tarn::sim
