#pragma once

#include "link/NoiseRun.h"
#include "link/ReplyChecksum.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tarn {

class ReplySink;

// Turns the serial line's bytes, one at a time, into acknowledgements and
// reply frames. Three framings: length mode after a pass-through (Javelin)
// frame (FF LEN ... : LEN + 2 bytes), STX ... ETX, and F8 ... up to the
// checksum byte (the first byte of 0x80 or more after the fifth byte). A few
// replies carry a data byte of 0x80 or more (the Camera ID status of display
// mode 2): when the F8 frame does not check at such a byte and the very next
// byte is its real checksum, that byte ends the frame instead.
class SerialReplyAssembler {
public:
    static constexpr std::size_t BufferSize = ReplyChecksum::LongestReply;

    struct Mode {
        bool lengthMode; // after a pass-through send, before the first Tarn frame
        bool stxMode;
    };

    void feed(std::uint8_t byte, Mode mode, ReplySink& sink);

    bool collecting() const { return m_collecting; }
    // A frame that did not check at its end byte waits for one more byte.
    bool endInDoubt() const { return m_endInDoubt; }
    // Bytes passed over that have not been told yet.
    bool noisePending() const { return !m_noise.empty(); }
    // No further byte came: the frame is handed on as it is, and a run of
    // noise has ended.
    void settle(ReplySink& sink);
    std::size_t count() const { return m_count; }

private:
    void start(std::size_t bytesToClear);
    void complete(ReplySink& sink);
    // The byte after an F8 frame that did not check; true when it was used.
    bool takeLateChecksum(std::uint8_t byte, ReplySink& sink);

    std::array<std::uint8_t, BufferSize> m_buffer{};
    std::size_t m_count = 0;
    std::size_t m_expected = 0;
    bool m_collecting = false;
    bool m_endInDoubt = false;
    NoiseRun m_noise;
};

} // namespace tarn
