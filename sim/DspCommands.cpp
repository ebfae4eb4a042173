#include "sim/CameraState.h"
#include "sim/CommandGroups.h"
#include "sim/CommandTable.h"
#include "sim/StatusTexts.h"
#include "sim/TextFields.h"

#include <algorithm>
#include <optional>

namespace tarn::sim {

namespace {

constexpr int ByteOffset = 16; // gains and levels travel as 16 + the number
constexpr int LowestGain = 1;
constexpr int HighestGain = 40;
constexpr int HighestLevel = 31;

// The list index after a command's letters: '0' + index, so 10..15 are
// ':' to '?'. Nothing when the character is missing or names no entry.
std::optional<int> indexAt(std::string_view text, std::size_t position, int count)
{
    if (position >= text.size())
        return std::nullopt;
    const int index = static_cast<unsigned char>(text[position]) - '0';
    return index >= 0 && index < count ? std::optional<int>(index) : std::nullopt;
}

std::optional<int> byteAt(std::string_view text, std::size_t position)
{
    if (position >= text.size())
        return std::nullopt;
    return static_cast<unsigned char>(text[position]);
}

// A setting chosen from a list: taken when the index is one of the list,
// acknowledged either way.
CommandTable::Handler setting(int& stored, std::size_t position, int count)
{
    return [&stored, position, count](std::string_view text) {
        if (const auto index = indexAt(text, position, count))
            stored = *index;
        return CommandResult::ack();
    };
}

CommandResult whiteBalance(DspSettings& dsp, std::string_view text)
{
    if (const auto mode = indexAt(text, 2, 3)) {
        dsp.whiteBalance = *mode;
        return CommandResult::ack();
    }
    // The trim buttons: one step per press, "cWQ" on release.
    switch (text.size() > 2 ? text[2] : '\0') {
    case 'R': ++dsp.redGain; break;
    case 'r': --dsp.redGain; break;
    case 'B': ++dsp.blueGain; break;
    case 'b': --dsp.blueGain; break;
    default: break;
    }
    return CommandResult::ack();
}

// "cAH"/"cAV" + 16 + level; "cA0"/"cA1" the mode.
CommandResult aperture(DspSettings& dsp, std::string_view text)
{
    if (const auto mode = indexAt(text, 2, 2)) {
        dsp.apertureMode = *mode;
        return CommandResult::ack();
    }
    const auto byte = byteAt(text, 3);
    if (!byte || *byte - ByteOffset < 1 || *byte - ByteOffset > HighestLevel)
        return CommandResult::ack();
    if (text[2] == 'H')
        dsp.apertureHorizontal = *byte - ByteOffset;
    else if (text[2] == 'V')
        dsp.apertureVertical = *byte - ByteOffset;
    return CommandResult::ack();
}

// "cG" + 16 + dB; more than the block can give is held at its highest.
CommandResult maximumGain(DspSettings& dsp, std::string_view text)
{
    const auto byte = byteAt(text, 2);
    if (byte && *byte - ByteOffset >= LowestGain)
        dsp.maximumGain = std::min(*byte - ByteOffset, HighestGain);
    return CommandResult::ack();
}

CommandResult magnification(CameraState& state, std::string_view text)
{
    const auto byte = byteAt(text, 3);
    if (byte && *byte >= 1 && *byte <= StatusTexts::HighestMagnification) {
        state.zoom.stop();
        state.zoom.setPosition(static_cast<double>(*byte - 1) * CameraState::LensTop
                               / (StatusTexts::HighestMagnification - 1));
    }
    return CommandResult::ack();
}

// "cVS" asks for the zoom position; "cV" + four hexadecimal characters goes there.
CommandResult zoomPosition(CameraState& state, std::string_view text)
{
    if (text == "cVS")
        return CommandResult::reply("cV" + StatusTexts::dspZoomPosition(state));
    if (text.size() != 6)
        return CommandResult::ack();
    const auto high = DspRegisters::byteOf(text.substr(2, 2));
    const auto low = DspRegisters::byteOf(text.substr(4, 2));
    if (high && low) {
        const int position = std::min(*high << 8 | *low, StatusTexts::DspZoomTop);
        state.zoom.stop();
        state.zoom.setPosition(static_cast<double>(position) * CameraState::LensTop / StatusTexts::DspZoomTop);
    }
    return CommandResult::ack();
}

CommandResult stabiliser(DspSettings& dsp, std::string_view text)
{
    if (text.size() > 2 && text[2] == 'F') {
        if (const auto frequency = indexAt(text, 3, 2))
            dsp.stabiliserFrequency = *frequency;
    } else if (const auto on = indexAt(text, 2, 2)) {
        dsp.stabiliser = *on;
        // Digital zoom and stabilisation do not go together.
        if (*on)
            dsp.digitalZoom = 0;
    }
    return CommandResult::ack();
}

// "cF0", "cF1", "cF3" and ":cF2": the auto-focus type, kept in its register.
CommandResult autoFocusType(CameraState& state, int index)
{
    static constexpr std::uint8_t values[] = {0x00, 0x01, 0x03, 0x05};
    state.dspRegisters.write(DspRegisters::AutoFocusType, values[index]);
    return CommandResult::ack();
}

// ":R" + address + "00": the register's value comes back as ":R" + address + value.
CommandResult readRegister(const CameraState& state, std::string_view text)
{
    if (text.size() < 6)
        return CommandResult::ack();
    const std::string_view address = text.substr(2, 4);
    return CommandResult::reply(":R" + std::string(address)
                                + DspRegisters::hexOf(state.dspRegisters.read(address)));
}

// ":W" + address + value.
CommandResult writeRegister(CameraState& state, std::string_view text)
{
    if (text.size() != 8)
        return CommandResult::ack();
    if (const auto value = DspRegisters::byteOf(text.substr(6, 2)))
        state.dspRegisters.write(text.substr(2, 4), *value);
    return CommandResult::ack();
}

} // namespace

void addDspCommands(CommandTable& table, CameraState& state)
{
    DspSettings& dsp = state.dsp;
    table.add("cM", setting(dsp.dayNightMode, 2, 3));
    table.add("cR", setting(dsp.infraredMode, 2, 3));
    table.add("cS", setting(dsp.shutter, 2, 16));
    table.add("ck", setting(dsp.slowShutterLimit, 2, 4));
    table.add("cW", [&dsp](std::string_view text) { return whiteBalance(dsp, text); });
    table.add("cw", setting(dsp.indoorOutdoor, 2, 2));
    table.add("cA", [&dsp](std::string_view text) { return aperture(dsp, text); });
    table.add("cG", [&dsp](std::string_view text) { return maximumGain(dsp, text); });
    table.add("cZm", [&state](std::string_view text) { return magnification(state, text); });
    table.add("cV", [&state](std::string_view text) { return zoomPosition(state, text); });
    table.add("cY", setting(dsp.wideDynamicRange, 2, 2));
    table.add("cB", setting(dsp.backLight, 2, 2));
    table.add("cE", [&dsp](std::string_view text) { return stabiliser(dsp, text); });
    table.add("cD", setting(dsp.digitalZoom, 2, 5));
    table.add("cn", setting(dsp.poll, 2, 2));
    table.add("cC", setting(dsp.baud, 2, 4));
    table.add("cF", [&state](std::string_view text) {
        const auto index = indexAt(text, 2, 4);
        return index && *index != 2 ? autoFocusType(state, *index) : CommandResult::ack();
    });
    table.add(":cF2", [&state](std::string_view) { return autoFocusType(state, 2); });
    table.add("cPi", [&state](std::string_view) {
        state.presets = {};
        return CommandResult::ack();
    });
    table.add("cmd", [&dsp](std::string_view) {
        dsp = DspSettings{};
        return CommandResult::ack();
    });
    table.add(":R", [&state](std::string_view text) { return readRegister(state, text); });
    table.add(":W", [&state](std::string_view text) { return writeRegister(state, text); });
    table.add(":E", [&dsp](std::string_view) {
        dsp.rxEnabled = true;
        return CommandResult::ack();
    });
    table.add(":D", [&dsp](std::string_view) {
        dsp.rxEnabled = false;
        return CommandResult::ack();
    });
}

} // namespace tarn::sim
