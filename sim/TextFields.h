#pragma once

#include <cstddef>
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
// One value as one character, '0' + value (10..15 are ':'..'?').
char digitChar(int value);
// A letter and its one-character value: field('W', 1) is "W1".
std::string field(char letter, int value);
// `width` decimal digits at `position`, only when every one is there.
std::optional<int> decimalAt(std::string_view text, std::size_t position, std::size_t width);
// The character at `position`, or '\0' past the end.
char charAt(std::string_view text, std::size_t position);
// A number 1..count travelling as '0' + number at `position`, as an index
// 0..count - 1; nothing when the character is missing or names no entry.
std::optional<std::size_t> numberIndexAt(std::string_view text, std::size_t position, int count);

} // namespace TextFields
} // namespace tarn::sim
