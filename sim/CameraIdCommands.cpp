#include "sim/CameraState.h"
#include "sim/CommandGroups.h"
#include "sim/CommandTable.h"
#include "sim/TextFields.h"

namespace tarn::sim {

namespace {

constexpr char PresetOffset = 16;

// The line digit at `position`, 1..5, as an index.
std::optional<std::size_t> lineIndexAt(std::string_view text, std::size_t position)
{
    return TextFields::numberIndexAt(text, position, CameraIdState::LineCount);
}

// "dL" + line digit + text: cut or padded to 24.
CommandResult storeLine(CameraIdState& id, std::string_view text)
{
    if (const auto index = lineIndexAt(text, 2)) {
        std::string line(text.substr(3, CameraIdState::LineLength));
        line.resize(CameraIdState::LineLength, ' ');
        id.lines[*index] = line;
    }
    return CommandResult::ack();
}

// "dIE"/"dID" ID on/off, "dIT"/"dIB" top/bottom, "dIC" clear every line.
CommandResult idCommand(CameraIdState& id, std::string_view text)
{
    switch (text.size() > 2 ? text[2] : 0) {
    case 'E': id.idEnabled = true; break;
    case 'D': id.idEnabled = false; break;
    case 'T': id.displayAtTop = true; break;
    case 'B': id.displayAtTop = false; break;
    case 'C':
        id.lines.fill(std::string(CameraIdState::LineLength, ' '));
        id.idEnabled = false;
        break;
    default: break;
    }
    return CommandResult::ack();
}

// "dAE"/"dAD" every alarm line on/off, "dAe"/"dAd" + digit one of them,
// "dAb" blink off.
CommandResult alarmCommand(CameraIdState& id, std::string_view text)
{
    const char what = text.size() > 2 ? text[2] : 0;
    if (what == 'E' || what == 'D') {
        id.alarmTextEnabled = what == 'E';
        id.alarmLineEnabled.fill(id.alarmTextEnabled);
    } else if ((what == 'e' || what == 'd') && text.size() > 3 && text[3] >= '1' && text[3] <= '3') {
        id.alarmLineEnabled[static_cast<std::size_t>(text[3] - '1')] = what == 'e';
    } else if (what == 'b') {
        id.alarmBlink = false;
    }
    return CommandResult::ack();
}

// "h1"/"h2" + preset + 16.
CommandResult alarmPreset(CameraIdState& id, std::string_view text)
{
    if (text.size() > 2 && (text[1] == '1' || text[1] == '2')) {
        const int preset = static_cast<unsigned char>(text[2]) - PresetOffset;
        if (preset >= 0 && preset <= CameraIdState::HighestPreset)
            id.alarmPreset[static_cast<std::size_t>(text[1] - '1')] = preset;
    }
    return CommandResult::ack();
}

std::string alarmPresets(const CameraIdState& id)
{
    std::string text = "h";
    for (const int preset : id.alarmPreset)
        text.push_back(static_cast<char>(preset + PresetOffset));
    return text;
}

// "cdSl" + digit: "SL" + digit + the 24 characters.
CommandResult lineRequest(const CameraIdState& id, std::string_view text)
{
    const auto index = lineIndexAt(text, 4);
    if (!index)
        return CommandResult::ack();
    return CommandResult::reply("SL" + std::string(1, text[4]) + id.lines[*index]);
}

} // namespace

void addCameraIdCommands(CommandTable& table, CameraState& state)
{
    CameraIdState& id = state.cameraId;
    table.add("dL", [&id](std::string_view text) { return storeLine(id, text); });
    table.add("dI", [&id](std::string_view text) { return idCommand(id, text); });
    table.add("dA", [&id](std::string_view text) { return alarmCommand(id, text); });
    table.add("dMD", [&id](std::string_view) {
        id.maintenanceTextEnabled = false;
        return CommandResult::ack();
    });
    table.add("dl5m", [&id](std::string_view text) {
        if (text.size() > 4 && text[4] >= '0' && text[4] <= '2')
            id.displayMode = text[4] - '0';
        return CommandResult::ack();
    });
    table.add("h", [&id](std::string_view text) { return alarmPreset(id, text); });
    table.add("h?", [&id](std::string_view) { return CommandResult::reply(alarmPresets(id)); });
    // "cdSc" also reads as the name request of preset 51 (code 'c'); the
    // camera takes it as the ID status request.
    table.add("cdSc", [&id](std::string_view) {
        return CommandResult::reply("SC" + std::string(1, static_cast<char>(id.statusByte())));
    });
    table.add("cdSl", [&id](std::string_view text) { return lineRequest(id, text); });
}

} // namespace tarn::sim
