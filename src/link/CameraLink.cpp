// The link in one file: the send path, the reply path and the timers of the
// queue share the link state and each other's order of events; read apart they
// hide the order that matters (a reply routed before the queue moves on).
#include "link/CameraLink.h"

#include "core/Messages.h"
#include "link/ByteTransport.h"
#include "link/FrameBuilder.h"
#include "link/Protocols.h"
#include "link/ReplyChecksum.h"
#include "platform/Prompter.h"
#include "platform/TimerIds.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

namespace tarn {

namespace {
constexpr int PortServerWithLengthHeader = 1234;
// "v" commands carry zoom and focus; the camera takes at most 7 characters.
constexpr std::size_t LongestVCommand = 7;
constexpr int HighestWorkingAddress = 16384;
} // namespace

CameraLink::CameraLink(Timers& timers, Prompter& prompter, ProfileStore& profile,
                       LinkEvents& events)
    : m_timers(timers)
    , m_prompter(prompter)
    , m_events(events)
    , m_monitor(timers)
    , m_router(m_state, profile, events)
{
    m_router.setDecided([this](ReplyDestination destination) {
        if (m_traffic)
            m_traffic->replyRouted(destination);
    });
}

CameraLink::~CameraLink()
{
    m_timers.stopAll(*this);
}

void CameraLink::refuseAddress(std::span<const std::uint8_t> command, std::string_view refusal)
{
    reportRefusal(command, Messages::format(Messages::TrafficAddressRefused, std::string(refusal).c_str(),
                                            m_state.address));
    m_prompter.showMessage(refusal, {}, MessageIcon::None);
}

bool CameraLink::canSend() const
{
    if (m_state.linkMode == 0)
        return m_serial && m_serial->canSend();
    if (m_state.linkMode == 1)
        return m_network && m_network->canSend();
    return false;
}

void CameraLink::send(std::span<const std::uint8_t> frame, bool withLengthHeader, TrafficKind kind)
{
    // Nothing is even tried on a link that is away: the failure was told once
    // when it went, and the traffic line says the frame stayed here. No answer
    // is waited for: the camera never had the frame, and the queue goes on.
    m_lastSendWentOut = canSend();
    if (!m_lastSendWentOut) {
        reportSent(frame, kind, false);
        m_monitor.showNotSent();
        m_timers.stop(*this, TimerId::ResponseTimeout);
        m_queue.queueReady = true;
        m_queue.dataReplyDone = true;
        return;
    }
    if (m_state.linkMode == 0) {
        m_serial->write(frame);
        reportSent(frame, kind, true);
        return;
    }
    const bool header = withLengthHeader && m_state.portServerPort == PortServerWithLengthHeader;
    if (header)
        m_network->write(FrameBuilder::lengthHeader(frame.size()));
    m_network->write(frame);
    reportSent(frame, kind, true, header);
}

TrafficTransport CameraLink::transportInUse() const
{
    switch (m_state.linkMode) {
    case 0: return TrafficTransport::Serial;
    case 1: return TrafficTransport::Network;
    default: return TrafficTransport::None;
    }
}

std::uint8_t CameraLink::trafficFlags() const
{
    return m_state.protocolIndex == Protocol::PhilipsBosch ? TrafficEntry::FiveDigitAddresses : 0;
}

void CameraLink::report(const TrafficEvent& event)
{
    if (m_traffic)
        m_traffic->traffic(event);
}

void CameraLink::reportSent(std::span<const std::uint8_t> bytes, TrafficKind kind, bool wentOut, bool lengthHeader)
{
    if (!m_traffic)
        return;
    TrafficEvent event;
    event.direction = TrafficDirection::Sent;
    event.transport = transportInUse();
    event.kind = kind;
    event.verdict = wentOut ? TrafficVerdict::Ok : TrafficVerdict::NotSent;
    event.flags = trafficFlags();
    std::vector<std::uint8_t> withHeader;
    if (lengthHeader) {
        // As it crossed the line: the header went just before the frame.
        const auto header = FrameBuilder::lengthHeader(bytes.size());
        withHeader.assign(header.begin(), header.end());
        withHeader.insert(withHeader.end(), bytes.begin(), bytes.end());
        bytes = withHeader;
        event.flags |= TrafficEntry::LengthHeader;
    }
    event.bytes = bytes;
    report(event);
}

void CameraLink::reportRefusal(std::span<const std::uint8_t> command, std::string_view why)
{
    if (!m_traffic)
        return;
    // The command as it was given: a text up to its end, or a pass-through
    // frame as far as its length byte reaches.
    std::size_t length = 0;
    if (!command.empty() && command[0] == FrameByte::PassThrough)
        length = command.size() > 1 ? std::min(command.size(), std::size_t{command[1]} + 2) : command.size();
    else
        length = strnlen(reinterpret_cast<const char*>(command.data()), command.size());
    TrafficEvent event;
    event.direction = TrafficDirection::Sent;
    event.transport = transportInUse();
    event.kind = TrafficKind::Refusal;
    event.verdict = TrafficVerdict::Refused;
    event.flags = trafficFlags();
    event.bytes = command.first(length);
    event.note = why;
    report(event);
}

void CameraLink::expectAddressReply()
{
    m_state.addressQueryOutstanding = true;
    m_timers.start(*this, TimerId::AddressReplyWindow, AddressReplyWindowMs);
}

int CameraLink::SendCommand(std::string_view command)
{
    std::array<std::uint8_t, FrameBuilder::MaxCommandLength + 1> buffer{};
    const std::size_t length = std::min(command.size(), FrameBuilder::MaxCommandLength);
    std::copy_n(command.begin(), length, buffer.begin());
    return SendCommand(std::span(buffer.data(), length + 1));
}

int CameraLink::SendCommand(std::span<std::uint8_t> command)
{
    m_lastSendWentOut = false;
    if (command.empty())
        return 0;
    // A broadcast is asked for this one command: refused, it must not fall
    // to the next one and reach every dome on the line.
    const bool broadcastAsked = std::exchange(m_state.broadcastNext, false);
    if (m_state.busy || m_state.sendLock) {
        reportRefusal(command, m_state.busy ? Messages::TrafficNotReady : Messages::TrafficSendLocked);
        return 0;
    }
    const auto text = [&] {
        const auto* chars = reinterpret_cast<const char*>(command.data());
        return std::string_view(chars, strnlen(chars, command.size()));
    };
    if (text().starts_with("tPe")) {
        m_state.sendLock = true; // this one still goes out
        m_events.sendLockSet();
    }
    if (const auto refusal = sendCommandRefusal(m_state.protocolIndex, m_state.address)) {
        refuseAddress(command, *refusal);
        return 0;
    }
    // The probe and the camera's reset are answered with the camera's address.
    if (text().starts_with("A?") || text() == "rs")
        expectAddressReply();
    if (text().starts_with("cdS")) {
        m_state.presetNameQuestionWaiting = true;
        m_timers.start(*this, TimerId::PresetNameWindow, AddressReplyWindowMs);
    }
    m_state.framedSend = true;

    if (command[0] == FrameByte::PassThrough) {
        const Frame frame = FrameBuilder::passThroughFrame(command, m_state.address);
        m_monitor.showTransmitted(frame.view(), m_state.stxMode());
        m_queue.dataReplyDone = true;
        m_state.framedSend = false;
        // The link in use, whichever it is; the queue's pump starts the time-out.
        send(frame.view(), false, TrafficKind::PassThrough);
        return 0;
    }

    int address = m_state.address;
    if (address == 0 || address > HighestWorkingAddress)
        address = 1;
    const bool broadcast = broadcastAsked || address == 255;

    if (command[0] == 'v' && text().size() > LongestVCommand)
        command[LongestVCommand] = 0;

    const Frame frame = FrameBuilder::tarnFrame(address, broadcast, m_state.protocolIndex, text());
    m_monitor.showTransmitted(frame.view(), m_state.stxMode());
    send(frame.view(), true, TrafficKind::Tarn);
    if (m_lastSendWentOut)
        m_timers.start(*this, TimerId::ResponseTimeout, ResponseTimeoutMs);
    return 0;
}

int CameraLink::SendCameraCommand(std::string_view command)
{
    const auto commandBytes = std::span(reinterpret_cast<const std::uint8_t*>(command.data()), command.size());
    m_lastSendWentOut = false;
    // As for SendCommand: the broadcast is this command's, sent or refused.
    const bool broadcast = std::exchange(m_state.broadcastNext, false);
    if (m_state.busy) {
        reportRefusal(commandBytes, Messages::TrafficNotReady);
        return 0;
    }
    if (const auto refusal = sendCameraCommandRefusal(m_state.protocolIndex, m_state.address)) {
        refuseAddress(commandBytes, *refusal);
        return 0;
    }
    const Frame frame =
        FrameBuilder::cameraFrame(m_state.address, broadcast, command, m_state.stxMode());
    m_monitor.showTransmitted(frame.view(), m_state.stxMode());
    send(frame.view(), false, TrafficKind::Camera);
    if (m_lastSendWentOut)
        m_timers.start(*this, TimerId::ResponseTimeout, ResponseTimeoutMs);
    return 0;
}

int CameraLink::SendRawBytes(std::span<const std::uint8_t> bytes)
{
    if (m_state.busy) {
        reportRefusal(bytes.first(std::min(bytes.size(), Frame::Capacity)), Messages::TrafficNotReady);
        return 0;
    }
    // The link frame 7E 01 00 00 41 7E asks the camera for its address.
    constexpr std::size_t LinkFrameLetter = 4;
    if (bytes.size() > LinkFrameLetter && bytes[0] == 0x7E && bytes[LinkFrameLetter] == 'A')
        expectAddressReply();
    const auto out = bytes.first(std::min(bytes.size(), Frame::Capacity));
    const bool wentOut = m_state.linkMode == 0 && m_serial && m_serial->canSend();
    if (wentOut)
        m_serial->write(out);
    const bool linkFrame = !out.empty() && out[0] == 0x7E;
    reportSent(out, linkFrame ? TrafficKind::Link : TrafficKind::Raw, wentOut);
    return 0;
}

void CameraLink::enqueue(std::string_view command, int delayMs)
{
    m_queue.append(command);
    armPump(delayMs);
}

void CameraLink::enqueue(std::span<const std::uint8_t> frame, int delayMs)
{
    m_queue.append(frame);
    armPump(delayMs);
}

void CameraLink::armPump(int delayMs)
{
    // Only the pump that owns the queue takes from it, so a long entry is
    // never cut short by another pump and two never interleave.
    if (!m_owners.empty()) {
        m_timers.stop(*this, TimerId::QueuePump);
        if (!m_queuePaused)
            m_owners.back()->wakePump();
        return;
    }
    if (!m_queuePaused)
        m_timers.start(*this, TimerId::QueuePump, delayMs);
}

void CameraLink::setQueuePaused(bool paused)
{
    if (m_queuePaused == paused)
        return;
    m_queuePaused = paused;
    if (paused)
        m_timers.stop(*this, TimerId::QueuePump);
    else if (!m_queue.empty())
        armPump(5);
}

void CameraLink::claimQueue(QueueOwner& owner)
{
    m_timers.stop(*this, TimerId::QueuePump);
    m_owners.push_back(&owner);
}

void CameraLink::releaseQueue(QueueOwner& owner)
{
    std::erase(m_owners, &owner);
    if (!m_queue.empty())
        armPump(5);
}

void CameraLink::discardQueued(std::string_view why)
{
    while (!m_queue.empty()) {
        const CommandQueue::Slot slot = m_queue.takeSlot();
        reportRefusal(slot, why);
    }
}

void CameraLink::stopPump()
{
    m_timers.stop(*this, TimerId::QueuePump);
    m_timers.stop(*this, TimerId::ResponseTimeout);
    m_queue.discardPending();
}

void CameraLink::timerFired(int id)
{
    if (id == TimerId::QueuePump) {
        pumpTick();
    } else if (id == TimerId::LateChecksum) {
        m_timers.stop(*this, id);
        Receiving outer = std::exchange(m_receiving, {TrafficTransport::Serial, {}});
        m_serialAssembler.settle(*this);
        m_receiving = {TrafficTransport::Network, {}};
        m_networkAssembler.settle(*this);
        m_receiving = outer;
    } else if (id == TimerId::AddressReplyWindow) {
        m_timers.stop(*this, id);
        m_state.addressQueryOutstanding = false;
    } else if (id == TimerId::PresetNameWindow) {
        m_timers.stop(*this, id);
        m_state.presetNameQuestionWaiting = false;
    } else if (id == TimerId::ResponseTimeout) {
        // Silent: the command is given up and the next one may go.
        m_timers.stop(*this, TimerId::ResponseTimeout);
        ++m_tally.silences;
        m_queue.queueReady = true;
        m_queue.dataReplyDone = true;
        if (m_traffic) {
            const std::string note = Messages::format(Messages::TrafficNoAnswer, ResponseTimeoutMs);
            TrafficEvent event;
            event.direction = TrafficDirection::Received;
            event.transport = transportInUse();
            event.kind = TrafficKind::TimeOut;
            event.verdict = TrafficVerdict::TimeOut;
            event.note = note;
            report(event);
        }
    }
}

void CameraLink::pumpTick()
{
    if (m_queuePaused || !m_owners.empty()) {
        // Woken again when the line is back, or when the dialog lets go.
        m_timers.stop(*this, TimerId::QueuePump);
        return;
    }
    if (m_queue.empty()) {
        if (m_queue.queueReady && m_queue.dataReplyDone) {
            m_timers.stop(*this, TimerId::QueuePump);
            m_timers.stop(*this, TimerId::ResponseTimeout);
        }
        return;
    }
    if (!m_queue.queueReady || !m_queue.dataReplyDone || m_state.busy)
        return;
    m_queue.queueReady = false;
    m_timers.start(*this, TimerId::QueuePump, PumpIntervalMs);
    m_timers.stop(*this, TimerId::ResponseTimeout);
    CommandQueue::Entry entry = m_queue.take();
    if (CommandQueue::needsFullReply(entry))
        m_queue.dataReplyDone = false;
    SendCommand(std::span(entry));
    // A refused or unsent command has nothing to wait for.
    if (m_lastSendWentOut)
        m_timers.start(*this, TimerId::ResponseTimeout, ResponseTimeoutMs);
    else
        m_queue.queueReady = m_queue.dataReplyDone = true;
}

void CameraLink::serialByteReceived(std::uint8_t byte, int)
{
    // Every port the console opened is listened to, whatever its number.
    const Receiving outer = std::exchange(m_receiving, {TrafficTransport::Serial, {}});
    m_serialAssembler.feed(byte, {m_state.lengthMode(), m_state.stxMode()}, *this);
    m_receiving = outer;
    watchForLateChecksum();
}

void CameraLink::networkBytesReceived(std::span<const std::uint8_t> bytes)
{
    const Receiving outer = std::exchange(m_receiving, {TrafficTransport::Network, bytes});
    m_networkAssembler.feed(bytes, *this);
    m_receiving = outer;
    watchForLateChecksum();
}

void CameraLink::watchForLateChecksum()
{
    // A camera sends a frame's bytes back to back: when the byte that would
    // make a frame check does not follow at once, the frame is what it is.
    // A run of noise is told once it has ended: at the next frame, or when
    // the line has been quiet as long.
    if (m_serialAssembler.endInDoubt() || m_networkAssembler.endInDoubt() || m_serialAssembler.noisePending()
        || m_networkAssembler.noisePending())
        m_timers.start(*this, TimerId::LateChecksum, LateChecksumMs);
    else
        m_timers.stop(*this, TimerId::LateChecksum);
}

void CameraLink::acknowledgementReceived()
{
    m_timers.stop(*this, TimerId::ResponseTimeout);
    ++m_tally.acknowledgements;
    // A command that needs its full reply still waits for it.
    m_queue.queueReady = true;
    m_monitor.showAcknowledgement();
    if (m_traffic) {
        static constexpr std::uint8_t SerialAck[] = {FrameByte::Ack};
        TrafficEvent event;
        event.direction = TrafficDirection::Received;
        event.transport = m_receiving.transport;
        event.kind = TrafficKind::Acknowledgement;
        event.bytes = m_receiving.transport == TrafficTransport::Network ? m_receiving.block
                                                                          : std::span<const std::uint8_t>(SerialAck);
        report(event);
    }
}

void CameraLink::noiseSkipped(std::span<const std::uint8_t> bytes, std::size_t total)
{
    if (!m_traffic)
        return;
    const std::string note =
        total > bytes.size() ? Messages::format(Messages::TrafficNoiseCut, total, bytes.size()) : std::string();
    TrafficEvent event;
    event.direction = TrafficDirection::Received;
    event.transport = m_receiving.transport;
    event.kind = TrafficKind::Noise;
    event.verdict = TrafficVerdict::None;
    event.bytes = bytes;
    event.note = note;
    report(event);
}

void CameraLink::reportReceived(std::span<const std::uint8_t> frame, bool intact)
{
    if (!m_traffic)
        return;
    TrafficEvent event;
    event.direction = TrafficDirection::Received;
    event.transport = m_receiving.transport;
    if (m_receiving.transport == TrafficTransport::Serial && m_state.lengthMode())
        event.kind = TrafficKind::LengthMode;
    else if (!frame.empty() && frame[0] == FrameByte::Stx)
        event.kind = TrafficKind::Stx;
    else
        event.kind = TrafficKind::Tarn;
    event.verdict = intact ? TrafficVerdict::Ok : TrafficVerdict::BadChecksum;
    event.flags = trafficFlags();
    event.bytes = frame;
    event.routing = intact;
    report(event);
}

void CameraLink::frameReceived(std::span<const std::uint8_t> frame)
{
    // Noise on a long line must not move the console to another camera or
    // write into its settings: a frame that fails its checksum is shown, and
    // is neither an answer nor routed.
    if (!ReplyChecksum::intact(frame)) {
        m_monitor.showReceived(frame, m_state.stxMode(), false);
        reportReceived(frame, false);
        return;
    }
    m_timers.stop(*this, TimerId::ResponseTimeout);
    m_queue.queueReady = true;
    m_queue.dataReplyDone = true;
    ++m_tally.replies;
    m_monitor.showReceived(frame, m_state.stxMode());
    // A receiver may open a box, whose event loop takes further replies
    // into the assembler's buffer: this one is kept apart while it is routed.
    const std::vector<std::uint8_t> reply(frame.begin(), frame.end());
    // Recorded before it is routed, so what the routing sends comes after it;
    // where it goes is told before its receiver runs (see ReplyRouter).
    reportReceived(reply, true);
    if (m_replyTap) {
        if (m_traffic)
            m_traffic->replyRouted(ReplyDestination::Sweep);
        m_replyTap->replyReceived(reply);
        return;
    }
    m_router.route(reply);
}

} // namespace tarn
