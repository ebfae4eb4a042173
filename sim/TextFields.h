#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarn::sim {

// The character encodings of numbers in the command and reply texts.
namespace TextFields {

// Decimal, zero-padded: pan 0900.
std::string decimal(int value, int width);
// One character per hexadecimal digit, '0' + digit ('0'..'9', ':'..'?'):
// the console reads each character's low four bits.
std::string nibbles(int value, int count);
// Reads `count` characters by their low four bits, most significant first,
// weighted by `base` (10 for decimal fields, 16 for lens positions).
std::optional<int> lowNibbles(std::string_view text, int base);
// A character '0'..'9' as its value.
std::optional<int> digit(char c);

} // namespace TextFields
} // namespace tarn::sim
