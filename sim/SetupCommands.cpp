#include "sim/CameraState.h"
#include "sim/CommandGroups.h"
#include "sim/CommandTable.h"

#include <algorithm>
#include <array>
#include <utility>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarn::sim {

namespace {

constexpr int ProtocolCount = 11;
constexpr int HighestElevation = 10000;
constexpr std::size_t SerialNumberLength = 7;

bool allDigits(std::string_view text)
{
    return !text.empty()
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The digit after `prefix` when it is '0'..'0' + highest.
std::optional<int> digitAfter(std::string_view text, std::size_t prefix, int highest)
{
    if (text.size() != prefix + 1)
        return std::nullopt;
    const int digit = text[prefix] - '0';
    if (digit < 0 || digit > highest)
        return std::nullopt;
    return digit;
}

std::string withDigit(std::string_view text, int digit)
{
    std::string reply(text);
    reply.push_back(static_cast<char>('0' + digit));
    return reply;
}

// A setter: takes the digit when it is one the camera knows, acknowledges
// either way (the command arrived).
void addDigitSetter(CommandTable& table, std::string prefix, int highest, std::function<void(int)> store)
{
    const std::size_t length = prefix.size();
    table.add(std::move(prefix), [=](std::string_view text) {
        if (const auto digit = digitAfter(text, length, highest))
            store(*digit);
        return CommandResult::ack();
    });
}

} // namespace

void addSetupCommands(CommandTable& table, CameraState& state)
{
    SetupState& setup = state.setup;

    table.add("RS", [&state](std::string_view) { return CommandResult::reply("R" + state.firmware); });
    table.add("mSs", [&setup](std::string_view) { return CommandResult::reply("mS" + setup.serialNumber); });
    table.add("sS", [&setup](std::string_view) { return CommandResult::reply(withDigit("s", setup.panTiltType)); });
    table.add("SS", [&setup](std::string_view) { return CommandResult::reply(withDigit("S", setup.direction)); });
    table.add("JcS", [&setup](std::string_view) {
        return CommandResult::reply(withDigit("Jc", setup.javelinContinuous ? 1 : 0));
    });
    table.add("JbS", [&setup](std::string_view) {
        return CommandResult::reply(withDigit("Jb", setup.javelinAddress ? 1 : 0));
    });
    table.add("mND", [&state](std::string_view) { return CommandResult::reply(withDigit("mn", state.ntcip ? 1 : 0)); });

    // "mS" + seven digits: the serial number.
    table.add("mS", [&setup](std::string_view text) {
        const std::string_view digits = text.substr(2);
        if (digits.size() == SerialNumberLength && allDigits(digits))
            setup.serialNumber = std::string(digits);
        return CommandResult::ack();
    });
    addDigitSetter(table, "s", 2, [&setup](int type) { setup.panTiltType = type; });
    addDigitSetter(table, "S", 2, [&setup](int direction) { setup.direction = direction; });
    addDigitSetter(table, "Jc", 1, [&setup](int on) { setup.javelinContinuous = on == 1; });
    addDigitSetter(table, "Jb", 1, [&setup](int on) { setup.javelinAddress = on == 1; });
    addDigitSetter(table, "cv", 1, [&state](int video) { state.videoType = video; });
    // "cP" + '0' + index; the protocol 10 is ':'.
    addDigitSetter(table, "cP", ProtocolCount - 1, [&state](int protocol) { state.identity.protocol = protocol; });
    table.add("fE", [&setup](std::string_view) {
        setup.flip = true;
        return CommandResult::ack();
    });
    table.add("fD", [&setup](std::string_view) {
        setup.flip = false;
        return CommandResult::ack();
    });
    table.add("E", [&setup](std::string_view text) {
        const std::string_view digits = text.substr(1);
        if (digits.size() <= 5 && allDigits(digits)) {
            const int elevation = std::stoi(std::string(digits));
            if (elevation <= HighestElevation)
                setup.elevation = elevation;
        }
        return CommandResult::ack();
    });
    for (const char* prefix : {"Bs", "bs"}) {
        table.add(prefix, [&setup](std::string_view text) {
            static constexpr std::array<std::pair<std::string_view, int>, 7> Speeds{{
                {"9600", 9600}, {"4800", 4800}, {"2400", 2400}, {"1200", 1200},
                {"0600", 600}, {"0300", 300}, {"192K", 19200},
            }};
            // Acknowledged at the old rate; the next frame must come at the new one.
            for (const auto& [word, rate] : Speeds) {
                if (word == text.substr(2))
                    setup.baud = rate;
            }
            return CommandResult::ack();
        });
    }
    table.add("cb", [&setup](std::string_view) {
        setup.bootLoaderRequested = true;
        return CommandResult::ack();
    });
}

} // namespace tarn::sim
