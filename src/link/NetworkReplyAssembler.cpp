#include "link/NetworkReplyAssembler.h"

#include "link/FrameBuilder.h"
#include "link/ReplySink.h"

namespace tarn {

void NetworkReplyAssembler::feed(std::span<const std::uint8_t> bytes, ReplySink& sink)
{
    if (bytes.empty())
        return;
    if (!m_collecting && (bytes[0] == FrameByte::Ack || bytes[0] == FrameByte::Nak)) {
        // The server passes the camera's answer on as one read.
        sink.acknowledgementReceived();
        return;
    }
    for (const std::uint8_t byte : bytes) {
        if (!m_collecting) {
            if (byte != FrameByte::Start)
                continue;
            m_buffer.fill(0);
            m_count = 0;
            m_collecting = true;
        }
        m_buffer[m_count++] = byte;
        if (m_count > 4 && byte >= 0x80) {
            const std::size_t size = m_count;
            m_count = 0;
            m_collecting = false;
            sink.frameReceived(std::span<const std::uint8_t>(m_buffer.data(), size));
        } else if (m_count == BufferSize) {
            m_count = 0;
            m_collecting = false;
        }
    }
}

} // namespace tarn
