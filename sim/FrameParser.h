#pragma once

#include "sim/Bytes.h"
#include "sim/ReceivedFrame.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tarn::sim {

// Cuts the byte stream from the console into frames. Whatever is not part of
// a frame (the ETX after a camera frame in STX mode, line noise, a frame cut
// short) is skipped until the next start byte.
class FrameParser {
public:
    // Frames longer than this are noise: the console never builds one.
    static constexpr std::size_t LongestFrame = 100;
    static constexpr std::size_t HeaderSize = 4;

    // addressDigits: 4, or 5 with the protocol whose addresses reach 16384.
    // lengthHeaders: a 00 00 LH LL header may come before a frame and gives
    // its length (a port server on the header port).
    FrameParser(int addressDigits, bool lengthHeaders);

    std::vector<ReceivedFrame> feed(std::span<const std::uint8_t> bytes);
    // Forgets a half-read frame: a new connection starts clean.
    void reset();

private:
    enum class State { Idle, Header, Tarn, PassThrough, Link };

    void feedByte(std::uint8_t byte, std::vector<ReceivedFrame>& out);
    void begin(std::uint8_t byte);
    void abandon();
    void tarnByte(std::uint8_t byte, std::vector<ReceivedFrame>& out);
    void passThroughByte(std::uint8_t byte, std::vector<ReceivedFrame>& out);
    void linkByte(std::uint8_t byte, std::vector<ReceivedFrame>& out);
    void finish(ReceivedFrame::Kind kind, std::vector<ReceivedFrame>& out);
    std::size_t frameSize() const { return m_bytes.size() - m_headerLength; }
    std::uint8_t frameByte(std::size_t index) const { return m_bytes[m_headerLength + index]; }

    int m_addressDigits;
    bool m_lengthHeaders;
    State m_state = State::Idle;
    // The frame so far, after the header that announced it (if any).
    Bytes m_bytes;
    std::size_t m_headerLength = 0;
};

} // namespace tarn::sim
