#pragma once

#include "link/NoiseRun.h"
#include "link/ReplyChecksum.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarn {

class ReplySink;

// Turns what one read from the port server returns into acknowledgements and
// F8 frames (the server always answers in F8 form). One read may hold several
// frames, and a frame may continue in the next read. As on the serial line, an
// F8 frame that does not check at its end byte takes the next byte as its
// checksum when that makes it check (a data byte of 0x80 or more).
class NetworkReplyAssembler {
public:
    static constexpr std::size_t BufferSize = ReplyChecksum::LongestReply;

    void feed(std::span<const std::uint8_t> bytes, ReplySink& sink);

    bool collecting() const { return m_collecting; }
    // A frame that did not check at its end byte waits for one more byte.
    bool endInDoubt() const { return m_endInDoubt; }
    // Bytes passed over that have not been told yet.
    bool noisePending() const { return !m_noise.empty(); }
    // No further byte came: the frame is handed on as it is, and a run of
    // noise has ended.
    void settle(ReplySink& sink);

private:
    void complete(ReplySink& sink);
    // The byte after an F8 frame that did not check; true when it was used.
    bool takeLateChecksum(std::uint8_t byte, ReplySink& sink);

    std::array<std::uint8_t, BufferSize> m_buffer{};
    std::size_t m_count = 0;
    bool m_collecting = false;
    bool m_endInDoubt = false;
    NoiseRun m_noise;
};

} // namespace tarn
