#pragma once

#include <cstdint>
#include <span>

namespace tarn {

// The wiper's settings as Wipe Setup shows and programs them.
struct WipeSettings {
    int runTime = 0;   // seconds, 0..9999
    int delayTime = 0; // seconds, 0..99
    // 0 "Old Module", 1 "New Module", -1 none chosen yet. The camera's digit
    // is kept as it comes (0..15); any other value selects neither radio.
    int module = -1;
};

// The washer's settings as Wash Setup shows and programs them.
struct WashSettings {
    int washTime = 0;   // seconds, 0..99
    int wipeTime = 0;   // seconds, 0..99; only ever read back, never sent
    int frequency = 1;  // minutes between automatic washes: 1..10 typed, up to 168 read back
    int manualWash = 0; // 0 or 1
};

// The camera's answers to "mw?" and "mW?", read from the whole reply frame
// (byte 0 on). The body starts where the router found the command letter:
//   "mwr" + 4 digits + "d" + 2 digits + "m" + 1 digit
//   "mWW" + 2 digits + "w" + 2 digits + "m" + 1 digit + "f" + 3 digits
// Each field is its letter and then digits taken by their low four bits, most
// significant first. A field outside its range is ignored and the rest still
// read; reading stops at the first letter that is not where it belongs, and
// at a field cut short by the frame's end (or its checksum byte).
namespace AccessoryReply {

// false when the frame is not a Wipe Setup answer ("mw"); the settings are
// then untouched.
bool readWipe(std::span<const std::uint8_t> frame, int protocolIndex, WipeSettings& settings);
// false when the frame is not a Wash Setup answer ("mW").
bool readWash(std::span<const std::uint8_t> frame, int protocolIndex, WashSettings& settings);

} // namespace AccessoryReply

} // namespace tarn
