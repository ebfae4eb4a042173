#pragma once

#include "link/ReplyReceiver.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// The numeric values of these enums are stored in traffic captures: new
// values go at the end, none is ever renumbered.

enum class TrafficDirection : std::uint8_t {
    Sent,     // towards the camera (also a refused or unsent command)
    Received, // from the camera (also the time-out: nothing came)
    Event,    // the link itself: a port opened, lost, connected ...
};

enum class TrafficTransport : std::uint8_t { None, Serial, Network };

// What the entry is. The first six are frames, told apart by how they were
// built or assembled: a camera frame and a Tarn frame may hold the same
// bytes.
enum class TrafficKind : std::uint8_t {
    Tarn,        // F8, address byte (or FE and digits), text, checksum
    Camera,      // the same with 'c' before the text, ETX after it in STX mode
    PassThrough, // Javelin: FF LEN ... checksum
    Link,        // 7E 01 AH AL letter 7E
    Stx,         // a reply 02 address text checksum 03
    LengthMode,  // a reply framed by its length byte, after a pass-through send
    Acknowledgement,
    TimeOut,     // no answer within the response time
    Refusal,     // a send refused before anything was built
    PortEvent,
    Raw,         // bytes sent as they were that are no link frame
    Noise,       // bytes received between frames that belong to none
    Count
};

enum class TrafficVerdict : std::uint8_t {
    Ok,
    BadChecksum,
    Short,    // too short for its own form: cut off, or its length byte lies
    NotSent,  // built, but no link was there to take it
    Refused,
    TimeOut,
    None,     // an event: nothing to judge
    Count
};

// How an entry's address was written.
enum class AddressForm : std::uint8_t {
    None,      // no address (an acknowledgement, an event, a short frame)
    Short,     // one address byte 1..254
    Broadcast, // FF
    Extended,  // FE and ASCII digits
    Word,      // AH/AL of a pass-through or link frame
};

// One line of the traffic record.
struct TrafficEntry {
    // Flags of the frame's context, stored with it.
    static constexpr std::uint8_t FiveDigitAddresses = 0x01; // extended addresses have 5 digits
    static constexpr std::uint8_t LengthHeader = 0x02;       // bytes start with 00 00 LH LL

    std::uint64_t sequence = 0;    // counts every entry of the session, dropped ones included
    std::int64_t timeUs = 0;       // monotonic, since the session started
    std::int64_t roundTripUs = -1; // an answer: since its command went out; -1 none
    TrafficDirection direction = TrafficDirection::Event;
    TrafficTransport transport = TrafficTransport::None;
    TrafficKind kind = TrafficKind::PortEvent;
    TrafficVerdict verdict = TrafficVerdict::None;
    ReplyDestination routedTo = ReplyDestination::None;
    std::uint8_t flags = 0;
    // Exactly as they crossed the line (a port server's length header
    // included), or as they would have.
    std::vector<std::uint8_t> bytes;
    // The refusal's message or the event's text, UTF-8.
    std::string note;

    // Decoded from the bytes when the entry is made or loaded.
    AddressForm addressForm = AddressForm::None;
    std::int32_t address = -1;
    std::string text; // printable ASCII, other bytes as \xNN

    std::size_t headerLength() const { return (flags & LengthHeader) != 0 ? 4 : 0; }
    std::span<const std::uint8_t> frame() const
    {
        const std::size_t header = std::min(headerLength(), bytes.size());
        return std::span(bytes).subspan(header);
    }
    int addressDigits() const { return (flags & FiveDigitAddresses) != 0 ? 5 : 4; }

    // The saved fields, not the decoded ones (they follow from the saved).
    bool sameAs(const TrafficEntry& other) const
    {
        return sequence == other.sequence && timeUs == other.timeUs && roundTripUs == other.roundTripUs
            && direction == other.direction && transport == other.transport && kind == other.kind
            && verdict == other.verdict && routedTo == other.routedTo && flags == other.flags
            && bytes == other.bytes && note == other.note;
    }
};

// What a link part reports; the record adds the time and the decoding.
struct TrafficEvent {
    TrafficDirection direction = TrafficDirection::Event;
    TrafficTransport transport = TrafficTransport::None;
    TrafficKind kind = TrafficKind::PortEvent;
    TrafficVerdict verdict = TrafficVerdict::Ok;
    ReplyDestination routedTo = ReplyDestination::None;
    std::uint8_t flags = 0;
    std::span<const std::uint8_t> bytes;
    std::string_view note;
    // A reply about to be routed: where it went follows through replyRouted().
    bool routing = false;
};

// Told of everything that goes over the line and of what becomes of the
// link. The camera link and the port watchers call it; they work the same
// whether anybody listens or not.
class TrafficObserver {
public:
    virtual void traffic(const TrafficEvent& event) = 0;
    // Where a reply reported with `routing` set goes: told before its
    // receiver runs, so a box the receiver opens (and the event loop it
    // runs) holds nothing up.
    virtual void replyRouted(ReplyDestination destination) = 0;

protected:
    ~TrafficObserver() = default;
};

} // namespace tarn
