#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarn {

// The camera's answers to the Camera ID queries, read from the whole reply
// frame (byte 0 on). The reply code stands where the router found the
// command letter (after the extended address digits, if any):
//   "SC" + status byte             answers "cdSc"
//   "SL" + line digit + 24 chars   answers "cdSl1", "cdSl2"
//   "h" + two preset characters    answers "h?" (each character is preset + 16)
// Only the reply's data is read, never its checksum.
struct CameraIdReply {
    // CutShort: one of these replies without the fields it must have (an
    // "SC" without its status byte, an "SL" without its line digit).
    enum class Kind { Status, Line, AlarmPresets, CutShort };

    // Bits of the "SC" status byte.
    static constexpr std::uint8_t DisplayAtTopBit = 0x01;
    static constexpr std::uint8_t IdEnabledBit = 0x02;
    static constexpr std::uint8_t LpEnableBit = 0x04;
    static constexpr std::uint8_t MaintenanceTextBit = 0x10;
    // The first of these that is set names the ID line 5 display mode 0, 1, 2.
    static constexpr std::uint8_t DisplayModeBits[3] = {0x20, 0x40, 0x80};

    Kind kind = Kind::Status;
    std::uint8_t status = 0;
    int line = 0;        // 1..5
    std::string text;    // 24 characters, any byte that is not an ID character made a space
    // 0..64 each; a character outside '\x10'..'P' is left out.
    std::optional<int> alarm1Preset;
    std::optional<int> alarm2Preset;

    // The display mode the status byte names, if any.
    std::optional<int> displayMode() const;

    // nullopt for any other reply; CutShort for one of these too short to
    // hold its value.
    static std::optional<CameraIdReply> parse(std::span<const std::uint8_t> frame, int protocolIndex);
};

} // namespace tarn
