#pragma once

#include "link/TrafficRecord.h"

#include <cstdint>
#include <string>

namespace tarn {

// The traffic record as text that a person can read and a tool can parse:
// one line per entry, tab-separated columns
//
//   time  dir  address  text  hex  verdict  kind  link  to  rtt_ms  note
//
// after two '#' lines naming the format and the columns (and a third when
// earlier entries of the session are not in it: dropped for room, or cleared). No column holds a tab or a line end:
// the text shows every byte that is not printable ASCII, and the backslash,
// as \xNN; the note escapes control characters the same way.
namespace TrafficTextLog {

std::string header(std::uint64_t earlierEntries);
std::string line(const TrafficEntry& entry, const SessionStart& start);
// Header and every entry held.
std::string whole(const TrafficRecord& record);

// "2024-05-01T14:34:56.789+02:00": local time with its offset.
std::string isoTime(const SessionStart& start, std::int64_t timeUs);
// "14:34:56.789"
std::string clockTime(const SessionStart& start, std::int64_t timeUs);
// "5", "broadcast", "0224 (ext)", or empty.
std::string addressText(const TrafficEntry& entry);
// "12.3" (milliseconds), or empty for none.
std::string roundTripText(std::int64_t roundTripUs);
// Control characters and the backslash as \xNN; other bytes, UTF-8 included, as they are.
std::string escapedNote(std::string_view note);

} // namespace TrafficTextLog
} // namespace tarn
