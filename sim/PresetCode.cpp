#include "sim/PresetCode.h"

namespace tarn::sim::PresetCode {

namespace {
constexpr int LowBlockSize = 47;
constexpr int LowBlockOffset = 0x10;
constexpr int HighBlockOffset = 0x31;
constexpr int Count = 64;
} // namespace

std::optional<int> indexOf(char code)
{
    const int value = static_cast<unsigned char>(code);
    if (value >= LowBlockOffset && value < LowBlockOffset + LowBlockSize)
        return value - LowBlockOffset;
    if (value >= LowBlockSize + HighBlockOffset && value < Count + HighBlockOffset)
        return value - HighBlockOffset;
    return std::nullopt;
}

char codeOf(int index)
{
    return static_cast<char>(index < LowBlockSize ? index + LowBlockOffset : index + HighBlockOffset);
}

} // namespace tarn::sim::PresetCode
