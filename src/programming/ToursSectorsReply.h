#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarn {

// A camera answer to the Tours and Sectors dialog. After the frame header and
// one more character ('d' or '*') come a two-letter code, the number of the
// sector, zone or tour as '0' + n, and the data:
//   "SS" n e    sector n enabled ('1') or not ('0')
//   "ST" n text sector n's ID text, 24 characters
//   "PS" n e    privacy zone n enabled or not
//   "TS" n e    tour status (taken as a zone status)
//   "TP" n 32   tour n's presets, one byte each: value + 16; 0x0F or 0x10 empty
//   "TD" n 32   tour n's dwell times, the same way
// The code starts at frame byte 3; after an extended address (FE and its
// digits) at byte 7, or 8 with five digits.
struct ToursSectorsReply {
    enum class Kind { Unknown, SectorStatus, SectorText, ZoneStatus, TourStatus, TourPresets, TourDwells };
    static constexpr std::size_t TextLength = 24;
    static constexpr std::size_t StepCount = 32;

    Kind kind = Kind::Unknown;
    int number = 0; // 1..16 for sectors, 1..8 for zones and tours
    bool enabled = false;
    std::string text;
    // Grid rows 1..32 in order; empty for an empty step. A reply cut short
    // carries fewer steps than 32.
    std::array<std::optional<int>, StepCount> steps{};
    std::size_t stepCount = 0;

    // Anything that is not a well-formed answer (unknown code, number out of
    // range, missing enable character) reads as Unknown. Only the bytes
    // before the checksum are read; a text character the wire must not carry
    // reads as a space, a step value out of range as empty.
    static ToursSectorsReply parse(std::span<const std::uint8_t> frame, int protocolIndex);
};

} // namespace tarn
