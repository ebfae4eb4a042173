#pragma once

#include <cstdint>
#include <span>

namespace tarn {

// Whether a reply frame arrived as the camera sent it. Every reply carries a
// checksum: F8 and STX frames end with the XOR of the bytes after the start
// byte (low four bits plus 0x80, followed by ETX in the STX form); a
// pass-through frame FF LEN ... ends with the byte that makes bytes 1..LEN+1
// sum to zero. A frame that fails its check is noise on the line.
namespace ReplyChecksum {

// An F8 checksum byte has its top bit set; a data byte may too.
inline constexpr std::uint8_t Floor = 0x80;
// The longest reply the console asks for (the 80-byte barrel pressure reply)
// with room to spare: both assemblers hold this much, on either link.
inline constexpr std::size_t LongestReply = 96;

// The form is told by the first byte: FF pass-through, 02 STX, else F8.
bool intact(std::span<const std::uint8_t> frame);
// Bytes 1 .. LEN + 1 of a pass-through frame FF LEN ... sum to zero.
bool passThroughIntact(std::span<const std::uint8_t> frame);

// An F8 frame that did not check at its end byte may have ended early on a
// data byte of 0x80 or more: whether `byte` after the first `count` bytes of
// `buffer` makes it check. The byte stays in the buffer only when it does.
bool completedBy(std::span<std::uint8_t> buffer, std::size_t count, std::uint8_t byte);

} // namespace ReplyChecksum
} // namespace tarn
