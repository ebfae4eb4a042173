#pragma once

#include "link/CommandQueue.h"
#include "link/LinkState.h"
#include "link/NetworkReplyAssembler.h"
#include "link/QueueOwner.h"
#include "link/ReplyRouter.h"
#include "link/ReplySink.h"
#include "link/SerialReplyAssembler.h"
#include "link/TrafficEntry.h"
#include "link/TrafficMonitor.h"
#include "platform/Timers.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tarn {

class ByteTransport;
class Prompter;
class ProfileStore;

// The camera link: the three send operations, the command queue with its main
// pump and the 100 ms response time-out, the reply assembly of both transports,
// the acknowledgement and the routing of replies. Runs on the main thread only.
class CameraLink final : public TimerClient, private ReplySink {
public:
    static constexpr int ResponseTimeoutMs = 100;
    static constexpr int PumpIntervalMs = 100;
    static constexpr int LateChecksumMs = 20;
    // How long after an address query its "A" reply is believed.
    static constexpr int AddressReplyWindowMs = 3000;

    CameraLink(Timers& timers, Prompter& prompter, ProfileStore& profile, LinkEvents& events);
    ~CameraLink();
    CameraLink(const CameraLink&) = delete;
    CameraLink& operator=(const CameraLink&) = delete;

    // Where the bytes go. The network transport is set while a socket exists.
    void setSerialTransport(ByteTransport* transport) { m_serial = transport; }
    void setNetworkTransport(ByteTransport* transport) { m_network = transport; }
    bool hasNetworkTransport() const { return m_network != nullptr; }
    // Told of every frame, answer, time-out and refusal; nothing changes
    // for the line whether it is set or not.
    void setTrafficObserver(TrafficObserver* observer) { m_traffic = observer; }
    // While set, every intact reply goes here and nowhere else (the
    // commissioning sweep, which asks one address after another).
    void setReplyTap(ReplyReceiver* tap) { m_replyTap = tap; }

    // The central framed send. `command` is a NUL-terminated text, or a whole
    // pass-through frame beginning with FF. The buffer may change: the address
    // goes into bytes 4 and 5 of a pass-through frame, and a "v" command is cut
    // to 7 characters. Refusals are shown to the user; always returns 0.
    int SendCommand(std::span<std::uint8_t> command);
    int SendCommand(std::string_view command);
    // F8, address, 'c', command, checksum (and ETX in STX mode).
    int SendCameraCommand(std::string_view command);
    // Bytes as they are, serial link only: the link frames.
    int SendRawBytes(std::span<const std::uint8_t> bytes);

    // Appends to the queue and arms the pump that owns it to send it
    // `delayMs` from now.
    void enqueue(std::string_view command, int delayMs = 5);
    void enqueue(std::span<const std::uint8_t> frame, int delayMs = 5);
    void armPump(int delayMs);
    // The console is closing: nothing queued goes out any more.
    void stopPump();
    // While the line is away the queue keeps its commands and no pump takes
    // any; when it is back the pump that owns the queue goes on in order.
    void setQueuePaused(bool paused);
    bool queuePaused() const { return m_queuePaused; }
    // A dialog's pump takes the queue over until it lets it go; owners nest
    // (a dialog opened from a dialog). The main pump sends nothing meanwhile.
    void claimQueue(QueueOwner& owner);
    void releaseQueue(QueueOwner& owner);
    bool ownsQueue(const QueueOwner& owner) const { return !m_owners.empty() && m_owners.back() == &owner; }
    // A dialog closes: what it queued and did not send is dropped, each entry
    // recorded on the traffic record with `why`, so it is not lost unseen.
    void discardQueued(std::string_view why);
    // Whether a frame sent now would go out on the link in use.
    bool canSend() const;
    // An "A" reply is believed for a few seconds from now ("Reset", or any
    // query the link does not recognise by its text).
    void expectAddressReply();
    // Whether the last framed send left on the line (false when it was
    // refused or the link was away): only then is an answer waited for.
    bool lastSendWentOut() const { return m_lastSendWentOut; }

    // How many whole replies and acknowledgements came, and how many
    // commands the camera left unanswered, since the link was made: a reader
    // of many questions compares the counts before and after.
    struct Tally {
        std::uint64_t replies = 0;
        std::uint64_t acknowledgements = 0;
        std::uint64_t silences = 0;
    };
    const Tally& tally() const { return m_tally; }

    // Bytes from the line.
    void serialByteReceived(std::uint8_t byte, int port);
    void networkBytesReceived(std::span<const std::uint8_t> bytes);

    LinkState& state() { return m_state; }
    const LinkState& state() const { return m_state; }
    CommandQueue& queue() { return m_queue; }
    TrafficMonitor& monitor() { return m_monitor; }
    ReplyRouter& router() { return m_router; }
    Timers& timers() { return m_timers; }

    void timerFired(int id) override;

private:
    void acknowledgementReceived() override;
    void frameReceived(std::span<const std::uint8_t> frame) override;
    void noiseSkipped(std::span<const std::uint8_t> bytes, std::size_t total) override;
    void pumpTick();
    void watchForLateChecksum();
    // A frame that cannot go out is marked "not sent" on the traffic line.
    void send(std::span<const std::uint8_t> frame, bool lengthHeader, TrafficKind kind);
    // The address is outside the protocol's range: recorded, and told in a box.
    void refuseAddress(std::span<const std::uint8_t> command, std::string_view refusal);
    // For the traffic observer.
    void report(const TrafficEvent& event);
    void reportSent(std::span<const std::uint8_t> bytes, TrafficKind kind, bool wentOut, bool lengthHeader = false);
    void reportRefusal(std::span<const std::uint8_t> command, std::string_view why);
    void reportReceived(std::span<const std::uint8_t> frame, bool intact);
    TrafficTransport transportInUse() const;
    std::uint8_t trafficFlags() const;

    Timers& m_timers;
    Prompter& m_prompter;
    LinkEvents& m_events;
    LinkState m_state;
    CommandQueue m_queue;
    TrafficMonitor m_monitor;
    SerialReplyAssembler m_serialAssembler;
    NetworkReplyAssembler m_networkAssembler;
    ReplyRouter m_router;
    ByteTransport* m_serial = nullptr;
    ByteTransport* m_network = nullptr;
    bool m_queuePaused = false;
    bool m_lastSendWentOut = false;
    Tally m_tally;
    std::vector<QueueOwner*> m_owners;
    TrafficObserver* m_traffic = nullptr;
    ReplyReceiver* m_replyTap = nullptr;
    // Where the bytes being assembled came from: the network's read is
    // its acknowledgement as a whole.
    struct Receiving {
        TrafficTransport transport = TrafficTransport::Serial;
        std::span<const std::uint8_t> block;
    };
    Receiving m_receiving;
};

} // namespace tarn
