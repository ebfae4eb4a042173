#include "link/NetworkReplyAssembler.h"

#include "link/FrameBuilder.h"
#include "link/ReplyChecksum.h"
#include "link/ReplySink.h"

namespace tarn {

void NetworkReplyAssembler::complete(ReplySink& sink)
{
    const std::size_t size = m_count;
    m_count = 0;
    m_collecting = false;
    m_endInDoubt = false;
    sink.frameReceived(std::span<const std::uint8_t>(m_buffer.data(), size));
}

void NetworkReplyAssembler::settle(ReplySink& sink)
{
    m_noise.flush(sink);
    if (m_endInDoubt)
        complete(sink);
}

bool NetworkReplyAssembler::takeLateChecksum(std::uint8_t byte, ReplySink& sink)
{
    const bool taken = ReplyChecksum::completedBy(m_buffer, m_count, byte);
    if (taken)
        ++m_count;
    // Else not its checksum: the frame is what it was, and this byte is new.
    complete(sink);
    return taken;
}

void NetworkReplyAssembler::feed(std::span<const std::uint8_t> bytes, ReplySink& sink)
{
    if (bytes.empty())
        return;
    if (m_endInDoubt && bytes[0] < ReplyChecksum::Floor)
        complete(sink);
    if (!m_collecting && (bytes[0] == FrameByte::Ack || bytes[0] == FrameByte::Nak)) {
        // The server passes the camera's answer on as one read.
        m_noise.flush(sink);
        sink.acknowledgementReceived();
        return;
    }
    for (const std::uint8_t byte : bytes) {
        if (m_endInDoubt && takeLateChecksum(byte, sink))
            continue;
        if (!m_collecting) {
            if (byte != FrameByte::Start) {
                m_noise.add(byte);
                continue;
            }
            m_noise.flush(sink);
            m_buffer.fill(0);
            m_count = 0;
            m_collecting = true;
        }
        m_buffer[m_count++] = byte;
        if (m_count > 4 && byte >= ReplyChecksum::Floor) {
            if (ReplyChecksum::intact(std::span<const std::uint8_t>(m_buffer.data(), m_count)))
                complete(sink);
            else
                m_endInDoubt = true; // the next byte tells
        } else if (m_count == BufferSize) {
            for (std::size_t i = 0; i < m_count; ++i)
                m_noise.add(m_buffer[i]);
            m_count = 0;
            m_collecting = false;
        }
    }
}

} // namespace tarn
