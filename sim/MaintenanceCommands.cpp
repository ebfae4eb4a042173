#include "sim/CameraState.h"
#include "sim/CommandGroups.h"
#include "sim/CommandTable.h"
#include "sim/StatusTexts.h"
#include "sim/TextFields.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tarn::sim {

namespace {

constexpr std::size_t PressureWidth = 8;
constexpr std::size_t LastReadingDateWidth = 18; // "06/01/24  02:05 PM"
constexpr std::size_t ShortFormGap = 7;
constexpr int HighestPhaseByte = 6; // 0 crystal lock, 1..6 line-lock phase 0..5

using TextFields::digitChar;

// The character after the command's letters, if there is one.
std::optional<char> argument(std::string_view text, std::size_t position)
{
    if (text.size() <= position)
        return std::nullopt;
    return text[position];
}

// "m" + voltage + "l" + mode + "v" + video + "p" + phase byte + "c" + model.
std::string lensStatus(const CameraState& state)
{
    const LensDrive& lens = state.maintenance.lens;
    return {'m', digitChar(lens.voltage), 'l', digitChar(lens.mode), 'v', digitChar(state.videoType),
            'p', digitChar(state.lineLockPhase), 'c', digitChar(lens.cameraModel)};
}

// Tenths of a degree as "25.0", "-3.5".
std::string tenths(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%s%d.%d", value < 0 ? "-" : "", std::abs(value) / 10,
                  std::abs(value) % 10);
    return text;
}

// Front (housing) temperature up to 'B', then the back four characters.
std::string barrelTemperature(const CameraState& state)
{
    const int front = std::clamp(state.temperature, -99, 999) * 10;
    std::string back = tenths(std::clamp(front - 15, -99, 999));
    back.resize(4, ' ');
    return "mT" + tenths(front) + "B" + back;
}

std::string pressureText(int thousandths)
{
    char text[24];
    std::snprintf(text, sizeof text, "%4d.%03d", thousandths / 1000, thousandths % 1000);
    std::string result = text;
    result.resize(PressureWidth, ' ');
    return result;
}

// The six words the pressure sensor was calibrated with, as the console's
// log header names them: CW1..CW4, then the raw pressure and temperature.
std::string calibrationWords(const CameraState& state)
{
    const Barrel& barrel = state.maintenance.barrel;
    std::array<int, 6> words{};
    if (barrel.calWordsStored)
        words = {0x1A2B, 0x3C4D, 0x5E6F, 0x7081, (barrel.pressure * 4) & 0xFFFF,
                 (state.temperature * 100 + 0x4000) & 0xFFFF};
    char text[40];
    std::snprintf(text, sizeof text, "%04X %04X %04X %04X %04X %04X", words[0], words[1], words[2],
                  words[3], words[4], words[5]);
    return text;
}

// "mPS", with or without the date the console adds ("d06/01/24  02:05 PM").
// The first reading has the short form; a dated reading after another
// carries the one before as "lr". Each reading is a little lower.
CommandResult pressureReading(CameraState& state, std::string_view text)
{
    Barrel& barrel = state.maintenance.barrel;
    const std::string current = pressureText(barrel.pressure);
    std::string reply = "mP" + current;
    const bool dated = text.size() > 3 && text[3] == 'd';
    if (dated && barrel.lastReading)
        reply += "lr" + *barrel.lastReading;
    else
        reply += std::string(ShortFormGap, ' ');
    reply += "pt" + calibrationWords(state) + "S" + barrel.serial;
    if (dated) {
        std::string date(text.substr(4));
        date.resize(LastReadingDateWidth, ' ');
        barrel.lastReading = current + date;
    }
    barrel.pressure = std::max(0, barrel.pressure - Barrel::LeakPerReading);
    return CommandResult::reply(std::move(reply));
}

CommandResult virtualHome(CameraState& state, std::string_view text)
{
    Barrel& barrel = state.maintenance.barrel;
    switch (argument(text, 2).value_or(0)) {
    case 's':
        barrel.homePan = state.pan.roundedPosition();
        barrel.homeTilt = StatusTexts::tiltOnTheWire(state);
        break;
    case 'c': barrel.homePan = barrel.homeTilt = 0; break;
    case 'g':
        return CommandResult::reply("mV" + TextFields::decimal(barrel.homePan, 4)
                                    + TextFields::decimal(barrel.homeTilt, 4));
    default: break;
    }
    return CommandResult::ack();
}

