#include "link/TrafficDecoder.h"

#include "core/Messages.h"
#include "link/FrameBuilder.h"
#include "link/ReplyChecksum.h"

#include <algorithm>

namespace tarn::TrafficDecoder {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";
constexpr std::uint8_t LinkEdge = 0x7E;
constexpr std::string_view CameraIdStatusCode = "SC";
constexpr std::size_t LinkFrameSize = 6;
// A pass-through frame's address bytes.
constexpr std::size_t AddressHigh = 4;
constexpr std::size_t AddressLow = 5;

void appendHex(std::string& text, std::uint8_t byte)
{
    text += HexDigits[byte >> 4];
    text += HexDigits[byte & 0x0F];
}

// An extended address digit: '0'..'9', and the characters after '9' that a
// four-digit address of 10000 or more puts in its first place.
bool isAddressDigit(std::uint8_t byte)
{
    return byte >= '0' && byte <= '?';
}

// F8 (or 02), address byte or FE and digits, text, checksum, and an ETX
// when `etx`.
Decoded decodeFramed(std::span<const std::uint8_t> frame, int addressDigits, bool etx)
{
    Decoded decoded;
    if (frame.size() < 2) {
        decoded.verdict = TrafficVerdict::Short;
        return decoded;
    }
    const std::uint8_t addressByte = frame[1];
    std::size_t textStart = 2;
    if (addressByte == FrameByte::ExtendedAddress) {
        decoded.addressForm = AddressForm::Extended;
        const std::size_t digits = static_cast<std::size_t>(addressDigits);
        const auto candidate = frame.subspan(2, std::min(digits, frame.size() - 2));
        if (candidate.size() < digits) {
            // Cut off within the address.
            decoded.verdict = TrafficVerdict::Short;
            decoded.text = escaped(candidate);
            return decoded;
        }
        if (std::all_of(candidate.begin(), candidate.end(), isAddressDigit)) {
            decoded.address = 0;
            for (const std::uint8_t digit : candidate)
                decoded.address = decoded.address * 10 + (digit - '0');
            textStart += digits;
        }
    } else if (addressByte == FrameByte::Broadcast) {
        decoded.addressForm = AddressForm::Broadcast;
        decoded.address = addressByte;
    } else {
        decoded.addressForm = AddressForm::Short;
        decoded.address = addressByte;
    }
    const std::size_t trailer = etx ? 2 : 1;
    if (frame.size() < textStart + trailer || (etx && frame.back() != FrameByte::Etx)) {
        decoded.verdict = TrafficVerdict::Short;
        decoded.text = escaped(frame.subspan(std::min(textStart, frame.size())));
        return decoded;
    }
    const std::size_t checksumAt = frame.size() - trailer;
    decoded.text = escaped(frame.subspan(textStart, checksumAt - textStart));
    decoded.verdict = FrameBuilder::checksum(frame.subspan(1, checksumAt - 1)) == frame[checksumAt]
        ? TrafficVerdict::Ok
        : TrafficVerdict::BadChecksum;
    return decoded;
}

// FF LEN ... checksum: LEN + 2 bytes, bytes 1..LEN+1 summing to zero. The
// text is the payload in hex, the address bytes left out.
Decoded decodePassThrough(std::span<const std::uint8_t> frame)
{
    Decoded decoded;
    if (frame.size() > AddressLow) {
        decoded.addressForm = AddressForm::Word;
        decoded.address = frame[AddressHigh] * 256 + frame[AddressLow];
    }
    const std::size_t length = frame.size() > 1 ? std::size_t{frame[1]} + 2 : 0;
    if (frame.size() < 3 || frame.size() != length) {
        decoded.verdict = TrafficVerdict::Short;
    } else {
        decoded.verdict = ReplyChecksum::passThroughIntact(frame) ? TrafficVerdict::Ok : TrafficVerdict::BadChecksum;
    }
    const std::size_t payloadEnd = decoded.verdict == TrafficVerdict::Short ? frame.size() : frame.size() - 1;
    for (std::size_t i = 2; i < payloadEnd; ++i) {
        if (i == AddressHigh || i == AddressLow)
            continue;
        if (!decoded.text.empty())
            decoded.text += ' ';
        appendHex(decoded.text, frame[i]);
    }
    return decoded;
}

Decoded decodeLinkFrame(std::span<const std::uint8_t> frame)
{
    Decoded decoded;
    if (frame.size() != LinkFrameSize || frame[0] != LinkEdge || frame[1] != 0x01 || frame[5] != LinkEdge) {
        decoded.verdict = TrafficVerdict::Short;
        decoded.text = escaped(frame);
        return decoded;
    }
    decoded.addressForm = AddressForm::Word;
    decoded.address = frame[2] * 256 + frame[3];
    decoded.text = escaped(frame.subspan(4, 1));
    return decoded;
}

} // namespace

std::string escaped(std::span<const std::uint8_t> bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (const std::uint8_t byte : bytes) {
        if (byte >= 0x20 && byte <= 0x7E && byte != '\\') {
            text += static_cast<char>(byte);
        } else {
            text += "\\x";
            appendHex(text, byte);
        }
    }
    return text;
}

std::string hex(std::span<const std::uint8_t> bytes)
{
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const std::uint8_t byte : bytes) {
        if (!text.empty())
            text += ' ';
        appendHex(text, byte);
    }
    return text;
}

Decoded decode(TrafficKind kind, std::span<const std::uint8_t> frame, int addressDigits)
{
    switch (kind) {
    case TrafficKind::Tarn: return decodeFramed(frame, addressDigits, false);
    case TrafficKind::Camera:
        // In STX mode the camera frame ends with an ETX after its checksum,
        // a byte no checksum can be.
        return decodeFramed(frame, addressDigits, !frame.empty() && frame.back() == FrameByte::Etx);
    case TrafficKind::Stx: return decodeFramed(frame, addressDigits, true);
    case TrafficKind::PassThrough: return decodePassThrough(frame);
    case TrafficKind::LengthMode:
        // Framed by its length byte; a Javelin frame unless it began with F8.
        if (!frame.empty() && frame[0] == FrameByte::Start)
            return decodeFramed(frame, addressDigits, false);
        return decodePassThrough(frame);
    case TrafficKind::Link: return decodeLinkFrame(frame);
    case TrafficKind::Acknowledgement: {
        Decoded decoded;
        decoded.text = !frame.empty() && frame[0] == FrameByte::Nak ? Messages::TrafficNak : Messages::TrafficAck;
        return decoded;
    }
    case TrafficKind::Refusal:
    case TrafficKind::Raw:
    case TrafficKind::Noise: {
        Decoded decoded;
        decoded.text = escaped(frame);
        return decoded;
    }
    case TrafficKind::TimeOut:
    case TrafficKind::PortEvent:
    case TrafficKind::Count: break;
    }
    return {};
}

TrafficVerdict decodeInto(TrafficEntry& entry)
{
    Decoded decoded = decode(entry.kind, entry.frame(), entry.addressDigits());
    entry.addressForm = decoded.addressForm;
    entry.address = decoded.address;
    entry.text = std::move(decoded.text);
    // A Camera ID status answer without its status byte: its checksum is
    // not its status.
    if (entry.direction == TrafficDirection::Received && decoded.verdict == TrafficVerdict::Ok
        && (entry.kind == TrafficKind::Tarn || entry.kind == TrafficKind::Stx) && entry.text == CameraIdStatusCode)
        return TrafficVerdict::Short;
    return decoded.verdict;
}

} // namespace tarn::TrafficDecoder
