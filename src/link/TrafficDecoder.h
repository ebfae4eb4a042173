#pragma once

#include "link/TrafficEntry.h"

#include <cstdint>
#include <span>
#include <string>

namespace tarn {

// Reads a frame of the traffic record: its address and its text, and whether
// it is whole and its checksum right. Never reads past the frame's end: the
// bytes may be anything that came off the line or out of a file.
namespace TrafficDecoder {

struct Decoded {
    AddressForm addressForm = AddressForm::None;
    std::int32_t address = -1;
    std::string text;
    TrafficVerdict verdict = TrafficVerdict::Ok;
};

// `frame` without any port-server length header; `addressDigits` is 4 or 5.
Decoded decode(TrafficKind kind, std::span<const std::uint8_t> frame, int addressDigits);

// Fills the entry's decoded fields from its saved ones; returns the verdict the
// bytes themselves give.
TrafficVerdict decodeInto(TrafficEntry& entry);

// Line bytes as text: printable ASCII as itself, a backslash and every other
// byte as \xNN, so the text can be read back byte for byte.
std::string escaped(std::span<const std::uint8_t> bytes);
// "F8 05 41 3F 8F"
std::string hex(std::span<const std::uint8_t> bytes);

} // namespace TrafficDecoder
} // namespace tarn
