#pragma once

#include "sim/SimClock.h"

#include <cstdint>
#include <optional>
#include <span>

namespace tarn::sim {

// Helpers the pty and TCP servers share.
namespace LineIo {

// Milliseconds until `due` for poll(), rounded up so that the wake-up is
// never early; -1 (wait for ever) without a due time.
int pollTimeout(std::optional<TimePoint> due, TimePoint now);

// Writes what the line takes without waiting. A camera's UART does not wait
// for a listener either: when nobody reads the other end, bytes are lost.
// Returns false when the descriptor failed for good.
bool writeWithoutWaiting(int fd, std::span<const std::uint8_t> bytes, bool socket);

} // namespace LineIo
} // namespace tarn::sim
