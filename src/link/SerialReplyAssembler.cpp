#include "link/SerialReplyAssembler.h"

#include "link/FrameBuilder.h"
#include "link/ReplyChecksum.h"
#include "link/ReplySink.h"

#include <algorithm>
#include <span>

namespace tarn {

namespace {
// An F8 frame is at least start, address, two text bytes and the checksum.
constexpr std::size_t ShortestF8Frame = 5;
constexpr std::size_t ShortestStxFrame = 3;
} // namespace

void SerialReplyAssembler::start(std::size_t bytesToClear)
{
    std::fill_n(m_buffer.begin(), std::min(bytesToClear, BufferSize), std::uint8_t{0});
    m_count = 0;
    m_expected = 0;
    m_collecting = true;
}

void SerialReplyAssembler::complete(ReplySink& sink)
{
    const std::size_t size = m_count;
    m_count = 0;
    m_collecting = false;
    sink.frameReceived(std::span<const std::uint8_t>(m_buffer.data(), size));
}

void SerialReplyAssembler::settle(ReplySink& sink)
{
    m_noise.flush(sink);
    if (!m_endInDoubt)
        return;
    m_endInDoubt = false;
    complete(sink);
}

bool SerialReplyAssembler::takeLateChecksum(std::uint8_t byte, ReplySink& sink)
{
    m_endInDoubt = false;
    const bool taken = ReplyChecksum::completedBy(m_buffer, m_count, byte);
    if (taken)
        ++m_count;
    // Else not its checksum: the frame is what it was, and this byte is new.
    complete(sink);
    return taken;
}

void SerialReplyAssembler::feed(std::uint8_t byte, Mode mode, ReplySink& sink)
{
    if (m_endInDoubt && takeLateChecksum(byte, sink))
        return;
    if (m_count == 0) {
        if (mode.lengthMode) {
            if (byte == FrameByte::PassThrough || byte == FrameByte::Start) {
                m_noise.flush(sink);
                start(byte == FrameByte::PassThrough ? 32 : BufferSize);
            }
        } else if (byte == FrameByte::Ack) {
            m_noise.flush(sink);
            sink.acknowledgementReceived();
            return;
        } else if (mode.stxMode ? byte == FrameByte::Stx : byte == FrameByte::Start) {
            m_noise.flush(sink);
            start(BufferSize);
        }
    }
    if (!m_collecting) {
        m_noise.add(byte); // between frames: noise, or the tail of a frame given up
        return;
    }

    if (mode.lengthMode && m_count == 1)
        m_expected = std::size_t{byte} + 2;
    m_buffer[m_count++] = byte;

    bool done = false;
    if (mode.lengthMode)
        done = m_count == m_expected;
    else if (mode.stxMode)
        done = m_count >= ShortestStxFrame && byte == FrameByte::Etx;
    else
        done = m_count >= ShortestF8Frame && byte >= ReplyChecksum::Floor;

    if (done && !mode.lengthMode && !mode.stxMode
        && !ReplyChecksum::intact(std::span<const std::uint8_t>(m_buffer.data(), m_count))) {
        m_endInDoubt = true; // the next byte tells
    } else if (done) {
        complete(sink);
    } else if (m_count == BufferSize) {
        // No end in sight: give the frame up and wait for the next start byte.
        for (std::size_t i = 0; i < m_count; ++i)
            m_noise.add(m_buffer[i]);
        m_count = 0;
        m_collecting = false;
    }
}

} // namespace tarn
