#include "sim/FrameParser.h"

#include "sim/Checksum.h"
#include "sim/WireBytes.h"

#include <numeric>

namespace tarn::sim {

namespace {

constexpr std::size_t LinkFrameSize = 6;
// A Javelin frame must reach its address bytes (4 and 5) and fit the
// console's buffer.
constexpr std::size_t ShortestPassThroughLength = 5;
constexpr std::size_t LongestPassThroughLength = 98;

bool isDigit(std::uint8_t byte)
{
    return byte >= '0' && byte <= '9';
}

int digitsValue(std::span<const std::uint8_t> digits)
{
    int value = 0;
    for (const std::uint8_t digit : digits)
        value = value * 10 + (digit - '0');
    return value;
}

} // namespace

FrameParser::FrameParser(int addressDigits, bool lengthHeaders)
    : m_addressDigits(addressDigits)
    , m_lengthHeaders(lengthHeaders)
{
}

std::vector<ReceivedFrame> FrameParser::feed(std::span<const std::uint8_t> bytes)
{
    std::vector<ReceivedFrame> frames;
    for (const std::uint8_t byte : bytes)
        feedByte(byte, frames);
    return frames;
}

void FrameParser::reset()
{
    abandon();
}

void FrameParser::abandon()
{
    m_bytes.clear();
    m_headerLength = 0;
    m_state = State::Idle;
}

void FrameParser::begin(std::uint8_t byte)
{
    if (byte == 0 && m_lengthHeaders) {
        // A header may follow a header that announced nothing: the newer counts.
        abandon();
        m_bytes.push_back(byte);
        m_state = State::Header;
        return;
    }
    State next = State::Idle;
    if (byte == Wire::Start)
        next = State::Tarn;
    else if (byte == Wire::PassThrough)
        next = State::PassThrough;
    else if (byte == Wire::LinkEdge)
        next = State::Link;
    if (next == State::Idle) {
        // Noise also voids a header waiting for its frame.
        abandon();
        return;
    }
    m_bytes.push_back(byte);
    m_state = next;
}

void FrameParser::feedByte(std::uint8_t byte, std::vector<ReceivedFrame>& out)
{
    switch (m_state) {
    case State::Idle:
        begin(byte);
        return;
    case State::Header:
        if (m_bytes.size() == 1 && byte != 0) {
            abandon();
            begin(byte);
            return;
        }
        m_bytes.push_back(byte);
        if (m_bytes.size() == HeaderSize) {
            m_headerLength = HeaderSize;
            m_state = State::Idle;
        }
        return;
    case State::Tarn:
        tarnByte(byte, out);
        return;
    case State::PassThrough:
        passThroughByte(byte, out);
        return;
    case State::Link:
        linkByte(byte, out);
        return;
    }
}

void FrameParser::tarnByte(std::uint8_t byte, std::vector<ReceivedFrame>& out)
{
    const std::size_t size = frameSize();
    if (size == 1) {
        if (byte == Wire::Start) {
            // No camera has that address: a new frame begins here.
            abandon();
            begin(byte);
            return;
        }
        m_bytes.push_back(byte);
        return;
    }
    const std::size_t digits = frameByte(1) == Wire::ExtendedAddress ? m_addressDigits : 0;
    if (size < 2 + digits) {
        if (isDigit(byte)) {
            m_bytes.push_back(byte);
        } else {
            abandon();
            begin(byte);
        }
        return;
    }
    if (byte < Wire::ChecksumBase) {
        if (size + 1 >= LongestFrame)
            abandon(); // the rest of it is skipped as noise
        else
            m_bytes.push_back(byte);
        return;
    }
    if (byte <= Wire::HighestChecksum) {
        m_bytes.push_back(byte);
        finish(ReceivedFrame::Kind::Tarn, out);
        return;
    }
    // Not a checksum: the frame was cut short, and this may start the next one.
    abandon();
    begin(byte);
}

void FrameParser::passThroughByte(std::uint8_t byte, std::vector<ReceivedFrame>& out)
{
    if (frameSize() == 1 && (byte < ShortestPassThroughLength || byte > LongestPassThroughLength)) {
        abandon();
        begin(byte);
        return;
    }
    m_bytes.push_back(byte);
    if (frameSize() == std::size_t{frameByte(1)} + 2)
        finish(ReceivedFrame::Kind::PassThrough, out);
}

void FrameParser::linkByte(std::uint8_t byte, std::vector<ReceivedFrame>& out)
{
    const std::size_t size = frameSize();
    const bool fits = (size == 1 && byte == Wire::LinkVersion) || (size > 1 && size < LinkFrameSize - 1)
                      || (size == LinkFrameSize - 1 && byte == Wire::LinkEdge);
    if (!fits) {
        abandon();
        begin(byte);
        return;
    }
    m_bytes.push_back(byte);
    if (frameSize() == LinkFrameSize)
        finish(ReceivedFrame::Kind::Link, out);
}

void FrameParser::finish(ReceivedFrame::Kind kind, std::vector<ReceivedFrame>& out)
{
    ReceivedFrame frame;
    frame.kind = kind;
    frame.raw = std::move(m_bytes);
    frame.headerLength = m_headerLength;
    abandon();

    const std::span<const std::uint8_t> bytes = frame.frame();
    switch (kind) {
    case ReceivedFrame::Kind::Tarn: {
        const std::uint8_t addressByte = bytes[1];
        std::size_t textStart = 2;
        if (addressByte == Wire::ExtendedAddress) {
            frame.address = digitsValue(bytes.subspan(2, m_addressDigits));
            textStart += m_addressDigits;
        } else {
            frame.broadcast = addressByte == Wire::Broadcast;
            frame.address = addressByte;
        }
        const auto text = bytes.subspan(textStart, bytes.size() - textStart - 1);
        frame.text.assign(text.begin(), text.end());
        frame.intact = tarnChecksum(bytes.subspan(1, bytes.size() - 2)) == bytes.back();
        break;
    }
    case ReceivedFrame::Kind::PassThrough:
        frame.address = bytes[4] * 256 + bytes[5];
        frame.intact = std::accumulate(bytes.begin() + 1, bytes.end(), 0u) % 256 == 0;
        break;
    case ReceivedFrame::Kind::Link:
        frame.address = bytes[2] * 256 + bytes[3];
        frame.linkLetter = bytes[4];
        break;
    }
    if (frame.headerLength > 0) {
        const std::size_t announced = frame.raw[2] * 256u + frame.raw[3];
        if (announced != bytes.size())
            frame.intact = false;
    }
    out.push_back(std::move(frame));
}

} // namespace tarn::sim
