#include "link/DialogPump.h"

#include "link/CameraLink.h"
#include "platform/TimerIds.h"

namespace tarn {

DialogPump::DialogPump(CameraLink& link, Config config)
    : m_link(link)
    , m_config(config)
{
}

DialogPump::~DialogPump()
{
    // The dialog closes: an answer still awaited is left to the main window's
    // response time-out and what is still queued to its pump, so that the
    // queue never waits for a hold time that no longer runs.
    const bool holding = m_link.timers().isRunning(*this, m_config.holdTimerId);
    m_link.timers().stopAll(*this);
    const CommandQueue& queue = m_link.queue();
    if (holding && !(queue.queueReady && queue.dataReplyDone))
        m_link.timers().start(m_link, TimerId::ResponseTimeout, CameraLink::ResponseTimeoutMs);
    if (!queue.empty())
        m_link.armPump(m_config.sendPeriodMs);
}

void DialogPump::append(std::string_view command)
{
    if (m_initialising)
        return;
    m_link.queue().append(command);
    m_link.timers().start(*this, m_config.sendTimerId, m_config.sendPeriodMs);
}

void DialogPump::append(std::span<const std::uint8_t> frame)
{
    if (m_initialising)
        return;
    m_link.queue().append(frame);
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
    CommandQueue::Entry entry = queue.take();
    if (CommandQueue::needsFullReply(entry))
        queue.dataReplyDone = false;
    m_link.SendCommand(std::span(entry));
    if (m_config.setsReplyWanted)
        m_link.state().replyWanted = true;
    m_link.timers().start(*this, m_config.holdTimerId, m_config.holdMs);
}

DeferredSend::DeferredSend(CameraLink& link)
    : m_link(link)
{
}

DeferredSend::~DeferredSend()
{
    m_link.timers().stopAll(*this);
}

void DeferredSend::send(std::string_view command)
{
    if (m_suppressed)
        return;
    m_link.queue().append(command);
    m_link.queue().supersedeWithLast();
    m_link.timers().start(*this, TimerId, DelayMs);
}

void DeferredSend::timerFired(int id)
{
    m_link.timers().stop(*this, id);
    if (m_link.queue().empty())
        return;
    CommandQueue::Entry entry = m_link.queue().take();
    m_link.SendCommand(std::span(entry));
}

} // namespace tarn
