#include "link/TrafficRecord.h"

#include "link/TrafficDecoder.h"
#include "platform/MonotonicClock.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace tarn {

SessionStart SessionStart::now()
{
    const auto wall = std::chrono::system_clock::now();
    SessionStart start;
    start.unixMicroseconds =
        std::chrono::duration_cast<std::chrono::microseconds>(wall.time_since_epoch()).count();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(wall);
    std::tm local{};
    if (localtime_r(&seconds, &local))
        start.utcOffsetSeconds = static_cast<std::int32_t>(local.tm_gmtoff);
    return start;
}

TrafficRecord::TrafficRecord(const MonotonicClock& clock, SessionStart start, std::size_t capacity)
    : m_clock(&clock)
    , m_clockStart(clock.nowMicroseconds())
    , m_start(start)
    , m_capacity(std::max<std::size_t>(capacity, 1))
{
}

TrafficRecord::TrafficRecord(SessionStart start, std::uint64_t droppedBefore, std::size_t capacity)
    : m_start(start)
    , m_capacity(std::max<std::size_t>(capacity, 1))
    , m_first(droppedBefore)
    , m_next(droppedBefore)
    , m_dropped(droppedBefore)
{
}

const TrafficEntry* TrafficRecord::find(std::uint64_t sequence) const
{
    if (sequence < m_first || sequence >= m_next)
        return nullptr;
    return &at(static_cast<std::size_t>(sequence - m_first));
}

std::uint64_t TrafficRecord::settledUpTo() const
{
    return m_routing.empty() ? m_next : std::min(m_routing.front(), m_next);
}

TrafficEntry& TrafficRecord::push(TrafficEntry entry)
{
    if (m_ring.size() < m_capacity) {
        m_ring.push_back(std::move(entry));
        ++m_next;
        return m_ring.back();
    }
    // Full: the oldest makes room.
    TrafficEntry& slot = m_ring[m_head];
    slot = std::move(entry);
    m_head = (m_head + 1) % m_ring.size();
    ++m_first;
    ++m_dropped;
    ++m_next;
    return slot;
}

std::int64_t TrafficRecord::roundTrip(const TrafficEvent& event, std::int64_t now)
{
    const bool answer = event.direction == TrafficDirection::Received;
    if (event.direction == TrafficDirection::Sent && event.kind != TrafficKind::Refusal
        && event.verdict != TrafficVerdict::NotSent) {
        m_lastSentUs = now;
        m_answered = false;
        return -1;
    }
    if (!answer || !m_lastSentUs || m_answered)
        return -1;
    // The first answer ends the wait; a time-out does not, so a late answer
    // still shows how late it was.
    if (event.kind != TrafficKind::TimeOut)
        m_answered = true;
    return now - *m_lastSentUs;
}

void TrafficRecord::traffic(const TrafficEvent& event)
{
    TrafficEntry entry;
    const std::int64_t now = m_clock ? m_clock->nowMicroseconds() - m_clockStart : 0;
    entry.sequence = m_next;
    entry.timeUs = now;
    entry.roundTripUs = roundTrip(event, now);
    entry.direction = event.direction;
    entry.transport = event.transport;
    entry.kind = event.kind;
    entry.routedTo = event.routedTo;
    entry.flags = event.flags;
    entry.bytes.assign(event.bytes.begin(), event.bytes.end());
    entry.note = event.note;

    const TrafficVerdict decoded = TrafficDecoder::decodeInto(entry);
    // A frame the decoder finds cut short or spoilt says so, whatever its sender thought.
    const bool judged = event.verdict == TrafficVerdict::Ok || event.verdict == TrafficVerdict::BadChecksum;
    entry.verdict = judged && decoded != TrafficVerdict::Ok ? decoded : event.verdict;

    const std::uint64_t sequence = push(std::move(entry)).sequence;
    if (event.routing)
        m_routing.push_back(sequence);
    settled();
}

void TrafficRecord::replyRouted(ReplyDestination destination)
{
    if (m_routing.empty())
        return;
    const std::uint64_t sequence = m_routing.back();
    m_routing.pop_back();
    if (sequence >= m_first && sequence < m_next)
        m_ring[(m_head + static_cast<std::size_t>(sequence - m_first)) % m_ring.size()].routedTo = destination;
    settled();
}

void TrafficRecord::add(TrafficEntry entry)
{
    entry.sequence = m_next;
    push(std::move(entry));
    settled();
}

void TrafficRecord::clear()
{
    m_ring.clear();
    m_head = 0;
    m_first = m_next;
}

void TrafficRecord::settled()
{
    if (m_listener)
        m_listener->entriesSettled(*this, settledUpTo());
}

} // namespace tarn
