#pragma once

#include <optional>

namespace tarn::sim {

// The one character that stands for a preset: index + 0x10 for 0..46 and
// index + 0x31 for 47..63, which keeps clear of the letters that follow 'P'
// in the pan/tilt commands and of '?'.
namespace PresetCode {

std::optional<int> indexOf(char code);
char codeOf(int index);

} // namespace PresetCode
} // namespace tarn::sim
