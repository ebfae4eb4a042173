#include "link/DialogPump.h"

#include "core/Messages.h"
#include "link/CameraLink.h"
#include "platform/TimerIds.h"

namespace tarn {

DialogPump::DialogPump(CameraLink& link, Config config)
    : m_link(link)
    , m_config(config)
{
    m_link.claimQueue(*this);
}

DialogPump::~DialogPump()
{
    // The dialog closes: an answer still awaited is left to the main window's
    // response time-out, so that the queue never waits for a hold time that no
    // longer runs. What the dialog queued and did not send is the dialog's and
    // goes with it; a reply still on its way is the main window's again.
    const bool holding = m_link.timers().isRunning(*this, m_config.holdTimerId);
    m_link.timers().stopAll(*this);
    CommandQueue& queue = m_link.queue();
    if (holding && !(queue.queueReady && queue.dataReplyDone))
        m_link.timers().start(m_link, TimerId::ResponseTimeout, CameraLink::ResponseTimeoutMs);
    m_link.discardQueued(Messages::TrafficDialogClosed);
    m_link.state().replyWanted = false;
    m_link.state().privacyReplyWanted = false;
    m_link.releaseQueue(*this);
}

void DialogPump::append(std::string_view command)
{
    if (m_initialising)
        return;
    m_link.queue().append(command);
    wakePump();
}

void DialogPump::append(std::span<const std::uint8_t> frame)
{
    if (m_initialising)
        return;
    m_link.queue().append(frame);
    wakePump();
}

void DialogPump::wakePump()
{
    if (m_link.queuePaused() || !m_link.ownsQueue(*this))
        return;
    m_link.timers().start(*this, m_config.sendTimerId, m_config.sendPeriodMs);
}

void DialogPump::timerFired(int id)
{
    if (id == m_config.sendTimerId) {
        tick();
    } else if (id == m_config.holdTimerId) {
        m_link.timers().stop(*this, m_config.holdTimerId);
        m_link.queue().queueReady = true;
        m_link.queue().dataReplyDone = true;
    }
}

void DialogPump::tick()
{
    CommandQueue& queue = m_link.queue();
    if (m_link.queuePaused() || !m_link.ownsQueue(*this)) {
        // Woken again when the line is back or the dialog above lets go.
        m_link.timers().stop(*this, m_config.sendTimerId);
        return;
    }
    if (queue.empty()) {
        if (queue.queueReady && queue.dataReplyDone) {
            m_link.timers().stop(*this, m_config.sendTimerId);
            m_link.timers().stop(*this, m_config.holdTimerId);
        }
        return;
    }
    if (!queue.queueReady || !queue.dataReplyDone || m_initialising)
        return;
    queue.queueReady = false;
    if (m_config.takesWholeSlot)
        send(queue.takeSlot());
    else
        send(queue.take());
    if (!m_link.lastSendWentOut()) {
        // Refused, or the link is away: nothing to wait for.
        queue.queueReady = queue.dataReplyDone = true;
        return;
    }
    if (m_config.setsReplyWanted)
        m_link.state().replyWanted = true;
    m_link.timers().start(*this, m_config.holdTimerId, m_config.holdMs);
}

template <std::size_t N>
void DialogPump::send(std::array<std::uint8_t, N> entry)
{
    if (CommandQueue::needsFullReply(entry))
        m_link.queue().dataReplyDone = false;
    m_link.SendCommand(std::span(entry));
}

DeferredSend::DeferredSend(CameraLink& link)
    : m_link(link)
{
    m_link.claimQueue(*this);
}

DeferredSend::~DeferredSend()
{
    m_link.timers().stopAll(*this);
    m_link.discardQueued(Messages::TrafficDialogClosed);
    m_link.releaseQueue(*this);
}

void DeferredSend::send(std::string_view command)
{
    if (m_suppressed)
        return;
    m_link.queue().append(command);
    m_link.queue().supersedeWithLast();
    wakePump();
}

void DeferredSend::wakePump()
{
    if (m_link.queuePaused() || !m_link.ownsQueue(*this))
        return;
    m_link.timers().start(*this, TimerId, DelayMs);
}

void DeferredSend::timerFired(int id)
{
    m_link.timers().stop(*this, id);
    if (m_link.queue().empty() || m_link.queuePaused() || !m_link.ownsQueue(*this))
        return;
    CommandQueue::Entry entry = m_link.queue().take();
    m_link.SendCommand(std::span(entry));
}

} // namespace tarn
