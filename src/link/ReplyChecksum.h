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

// The form is told by the first byte: FF pass-through, 02 STX, else F8.
bool intact(std::span<const std::uint8_t> frame);

} // namespace ReplyChecksum
} // namespace tarn
