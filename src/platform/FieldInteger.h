#pragma once

#include "core/Messages.h"
#include "platform/Prompter.h"

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

// A dialog's number edit read as the classic field exchange reads it: blanks
// around the number and a leading sign are allowed, anything else is not a
// number (and the caller shows its range message).
inline std::optional<int> readFieldInteger(std::string_view text)
{
    constexpr std::string_view blanks = " \t";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(blanks) - first + 1);
    if (text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A number edit checked against its range: the number, or the text the user
// is shown for it ("Please enter an integer.", or the range's message; by
// default "Please enter an integer between LOWEST and HIGHEST.").
struct NumberEditReading {
    std::optional<int> value;
    std::string refusal;
};

inline NumberEditReading readNumberEdit(std::string_view text, int lowest, int highest,
                                        std::string_view outOfRange = {})
{
    const std::optional<int> value = readFieldInteger(text);
    if (!value)
        return {std::nullopt, std::string(Messages::EnterAnInteger)};
    if (*value < lowest || *value > highest)
        return {std::nullopt, outOfRange.empty() ? Messages::format(Messages::EnterAnIntegerBetween, lowest, highest)
                                                 : std::string(outOfRange)};
    return {value, {}};
}

// The same, with the refusal shown to the user as a warning.
inline std::optional<int> askNumberEdit(Prompter& prompter, std::string_view text, int lowest, int highest,
                                        std::string_view outOfRange = {})
{
    NumberEditReading reading = readNumberEdit(text, lowest, highest, outOfRange);
    if (!reading.value)
        prompter.showMessage(reading.refusal, {}, MessageIcon::Warning);
    return reading.value;
}

} // namespace tarn
