#include "link/FrameBuilder.h"

#include "link/Protocols.h"

#include <algorithm>

namespace tarn::FrameBuilder {

namespace {

std::string_view limited(std::string_view command)
{
    // Texts are NUL-terminated on the wire side: nothing after a zero byte counts.
    command = command.substr(0, command.find('\0'));
    return command.substr(0, std::min(command.size(), MaxCommandLength));
}

void appendText(Frame& frame, std::string_view text)
{
    for (const char c : text)
        frame.push(static_cast<std::uint8_t>(c));
}

void appendChecksum(Frame& frame)
{
    frame.push(checksum(std::span(frame.bytes).subspan(1, frame.size - 1)));
}

} // namespace

std::uint8_t checksum(std::span<const std::uint8_t> bytes)
{
    std::uint8_t sum = 0;
    for (const std::uint8_t byte : bytes)
        sum ^= byte;
    return static_cast<std::uint8_t>((sum & 0x0F) + 0x80);
}

Frame tarnFrame(int address, bool broadcast, int protocolIndex, std::string_view command)
{
    Frame frame;
    frame.push(FrameByte::Start);
    if (broadcast || address == 255) {
        frame.push(FrameByte::Broadcast);
    } else if (address >= 1 && address <= HighestShortAddress) {
        frame.push(static_cast<std::uint8_t>(address));
    } else {
        frame.push(FrameByte::ExtendedAddress);
        // Digits most significant first. With four digits an address of 10000
        // or more puts a character above '9' in the thousands place, as the
        // cameras have always received it.
        if (protocolIndex == Protocol::PhilipsBosch)
            frame.push(static_cast<std::uint8_t>('0' + address / 10000 % 10));
        const int thousands = protocolIndex == Protocol::PhilipsBosch ? address / 1000 % 10
                                                                       : address / 1000;
        frame.push(static_cast<std::uint8_t>('0' + thousands));
        frame.push(static_cast<std::uint8_t>('0' + address / 100 % 10));
        frame.push(static_cast<std::uint8_t>('0' + address / 10 % 10));
        frame.push(static_cast<std::uint8_t>('0' + address % 10));
    }
    appendText(frame, limited(command));
    appendChecksum(frame);
    return frame;
}

Frame cameraFrame(int address, bool broadcast, std::string_view command, bool stxMode)
{
    Frame frame;
    frame.push(FrameByte::Start);
    frame.push(broadcast ? FrameByte::Broadcast : static_cast<std::uint8_t>(address & 0xFF));
    frame.push('c');
    appendText(frame, limited(command));
    appendChecksum(frame);
    if (stxMode)
        frame.push(FrameByte::Etx);
    return frame;
}

Frame passThroughFrame(std::span<std::uint8_t> callerFrame, int address)
{
    if (callerFrame.size() > 4)
        callerFrame[4] = static_cast<std::uint8_t>((address >> 8) & 0xFF);
    if (callerFrame.size() > 5)
        callerFrame[5] = static_cast<std::uint8_t>(address & 0xFF);
    const auto byteAt = [&](std::size_t i) -> std::uint8_t {
        return i < callerFrame.size() ? callerFrame[i] : 0;
    };
    const std::size_t length = std::min<std::size_t>(byteAt(1), MaxPassThroughLength);

    Frame frame;
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i <= length; ++i) {
        const std::uint8_t byte = byteAt(i);
        frame.push(byte);
        if (i >= 1)
            sum = static_cast<std::uint8_t>(sum + byte);
    }
    frame.push(static_cast<std::uint8_t>(-sum));
    return frame;
}

std::array<std::uint8_t, 4> lengthHeader(std::size_t frameLength)
{
    return {0, 0, static_cast<std::uint8_t>((frameLength >> 8) & 0xFF),
            static_cast<std::uint8_t>(frameLength & 0xFF)};
}

} // namespace tarn::FrameBuilder
