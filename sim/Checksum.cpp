#include "sim/Checksum.h"

#include "sim/WireBytes.h"

namespace tarn::sim {

std::uint8_t tarnChecksum(std::span<const std::uint8_t> bytes)
{
    std::uint8_t folded = 0;
    for (const std::uint8_t byte : bytes)
        folded ^= byte;
    return static_cast<std::uint8_t>(Wire::ChecksumBase | (folded & 0x0F));
}

std::uint8_t passThroughChecksum(std::span<const std::uint8_t> bytes)
{
    unsigned sum = 0;
    for (const std::uint8_t byte : bytes)
        sum += byte;
    return static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

} // namespace tarn::sim
