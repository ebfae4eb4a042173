#include "sim/CameraState.h"
#include "sim/CommandGroups.h"
#include "sim/CommandTable.h"
#include "sim/StatusTexts.h"
#include "sim/TextFields.h"

#include <algorithm>
#include <optional>

namespace tarn::sim {

namespace {

// Tenths of a degree per second.
constexpr double FixedPanTiltSpeed = 200;
constexpr double FastestPan = 1200;
constexpr double FastestTilt = 600;
constexpr int TopSpeedCode = 63;
constexpr int NudgeStep = 10;
// Lens units per second; a zoom speed digit d runs at (d + 1) times the slow rate.
constexpr double SlowLens = 1024;
constexpr double FastZoom = 3 * SlowLens;
constexpr double IrisSpeed = 128;

// The pad's speed codes: 0x10 + s for s up to 31, 0x20 + s from 32 on.
int speedOfCode(char code)
{
    const int value = static_cast<unsigned char>(code);
    return std::clamp(value >= 0x40 ? value - 0x20 : value - 0x10, 0, TopSpeedCode);
}

// One half of a pan/tilt command: "PL"/"PR"/"PS" (or "TU"/"TD"/"TS") at the
// fixed speed, or a direction letter and a speed code. Returns the signed
// speed, or nothing when the pair means nothing.
std::optional<double> partSpeed(std::string_view part, char fixedLetter, char fixedNegative,
                                char fixedPositive, char negative, char positive, double fastest)
{
    if (part.size() != 2)
        return std::nullopt;
    if (part[0] == fixedLetter) {
        if (part[1] == 'S')
            return 0.0;
        if (part[1] == fixedNegative)
            return -FixedPanTiltSpeed;
        if (part[1] == fixedPositive)
            return FixedPanTiltSpeed;
        return std::nullopt;
    }
    const double speed = speedOfCode(part[1]) * fastest / TopSpeedCode;
    if (part[0] == negative)
        return -speed;
    if (part[0] == positive)
        return speed;
    return std::nullopt;
}

// "PLTU", "PSTS", "l" code "u" code, "PS" "d" code, "r" code "TS"...
// Pan right and tilt down count upwards.
CommandResult panTilt(CameraState& state, std::string_view text)
{
    if (text.size() == 2) {
        // One axis alone, at the fixed speed: "PL", "PR", "PS", "TU", "TD", "TS".
        const auto pan = partSpeed(text, 'P', 'L', 'R', 0, 0, FastestPan);
        const auto tilt = partSpeed(text, 'T', 'U', 'D', 0, 0, FastestTilt);
        if (pan || tilt)
            state.leaveTour();
        if (pan)
            state.pan.setSpeed(*pan);
        if (tilt)
            state.tilt.setSpeed(*tilt);
        return CommandResult::ack();
    }
    if (text.size() < 4)
        return CommandResult::ack();
    const auto pan = partSpeed(text.substr(0, 2), 'P', 'L', 'R', 'l', 'r', FastestPan);
    const auto tilt = partSpeed(text.substr(2, 2), 'T', 'U', 'D', 'u', 'd', FastestTilt);
    if (pan && tilt) {
        state.leaveTour();
        state.pan.setSpeed(*pan);
        state.tilt.setSpeed(*tilt);
    }
    return CommandResult::ack();
}

CommandResult nudge(CameraState& state, Axis& axis, int step)
{
    state.leaveTour();
    axis.setPosition(axis.position() + step);
    return CommandResult::ack();
}

CommandResult run(Axis& axis, double speed)
{
    axis.setSpeed(speed);
    return CommandResult::ack();
}

// "cZ" + digit zooms in, "cz" + digit out; anything else after the pair (the
// magnification command "cZm") does not move the lens.
CommandResult zoomAtDigit(CameraState& state, std::string_view text, double direction)
{
    if (text.size() >= 3) {
        if (const auto digit = TextFields::digit(text[2]))
            state.zoom.setSpeed(direction * SlowLens * (*digit + 1));
    }
    return CommandResult::ack();
}

double zoomSpeed(const CameraState& state)
{
    return state.lensFast ? FastZoom : SlowLens;
}

// "cp" + pan + tilt, 4 characters each, read as decimal digits by their low
// four bits (so the '0' + digit encoding the console uses also reads right).
CommandResult gotoPanTilt(CameraState& state, std::string_view text)
{
    if (text.size() < 10)
        return CommandResult::ack();
    const auto pan = TextFields::lowNibbles(text.substr(2, 4), 10);
    const auto tilt = TextFields::lowNibbles(text.substr(6, 4), 10);
    if (pan && tilt) {
        state.leaveTour();
        state.pan.stop();
        state.tilt.stop();
        state.pan.setPosition(*pan);
        const int wire = *tilt % CameraState::PanTurn;
        // Upwards is sent as 3600 minus the angle.
        state.tilt.setPosition(wire > CameraState::PanTurn / 2 ? wire - CameraState::PanTurn : wire);
    }
    return CommandResult::ack();
}

// "v" + zoom + focus, 3 hexadecimal digit characters each.
CommandResult gotoLens(CameraState& state, std::string_view text)
{
    if (text.size() < 7)
        return CommandResult::ack();
    const auto zoom = TextFields::lowNibbles(text.substr(1, 3), 16);
    const auto focus = TextFields::lowNibbles(text.substr(4, 3), 16);
    if (zoom && focus) {
        state.zoom.stop();
        state.focus.stop();
        state.zoom.setPosition(*zoom);
        state.focus.setPosition(*focus);
    }
    return CommandResult::ack();
}

} // namespace

void addMotionCommands(CommandTable& table, CameraState& state)
{
    for (const char* prefix : {"PL", "PR", "PS", "TU", "TD", "TS", "l", "r"})
        table.add(prefix, [&state](std::string_view text) { return panTilt(state, text); });
    table.add("nl", [&state](std::string_view) { return nudge(state, state.pan, -NudgeStep); });
    table.add("nr", [&state](std::string_view) { return nudge(state, state.pan, NudgeStep); });
    table.add("nu", [&state](std::string_view) { return nudge(state, state.tilt, -NudgeStep); });
    table.add("nd", [&state](std::string_view) { return nudge(state, state.tilt, NudgeStep); });

    table.add("ZI", [&state](std::string_view) { return run(state.zoom, zoomSpeed(state)); });
    table.add("ZO", [&state](std::string_view) { return run(state.zoom, -zoomSpeed(state)); });
    for (const char* prefix : {"ZS", "cZs"})
        table.add(prefix, [&state](std::string_view) { return run(state.zoom, 0); });
    table.add("cZ", [&state](std::string_view text) { return zoomAtDigit(state, text, 1); });
    table.add("cz", [&state](std::string_view text) { return zoomAtDigit(state, text, -1); });

    table.add("FN", [&state](std::string_view) { return run(state.focus, -SlowLens); });
    table.add("FF", [&state](std::string_view) { return run(state.focus, SlowLens); });
    for (const char* prefix : {"FS", "cFs"})
        table.add(prefix, [&state](std::string_view) { return run(state.focus, 0); });

    table.add("IO", [&state](std::string_view) { return run(state.iris, IrisSpeed); });
    table.add("IC", [&state](std::string_view) { return run(state.iris, -IrisSpeed); });
    for (const char* prefix : {"IS", "cIs"})
        table.add(prefix, [&state](std::string_view) { return run(state.iris, 0); });

    table.add("cp", [&state](std::string_view text) { return gotoPanTilt(state, text); });
    table.add("v", [&state](std::string_view text) { return gotoLens(state, text); });

    table.add("cPS", [&state](std::string_view) {
        return CommandResult::reply(StatusTexts::panTiltDecimal(state));
    });
    table.add("P?", [&state](std::string_view) {
        return CommandResult::reply(StatusTexts::panTiltNibbles(state));
    });
    table.add("V?", [&state](std::string_view) {
        return CommandResult::reply(StatusTexts::lensPosition(state));
    });
}

} // namespace tarn::sim
