#pragma once

#include "imaging/ThermalSettings.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace tarn {

// The thermal camera's status reply (its answer to "tDS"). After the reply
// letter 't' comes a run of fields, each a letter and its value:
//   k  FFC interval (5 digits, taken 5..30000), temperature change (3, 0..100)
//   R  ROI left (3 digits, 0..639), top (0..511), right (1..640), bottom (1..512)
//   A  plateau (4 digits, 10..1000), ITT mean (3, 0..255), max gain (3, 0..255)
//   W F B C i X S c  one character each, its low four bits the value (so ':'
//      and ';' are 10 and 11); FFC mode (max 2), operating mode (1), video (1),
//      LUT (11), orientation (3), digital zoom (3), Supp. Offset (1),
//      sensor resolution (1)
//   d  one byte: the DDE level plus 15
//   any other letter: one character, skipped
// Digits are decimal, each taken by its low four bits. A value out of its
// field's range leaves that setting alone; the rest still counts.
namespace ThermalStatusReply {

// Applies the reply `frame` (from its start byte) to `settings`. `letter` is
// where the reply letter stands (after the address bytes). The run ends at
// the checksum (the first byte of 0x80 or more) or the end of the frame; a
// field cut short there is not applied.
void apply(std::span<const std::uint8_t> frame, std::size_t letter, ThermalSettings& settings);

} // namespace ThermalStatusReply
} // namespace tarn
