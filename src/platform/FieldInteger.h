#pragma once

#include <charconv>
#include <optional>
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

} // namespace tarn
