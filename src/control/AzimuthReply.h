#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarn {

// The camera's 'U' replies to Azimuth Setup, read from the whole reply frame
// (byte 0 on); positions count from the 'U' where the router found it:
//   "UE" / "UD" + the delay as 3 digits   automatic responses on / off
//   "U?" + text                           the control setup text
// A 'D' or 'E' reply whose fifth character is '?' carries the text too.
struct AzimuthReply {
    static constexpr std::size_t TextLength = 64;
    static constexpr int LowestDelay = 100;
    static constexpr int HighestDelay = 999;

    // 0 enabled ('E'), 1 disabled ('D').
    std::optional<int> autoResponse;
    // Only when three decimal digits follow the letter and make 100..999.
    std::optional<int> delay;
    // From the third character to the frame's end, printable characters only
    // (the checksum and any control byte left out, a tab shown as a space),
    // at most 64.
    std::optional<std::string> controlSetupText;

    // nullopt for a frame that is not a 'U' reply or changes nothing.
    static std::optional<AzimuthReply> parse(std::span<const std::uint8_t> frame, int protocolIndex);
};

} // namespace tarn