// "mc" alone calibrates the lens; "mc0".."mc5" chooses the camera module
// model; "mcs" / "mcc" store or clear the barrel's calibration words.
CommandResult cameraOrCalibration(CameraState& state, std::string_view text)
{
    MaintenanceState& maintenance = state.maintenance;
    const auto c = argument(text, 2);
    if (c == 's' || c == 'c')
        maintenance.barrel.calWordsStored = c == 's';
    else if (c && *c >= '0' && *c <= '5')
        maintenance.lens.cameraModel = *c - '0';
    return CommandResult::ack();
}

// Erases the camera's setup data: presets and their names, the lens drive
// and the virtual home. The barrel itself is not setup data.
CommandResult clearSetupMemory(CameraState& state)
{
    state.presets = {};
    state.leaveTour();
    state.maintenance.lens = {};
    state.maintenance.barrel.homePan = state.maintenance.barrel.homeTilt = 0;
    state.maintenance.barrel.heaterLevel = Barrel{}.heaterLevel;
    return CommandResult::ack();
}

void addLensCommands(CommandTable& table, CameraState& state)
{
    LensDrive& lens = state.maintenance.lens;
    table.add("m?", [&state](std::string_view) { return CommandResult::reply(lensStatus(state)); });
    for (const char voltage : {'0', '1', '2'}) {
        table.add(std::string{'m', voltage}, [&lens, voltage](std::string_view) {
            lens.voltage = voltage - '0';
            return CommandResult::ack();
        });
    }
    table.add("ml", [&lens](std::string_view text) {
        if (const auto c = argument(text, 2))
            lens.mode = *c & 0x0F;
        return CommandResult::ack();
    });
    table.add("mv", [&state](std::string_view text) {
        if (const auto c = argument(text, 2); c == '0' || c == '1')
            state.videoType = *c - '0';
        return CommandResult::ack();
    });
    table.add("Lp", [&state](std::string_view text) {
        if (const auto c = argument(text, 2); c && *c >= '0' && *c - '0' <= HighestPhaseByte)
            state.lineLockPhase = *c - '0';
        return CommandResult::ack();
    });
    table.add("mX", [&lens](std::string_view text) {
        const auto c = argument(text, 2);
        if (c == 'S')
            return CommandResult::reply({'m', 'X', digitChar(lens.extender ? 1 : 0)});
        if (c)
            lens.extender = (*c & 0x01) != 0;
        return CommandResult::ack();
    });
    table.add("mR", [&lens](std::string_view text) {
        const auto c = argument(text, 2);
        if (c == 'S')
            return CommandResult::reply({'m', 'R', digitChar(lens.infrared)});
        if (c)
            lens.infrared = *c & 0x03;
        return CommandResult::ack();
    });
    table.add("mc", [&state](std::string_view text) { return cameraOrCalibration(state, text); });
}

void addBarrelCommands(CommandTable& table, CameraState& state)
{
    Barrel& barrel = state.maintenance.barrel;
    table.add("mt", [&barrel](std::string_view text) {
        if (argument(text, 2) == 'S')
            return CommandResult::reply("mt" + TextFields::decimal(std::clamp(barrel.heaterLevel, 0, 99), 2));
        // "mt4060e01": the trigger level is its first two digits.
        const auto tens = TextFields::digit(argument(text, 2).value_or(0));
        const auto ones = TextFields::digit(argument(text, 3).value_or(0));
        if (tens && ones)
            barrel.heaterLevel = *tens * 10 + *ones;
        return CommandResult::ack();
    });
    table.add("mf", [&state](std::string_view text) {
        const auto c = argument(text, 2);
        if (c == 'S')
            return CommandResult::reply({'m', 'f', state.videoFreeze});
        if (c == '0' || c == '1')
            state.videoFreeze = *c;
        return CommandResult::ack();
    });
    table.add("mV", [&state](std::string_view text) { return virtualHome(state, text); });
    table.add("mTS", [&state](std::string_view) { return CommandResult::reply(barrelTemperature(state)); });
    table.add("mPS", [&state](std::string_view text) { return pressureReading(state, text); });
    table.add("rrRRRR", [&state](std::string_view) { return clearSetupMemory(state); });
}

} // namespace

void addMaintenanceCommands(CommandTable& table, CameraState& state)
{
    addLensCommands(table, state);
    addBarrelCommands(table, state);
}

} // namespace tarn::sim
