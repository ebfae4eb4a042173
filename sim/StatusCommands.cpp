#include "sim/CameraState.h"
#include "sim/CommandGroups.h"
#include "sim/CommandTable.h"
#include "sim/StatusTexts.h"

#include <charconv>

namespace tarn::sim {

namespace {

constexpr int HighestFourDigitAddress = 9999;
constexpr int HighestFiveDigitAddress = 16384;

CommandResult toggle(bool& flag)
{
    flag = !flag;
    return CommandResult::ack();
}

// "As" + digits: the new address, taken only when it is one the camera can
// be reached at. The acknowledgement goes out either way: the command arrived.
CommandResult setAddress(CameraState& state, std::string_view text)
{
    const std::string_view digits = text.substr(2);
    int address = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), address);
    const int highest = state.addressDigits() == 5 ? HighestFiveDigitAddress : HighestFourDigitAddress;
    if (error == std::errc{} && end == digits.data() + digits.size() && address >= 1
        && address <= highest)
        state.identity.address = address;
    return CommandResult::ack();
}

} // namespace

void addStatusCommands(CommandTable& table, CameraState& state)
{
    table.add("A?", [&state](std::string_view) {
        return CommandResult::reply(StatusTexts::address(state));
    });
    table.add("As", [&state](std::string_view text) { return setAddress(state, text); });
    table.add("L?", [&state](std::string_view) {
        return CommandResult::reply(StatusTexts::lensStatus(state));
    });
    table.add("H?", [&state](std::string_view) {
        return CommandResult::reply(StatusTexts::housingStatus(state));
    });
    table.add("bS", [&state](std::string_view) {
        return CommandResult::reply(StatusTexts::setupStatus(state));
    });
    table.add("cDS", [&state](std::string_view) {
        return CommandResult::reply(StatusTexts::dayNightStatus(state));
    });

    table.add("LL", [&state](std::string_view) { return toggle(state.lensFast); });
    table.add("LM", [&state](std::string_view) { return toggle(state.manualIris); });
    table.add("L1", [&state](std::string_view) { return toggle(state.manualFocus); });
    table.add("L6", [&state](std::string_view) { return toggle(state.autoFocusOnPtz); });

    table.add("mNe", [&state](std::string_view) {
        state.ntcip = true;
        return CommandResult::ack();
    });
    table.add("mNd", [&state](std::string_view) {
        state.ntcip = false;
        return CommandResult::ack();
    });
    table.add("rs", [&state](std::string_view) {
        state.stopAll();
        state.leaveTour();
        return CommandResult::ack();
    });
}

} // namespace tarn::sim
