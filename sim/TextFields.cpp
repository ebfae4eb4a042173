#include "sim/TextFields.h"

#include <cstdio>

namespace tarn::sim::TextFields {

std::string decimal(int value, int width)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    return text;
}

std::string nibbles(int value, int count)
{
    std::string text(static_cast<std::size_t>(count), '0');
    for (int i = count - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = static_cast<char>('0' + (value & 0x0F));
        value >>= 4;
    }
    return text;
}

std::optional<int> lowNibbles(std::string_view text, int base)
{
    if (text.empty())
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        // Only the characters '0'..'?' carry a digit; anything else is not a number.
        if (c < '0' || c > '?')
            return std::nullopt;
        value = value * base + (c & 0x0F);
    }
    return value;
}

std::optional<int> digit(char c)
{
    if (c < '0' || c > '9')
        return std::nullopt;
    return c - '0';
}

} // namespace tarn::sim::TextFields
