#include "link/ReplyChecksum.h"

#include "link/FrameBuilder.h"

namespace tarn::ReplyChecksum {

bool passThroughIntact(std::span<const std::uint8_t> frame)
{
    // FF LEN, LEN - 1 bytes, the checksum: LEN + 2 bytes in all.
    if (frame.size() < 3 || frame.size() != std::size_t{frame[1]} + 2)
        return false;
    std::uint8_t sum = 0;
    for (const std::uint8_t byte : frame.subspan(1))
        sum = static_cast<std::uint8_t>(sum + byte);
    return sum == 0;
}

namespace {

// The checksum at `position` over bytes 1 .. position - 1.
bool xorIntact(std::span<const std::uint8_t> frame, std::size_t position)
{
    if (position < 2 || position >= frame.size())
        return false;
    return frame[position] == FrameBuilder::checksum(frame.subspan(1, position - 1));
}

} // namespace

bool intact(std::span<const std::uint8_t> frame)
{
    if (frame.empty())
        return false;
    if (frame[0] == FrameByte::PassThrough)
        return passThroughIntact(frame);
    if (frame[0] == FrameByte::Stx)
        return frame.size() >= 4 && frame.back() == FrameByte::Etx && xorIntact(frame, frame.size() - 2);
    return xorIntact(frame, frame.size() - 1);
}

bool completedBy(std::span<std::uint8_t> buffer, std::size_t count, std::uint8_t byte)
{
    if (byte < Floor || count >= buffer.size())
        return false;
    buffer[count] = byte;
    if (intact(buffer.first(count + 1)))
        return true;
    buffer[count] = 0;
    return false;
}

} // namespace tarn::ReplyChecksum
