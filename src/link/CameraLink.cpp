#include "link/CameraLink.h"

#include "link/ByteTransport.h"
#include "link/FrameBuilder.h"
#include "link/Protocols.h"
#include "link/ReplyChecksum.h"
#include "platform/Prompter.h"
#include "platform/TimerIds.h"

#include <algorithm>
#include <array>
#include <cstring>

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
}

CameraLink::~CameraLink()
{
    m_timers.stopAll(*this);
}

void CameraLink::refuse(std::string_view message)
{
    m_prompter.showMessage(message, {}, MessageIcon::None);
}

bool CameraLink::canSend() const
{
    if (m_state.linkMode == 0)
        return m_serial && m_serial->canSend();
    if (m_state.linkMode == 1)
        return m_network && m_network->canSend();
    return false;
}

bool CameraLink::send(std::span<const std::uint8_t> frame, bool withLengthHeader)
{
    // Nothing is even tried on a link that is away: the failure was told once
    // when it went, and the traffic line says the frame stayed here.
    if (!canSend())
        return false;
    if (m_state.linkMode == 0) {
        m_serial->write(frame);
        return true;
    }
    if (withLengthHeader && m_state.portServerPort == PortServerWithLengthHeader)
        m_network->write(FrameBuilder::lengthHeader(frame.size()));
    m_network->write(frame);
    return true;
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
    if (m_state.busy || m_state.sendLock || command.empty())
        return 0;
    const auto text = [&] {
        const auto* chars = reinterpret_cast<const char*>(command.data());
        return std::string_view(chars, strnlen(chars, command.size()));
    };
    if (text().starts_with("tPe")) {
        m_state.sendLock = true; // this one still goes out
        m_events.sendLockSet();
    }
    if (const auto refusal = sendCommandRefusal(m_state.protocolIndex, m_state.address)) {
        refuse(*refusal);
        return 0;
    }
    // The probe and the camera's reset are answered with the camera's address.
    if (text().starts_with("A?") || text() == "rs")
        expectAddressReply();
    m_state.framedSend = true;

    if (command[0] == FrameByte::PassThrough) {
        const Frame frame = FrameBuilder::passThroughFrame(command, m_state.address);
        m_monitor.showTransmitted(frame.view(), m_state.stxMode());
        m_queue.dataReplyDone = true;
        m_state.framedSend = false;
        // The link in use, whichever it is; the queue's pump starts the time-out.
        if (!send(frame.view(), false))
            m_monitor.showNotSent();
        return 0;
    }

    int address = m_state.address;
    if (address == 0 || address > HighestWorkingAddress)
        address = 1;
    const bool broadcast = m_state.broadcastNext || address == 255;
    m_state.broadcastNext = false;

    if (command[0] == 'v' && text().size() > LongestVCommand)
        command[LongestVCommand] = 0;

    const Frame frame = FrameBuilder::tarnFrame(address, broadcast, m_state.protocolIndex, text());
    m_monitor.showTransmitted(frame.view(), m_state.stxMode());
    if (!send(frame.view(), true))
        m_monitor.showNotSent();
    m_timers.start(*this, TimerId::ResponseTimeout, ResponseTimeoutMs);
    return 0;
}

int CameraLink::SendCameraCommand(std::string_view command)
{
    if (m_state.busy)
        return 0;
    if (const auto refusal = sendCameraCommandRefusal(m_state.protocolIndex, m_state.address)) {
        refuse(*refusal);
        return 0;
    }
    const bool broadcast = m_state.broadcastNext;
    m_state.broadcastNext = false;
    const Frame frame =
        FrameBuilder::cameraFrame(m_state.address, broadcast, command, m_state.stxMode());
    m_monitor.showTransmitted(frame.view(), m_state.stxMode());
    if (!send(frame.view(), false))
        m_monitor.showNotSent();
    m_timers.start(*this, TimerId::ResponseTimeout, ResponseTimeoutMs);
    return 0;
}

int CameraLink::SendRawBytes(std::span<const std::uint8_t> bytes)
{
    if (m_state.busy)
        return 0;
    // The link frame 7E 01 00 00 41 7E asks the camera for its address.
    constexpr std::size_t LinkFrameLetter = 4;
    if (bytes.size() > LinkFrameLetter && bytes[0] == 0x7E && bytes[LinkFrameLetter] == 'A')
        expectAddressReply();
    if (m_state.linkMode == 0 && m_serial && m_serial->canSend())
        m_serial->write(bytes.first(std::min(bytes.size(), Frame::Capacity)));
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
        m_serialAssembler.settle(*this);
        m_networkAssembler.settle(*this);
    } else if (id == TimerId::AddressReplyWindow) {
        m_timers.stop(*this, id);
        m_state.addressQueryOutstanding = false;
    } else if (id == TimerId::ResponseTimeout) {
        // Silent: the command is given up and the next one may go.
        m_timers.stop(*this, TimerId::ResponseTimeout);
        m_queue.queueReady = true;
        m_queue.dataReplyDone = true;
    }
}

void CameraLink::pumpTick()
{
    if (m_queuePaused) {
        // Woken again when the line is back.
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
    m_timers.start(*this, TimerId::ResponseTimeout, ResponseTimeoutMs);
}

void CameraLink::serialByteReceived(std::uint8_t byte, int)
{
    // Every port the console opened is listened to, whatever its number.
    m_serialAssembler.feed(byte, {m_state.lengthMode(), m_state.stxMode()}, *this);
    watchForLateChecksum();
}

void CameraLink::networkBytesReceived(std::span<const std::uint8_t> bytes)
{
    m_networkAssembler.feed(bytes, *this);
    watchForLateChecksum();
}

void CameraLink::watchForLateChecksum()
{
    // A camera sends a frame's bytes back to back: when the byte that would
    // make a frame check does not follow at once, the frame is what it is.
    if (m_serialAssembler.endInDoubt() || m_networkAssembler.endInDoubt())
        m_timers.start(*this, TimerId::LateChecksum, LateChecksumMs);
    else
        m_timers.stop(*this, TimerId::LateChecksum);
}

void CameraLink::acknowledgementReceived()
{
    m_timers.stop(*this, TimerId::ResponseTimeout);
    // A command that needs its full reply still waits for it.
    m_queue.queueReady = true;
    m_monitor.showAcknowledgement();
}

void CameraLink::frameReceived(std::span<const std::uint8_t> frame)
{
    // Noise on a long line must not move the console to another camera or
    // write into its settings: a frame that fails its checksum is shown, and
    // is neither an answer nor routed.
    if (!ReplyChecksum::intact(frame)) {
        m_monitor.showReceived(frame, m_state.stxMode(), false);
        return;
    }
    m_timers.stop(*this, TimerId::ResponseTimeout);
    m_queue.queueReady = true;
    m_queue.dataReplyDone = true;
    m_monitor.showReceived(frame, m_state.stxMode());
    m_router.route(frame);
}

} // namespace tarn
