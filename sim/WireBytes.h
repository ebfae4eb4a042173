#pragma once

#include <cstdint>

namespace tarn::sim::Wire {

// The bytes that give the line its structure, as the camera sees them.
inline constexpr std::uint8_t Start = 0xF8;           // first byte of a Tarn frame
inline constexpr std::uint8_t Broadcast = 0xFF;       // address byte reaching every camera
inline constexpr std::uint8_t ExtendedAddress = 0xFE; // ASCII address digits follow
inline constexpr std::uint8_t PassThrough = 0xFF;     // first byte of a Javelin frame
inline constexpr std::uint8_t LinkEdge = 0x7E;        // first and last byte of a link frame
inline constexpr std::uint8_t LinkVersion = 0x01;
inline constexpr std::uint8_t Ack = 0x06;
inline constexpr std::uint8_t Nak = 0x15;
inline constexpr std::uint8_t Stx = 0x02;
inline constexpr std::uint8_t Etx = 0x03;
// Tarn checksums are 0x80..0x8F: the only bytes after the address with bit 7 set.
inline constexpr std::uint8_t ChecksumBase = 0x80;
inline constexpr std::uint8_t HighestChecksum = 0x8F;
inline constexpr std::uint8_t LinkLetterAddress = 'A'; // "who is there": answered in NTCIP mode
inline constexpr std::uint8_t LinkLetterDone = 'D';    // the console has taken over
// Single-byte addresses; higher ones travel as FE and digits.
inline constexpr int HighestShortAddress = 223;

} // namespace tarn::sim::Wire
