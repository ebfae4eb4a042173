#pragma once

#include <cstdint>
#include <span>

namespace tarn::sim {

// Tarn frames: XOR of the address byte(s) and the text, low four bits, plus
// 0x80.
std::uint8_t tarnChecksum(std::span<const std::uint8_t> bytes);

// Javelin frames: the two's complement of the sum of bytes 1..LEN, so that
// those bytes and the checksum add up to zero.
std::uint8_t passThroughChecksum(std::span<const std::uint8_t> bytes);

} // namespace tarn::sim
