#pragma once

#include "link/TrafficRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tarn {

// The traffic record byte for byte, to be read back into the Traffic window
// on another machine and replayed by tarn-camsim. All numbers little-endian.
//
// Header, 28 bytes:
//   0..7   "TARNCAP1"
//   8..15  int64  the session's start, microseconds since 1970-01-01 UTC
//   16..19 int32  the local time's offset from UTC then, seconds
//   20..27 uint64 entries of the session before the first one saved
// Then one record per entry:
//   uint16 length of the rest of the record (at least 26)
//   int64  time, microseconds since the session's start (monotonic)
//   int64  round trip of an answer, microseconds; -1 for none
//   uint8  direction, link, kind, verdict, routed-to, flags (TrafficEntry.h)
//   uint16 n, then n bytes: what crossed the line
//   uint16 m, then m bytes: the note, UTF-8
// A record may be longer than its fields; the rest is skipped. A file cut
// short (a trace of a console that went down) reads up to its last whole
// record.
namespace TrafficCapture {

inline constexpr std::string_view Magic = "TARNCAP1";
inline constexpr std::size_t HeaderSize = 28;

std::vector<std::uint8_t> header(const SessionStart& start, std::uint64_t earlierEntries);
void appendRecord(std::vector<std::uint8_t>& out, const TrafficEntry& entry);
// Header and every entry held.
std::vector<std::uint8_t> whole(const TrafficRecord& record);

struct Loaded {
    SessionStart start;
    std::uint64_t earlierEntries = 0;
    std::vector<TrafficEntry> entries; // numbered from earlierEntries, decoded
    // Something that is not a record follows the last entry read.
    bool damaged = false;
};

// Nothing when the bytes do not begin with a capture's header.
std::optional<Loaded> load(std::span<const std::uint8_t> bytes);

} // namespace TrafficCapture
} // namespace tarn
