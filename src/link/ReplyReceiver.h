#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tarn {

// An open dialog that takes camera replies: it gets the whole frame from byte 0
// and parses it itself.
class ReplyReceiver {
public:
    virtual void replyReceived(std::span<const std::uint8_t> frame) = 0;

protected:
    ~ReplyReceiver() = default;
};

// The dialogs that may be registered for replies while they are open.
enum class ReceiverSlot {
    Setup,
    ToursSectors,
    CameraId,
    Azimuth,
    WashSetup,
    WipeSetup,
    OtherMaintenance,
    LensMaintenance,
    ScreenPrivacy,
    Dsp,
    Thermal,
    Count
};

// Where a reply went, as the traffic record tells it. The values are stored
// in traffic captures: new ones go at the end.
enum class ReplyDestination : std::uint8_t {
    None,    // not a routed reply (a frame sent, a bad checksum, an event)
    Dropped, // nobody asked for it: the dialog it belongs to is not open
    Setup,
    ToursSectors,
    CameraId,
    Azimuth,
    WashSetup,
    WipeSetup,
    OtherMaintenance,
    LensMaintenance,
    ScreenPrivacy,
    Dsp,
    Thermal,
    MainPanel,  // status, positions and the Javelin status
    Presets,    // a preset name
    Connection, // the "A" reply with the camera's address
    Sweep,      // the commissioning sweep, which takes every reply while it runs
    Count
};

inline ReplyDestination destinationOf(ReceiverSlot slot)
{
    return static_cast<ReplyDestination>(static_cast<int>(ReplyDestination::Setup) + static_cast<int>(slot));
}

// Status fields of a "b" reply or of the Day/Night "c" status form.
struct StatusFields {
    std::optional<std::uint8_t> lens;      // after 'L': power, lens fast, manual iris (bits 1, 2, 0)
    std::optional<std::uint8_t> autoFocus; // after 'A': manual focus in bit 0
    bool dayNightForm = false;             // from the "c" form: bit 3 of `lens` also counts
};

// What the main panel and the connection sequence learn from the replies.
class LinkEvents {
public:
    // 'H', 'L', 'V' replies and a 'P' reply to the panel's preset query.
    virtual void statusReply(std::span<const std::uint8_t> frame) { (void)frame; }
    // "cP" with the pan and tilt positions.
    virtual void panTiltPosition(int pan, int tilt) { (void)pan, (void)tilt; }
    // 'd': a preset name.
    virtual void presetNameReply(std::span<const std::uint8_t> frame) { (void)frame; }
    // A Javelin status frame (length 8 or 10) and its status byte.
    virtual void javelinStatus(int length, std::uint8_t status) { (void)length, (void)status; }
    virtual void statusFields(const StatusFields& fields) { (void)fields; }
    // The camera asked for the link frame with its address ('L' '8').
    virtual void addressLinkFrameRequested() {}
    // The "A" reply: the camera's address, already taken as the current one.
    virtual void connectionReply(int address) { (void)address; }
    // "tPe" went out: from now on SendCommand refuses every command.
    virtual void sendLockSet() {}

protected:
    ~LinkEvents() = default;
};

} // namespace tarn
