#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tarn {

// What a camera's 'm' reply says about the lens drive. Three replies answer
// the lens maintenance queries:
//   status ("m?"):  'm', lens voltage '0'..'2', then at fixed places
//                   'l' + lens-mode byte ('0' + bits), 'v' + '0'/'1' (video),
//                   'p' + phase byte (low nibble: 0 crystal lock, 1..6 phase
//                   0..5), 'c' + '0'..'5' (camera module model)
//   "mXS":          "mX" + a character whose bit 0 is the 2X extender
//   "mRS":          "mR" + a character whose bits 0..1 are the IR filter
// A part that is missing or out of range is left out; the rest still counts.
struct LensReply {
    enum class Kind { None, Status, Extender, Infrared };

    Kind kind = Kind::None;
    // Status.
    int lensVoltage = 0;
    std::optional<int> lensMode;  // bits 0..3
    std::optional<int> video;     // 0 NTSC, 1 PAL
    std::optional<int> phaseByte; // 0 crystal lock, 1..6 phase + 1
    std::optional<int> camera;    // 0..5
    // Extender (0/1) or infrared filter (0..3).
    int value = 0;

    static LensReply parse(std::span<const std::uint8_t> frame, int protocolIndex);
};

} // namespace tarn
