#pragma once

#include "sim/Bytes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarn::sim {

// A traffic capture saved by the console ("Save..." in its Traffic window,
// or --trace), read here with the simulator's own reader: the layout is in
// README.md. Only what a replay needs is kept.
struct CapturedEntry {
    // The values the capture stores.
    enum Direction : std::uint8_t { FromConsole = 0, ToConsole = 1, Event = 2 };
    enum Kind : std::uint8_t {
        Tarn = 0, Camera = 1, PassThrough = 2, Link = 3, Stx = 4, LengthMode = 5,
        Ack = 6, TimeOut = 7, Refusal = 8, PortEvent = 9, Raw = 10,
    };
    enum Verdict : std::uint8_t { Ok = 0, BadChecksum = 1, Short = 2, NotSent = 3 };
    static constexpr std::uint8_t FiveDigitAddresses = 0x01;

    std::int64_t timeUs = 0;
    std::uint8_t direction = Event;
    std::uint8_t kind = PortEvent;
    std::uint8_t verdict = Ok;
    std::uint8_t flags = 0;
    Bytes bytes;
};

struct Capture {
    std::vector<CapturedEntry> entries;
    // The file ends in something that is not a whole record (a trace of a
    // console that went down): the entries before it are kept.
    bool damaged = false;
};

// Nothing when the bytes are not a capture.
std::optional<Capture> readCapture(std::span<const std::uint8_t> bytes);

} // namespace tarn::sim
