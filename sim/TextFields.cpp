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

char digitChar(int value)
{
    return static_cast<char>('0' + value);
}

std::string field(char letter, int value)
{
    return {letter, digitChar(value)};
}

std::optional<int> decimalAt(std::string_view text, std::size_t position, std::size_t width)
{
    if (text.size() < position + width)
        return std::nullopt;
    int value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        const auto d = digit(text[position + i]);
        if (!d)
            return std::nullopt;
        value = value * 10 + *d;
    }
    return value;
}

char charAt(std::string_view text, std::size_t position)
{
    return position < text.size() ? text[position] : '\0';
}

std::optional<std::size_t> numberIndexAt(std::string_view text, std::size_t position, int count)
{
    if (text.size() <= position)
        return std::nullopt;
    const int number = text[position] - '0';
    if (number < 1 || number > count)
        return std::nullopt;
    return static_cast<std::size_t>(number - 1);
}

} // namespace tarn::sim::TextFields
