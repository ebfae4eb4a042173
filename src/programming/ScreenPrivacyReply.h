#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tarn {

// A reply for the Screen Privacy Zone Setup dialog, taken apart. Counting
// from the reply letter 'c' (byte 2, later after an extended address):
//
// - "cP" + four digits of pan + four digits of tilt: the current position.
//   Each digit counts with its low four bits, as the camera means them.
// - anything else: the settings of the zone the camera has selected, as
//   items after the second letter, read until a NUL, the checksum or a 'v'
//   item: "B", "R", "S" one character each (low four bits; -1 below '0' or
//   from '@' on), "M" the mode (-1 outside '0'..'2'), "h" and "v" three
//   digits each (100, 10, 1 from the low four bits; -1 when the middle one's
//   exceeds 12). Other bytes are passed over. An item that the end of the
//   frame or the checksum cuts short is not there.
struct ScreenPrivacyReply {
    enum class Kind { Nothing, Position, ZoneSettings };
    Kind kind = Kind::Nothing;

    int pan = 0;
    int tilt = 0;

    std::optional<int> blueColour;  // "B": B-Y
    std::optional<int> redColour;   // "R": R-Y
    std::optional<int> shade;       // "S"
    std::optional<int> mode;        // "M"
    std::optional<int> horizontalSize;
    std::optional<int> verticalSize;
};

// Never reads past the end of `frame`. `protocolIndex` decides how many
// address digits an extended address has, as the routing does.
ScreenPrivacyReply parseScreenPrivacyReply(std::span<const std::uint8_t> frame, int protocolIndex);

} // namespace tarn
