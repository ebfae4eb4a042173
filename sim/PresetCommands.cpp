#include "sim/CameraState.h"
#include "sim/CommandGroups.h"
#include "sim/CommandTable.h"
#include "sim/PresetCode.h"
#include "sim/StatusTexts.h"

#include <optional>

namespace tarn::sim {

namespace {

// The index of the preset named by the character at `position`, if that is
// a preset code.
std::optional<int> presetIndexAt(std::string_view text, std::size_t position)
{
    if (text.size() <= position)
        return std::nullopt;
    return PresetCode::indexOf(text[position]);
}

Preset* presetAt(CameraState& state, std::string_view text, std::size_t position)
{
    const auto index = presetIndexAt(text, position);
    return index ? &state.presets[static_cast<std::size_t>(*index)] : nullptr;
}

CommandResult store(CameraState& state, std::string_view text)
{
    if (Preset* preset = presetAt(state, text, 1)) {
        preset->stored = true;
        preset->pan = state.pan.roundedPosition();
        preset->tilt = state.tilt.roundedPosition();
        preset->zoom = state.zoom.roundedPosition();
        preset->focus = state.focus.roundedPosition();
    }
    return CommandResult::ack();
}

// The dome jumps to the stored position: the console only ever reads the
// position after the move, so the travel itself is not worth modelling.
CommandResult recall(CameraState& state, std::string_view text)
{
    const Preset* preset = presetAt(state, text, 1);
    if (preset && preset->stored) {
        state.stopAll();
        state.leaveTour();
        state.pan.setPosition(preset->pan);
        state.tilt.setPosition(preset->tilt);
        state.zoom.setPosition(preset->zoom);
        state.focus.setPosition(preset->focus);
    }
    return CommandResult::ack();
}

CommandResult nameRequest(CameraState& state, std::string_view text)
{
    const auto index = presetIndexAt(text, 3);
    if (!index)
        return CommandResult::ack();
    return CommandResult::reply(StatusTexts::presetName(state, *index));
}

// "dP" + code + 24 characters; a shorter name is padded with spaces.
CommandResult storeName(CameraState& state, std::string_view text)
{
    if (Preset* preset = presetAt(state, text, 2)) {
        std::string name(text.substr(3, CameraState::PresetNameLength));
        name.resize(CameraState::PresetNameLength, ' ');
        preset->name = name;
    }
    return CommandResult::ack();
}

} // namespace

void addPresetCommands(CommandTable& table, CameraState& state)
{
    table.add("P", [&state](std::string_view text) { return store(state, text); });
    table.add("H", [&state](std::string_view text) { return recall(state, text); });
    table.add("cdS", [&state](std::string_view text) { return nameRequest(state, text); });
    table.add("dP", [&state](std::string_view text) { return storeName(state, text); });
}

} // namespace tarn::sim
