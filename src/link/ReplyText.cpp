#include "link/ReplyText.h"

#include "link/FrameBuilder.h"
#include "link/ReplyChecksum.h"
#include "link/ReplyRouter.h"

namespace tarn {

ReplyText::ReplyText(std::span<const std::uint8_t> frame, int protocolIndex)
    : ReplyText(data(frame), ReplyRouter::letterPosition(frame, protocolIndex))
{
}

ReplyText::ReplyText(std::span<const std::uint8_t> frame, std::size_t letter)
    : m_frame(frame)
    , m_letter(letter)
{
}

bool ReplyText::holds(std::size_t offset, std::size_t count) const
{
    if (m_letter + offset + count > m_frame.size())
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (m_frame[m_letter + offset + i] >= 0x80)
            return false;
    }
    return true;
}

std::optional<int> ReplyText::lowNibbles(std::size_t offset, std::size_t count) const
{
    if (!holds(offset, count))
        return std::nullopt;
    int value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value = value * 10 + (m_frame[m_letter + offset + i] & 0x0F);
    return value;
}

std::span<const std::uint8_t> ReplyText::data(std::span<const std::uint8_t> frame)
{
    if (frame.empty())
        return frame;
    if (frame[0] == FrameByte::Stx && frame.back() == FrameByte::Etx)
        frame = frame.first(frame.size() - 1);
    // A checksum has its top bit set: a last byte without it is data (a
    // frame handed on without its checksum).
    return !frame.empty() && frame.back() >= ReplyChecksum::Floor ? frame.first(frame.size() - 1) : frame;
}

std::optional<std::uint8_t> ReplyText::byteAt(std::size_t offset) const
{
    if (!reaches(offset))
        return std::nullopt;
    return m_frame[m_letter + offset];
}

char ReplyText::at(std::size_t offset) const
{
    const std::size_t position = m_letter + offset;
    if (position >= m_frame.size())
        return 0;
    const std::uint8_t byte = m_frame[position];
    return byte >= 0x20 && byte <= 0x7E ? static_cast<char>(byte) : 0;
}

std::string ReplyText::text(std::size_t offset, std::size_t count) const
{
    std::string result;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = at(offset + i);
        if (c == 0)
            break;
        result += c;
    }
    return result;
}

std::string ReplyText::lineText(std::size_t offset, std::size_t count) const
{
    std::string result;
    for (std::size_t position = m_letter + offset; position < m_frame.size() && result.size() < count; ++position) {
        const std::uint8_t byte = m_frame[position];
        if (byte == '\t')
            result += ' ';
        else if (byte >= 0x20 && byte <= 0x7E)
            result += static_cast<char>(byte);
    }
    return result;
}

} // namespace tarn
