#pragma once

#include "link/Frame.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace tarn {

// Byte layouts of what the console puts on the line.
namespace FrameByte {
inline constexpr std::uint8_t Start = 0xF8;          // first byte of every framed command
inline constexpr std::uint8_t Broadcast = 0xFF;      // address byte reaching every camera
inline constexpr std::uint8_t ExtendedAddress = 0xFE; // ASCII address digits follow
inline constexpr std::uint8_t PassThrough = 0xFF;    // first byte of a Javelin frame
inline constexpr std::uint8_t Ack = 0x06;
inline constexpr std::uint8_t Nak = 0x15;
inline constexpr std::uint8_t Stx = 0x02;
inline constexpr std::uint8_t Etx = 0x03;
} // namespace FrameByte

namespace FrameBuilder {

// The longest command text a frame takes: with five address digits and the
// checksum it still fits the frame buffer.
inline constexpr std::size_t MaxCommandLength = 90;
// The longest LEN of a pass-through frame (LEN + 2 bytes are sent).
inline constexpr std::size_t MaxPassThroughLength = 98;
// Highest address sent as one address byte; above it the extended form is used.
inline constexpr int HighestShortAddress = 223;

// XOR of the bytes, low four bits, plus 0x80: always 0x80..0x8F, so the
// checksum is the only byte after the address with bit 7 set.
std::uint8_t checksum(std::span<const std::uint8_t> bytes);

// F8, address byte (or FE and 4/5 ASCII digits), command, checksum.
// `address` is the working address: 255 is the broadcast byte.
Frame tarnFrame(int address, bool broadcast, int protocolIndex, std::string_view command);

// F8, low 8 bits of the address (or FF), 'c', command, checksum, and 03 in STX mode.
Frame cameraFrame(int address, bool broadcast, std::string_view command, bool stxMode);

// Javelin frame FF LEN ...: the address goes into bytes 4 and 5 of `callerFrame`
// (the caller's buffer changes, as it always did), bytes 0..LEN are copied and
// the two's complement of the sum of bytes 1..LEN is appended. Bytes the caller
// did not supply read as zero.
Frame passThroughFrame(std::span<std::uint8_t> callerFrame, int address);

// 00 00 LH LL before each frame to a port server on port 1234.
std::array<std::uint8_t, 4> lengthHeader(std::size_t frameLength);

} // namespace FrameBuilder
} // namespace tarn
