#include "sim/Faults.h"

#include <charconv>

namespace tarn::sim {

namespace {

constexpr int LongestDelayMs = 60'000;

template <typename Number>
bool parseNumber(std::string_view text, Number& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

} // namespace

std::string Faults::set(std::string_view nameValue)
{
    const std::size_t equals = nameValue.find('=');
    const std::string_view name = nameValue.substr(0, equals);
    const bool hasValue = equals != std::string_view::npos;
    const std::string_view value = hasValue ? nameValue.substr(equals + 1) : std::string_view{};

    if (name == "late") {
        int delay = 0;
        if (!hasValue || !parseNumber(value, delay) || delay < 1 || delay > LongestDelayMs)
            return "late needs a delay of 1 to 60000 milliseconds, e.g. late=150";
        lateMs = delay;
        return {};
    }
    if (name == "garbage") {
        if (hasValue && !parseNumber(value, garbageSeed))
            return "garbage takes an optional number (the noise seed)";
        garbage = true;
        return {};
    }
    if (hasValue)
        return "fault " + std::string(name) + " takes no value";
    if (name == "silent")
        silent = true;
    else if (name == "drop-ack")
        dropAck = true;
    else if (name == "split")
        split = true;
    else if (name == "bad-checksum")
        badChecksum = true;
    else
        return "unknown fault " + std::string(name);
    return {};
}

} // namespace tarn::sim
