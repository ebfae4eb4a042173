#include "platform/VirtualClock.h"

#include <algorithm>

namespace tarn {

void VirtualClock::start(TimerClient& client, int id, int periodMs)
{
    // A period of 0 would fire forever at the same instant; window timers
    // treat it as the shortest period, and so do we.
    const std::int64_t period = std::max(periodMs, 1);
    m_timers[{&client, id}] = Entry{&client, m_now + period, period, m_nextOrder++};
}

void VirtualClock::stop(TimerClient& client, int id)
{
    m_timers.erase({&client, id});
}

bool VirtualClock::isRunning(const TimerClient& client, int id) const
{
    return m_timers.count({&client, id}) != 0;
}

void VirtualClock::stopAll(TimerClient& client)
{
    std::erase_if(m_timers, [&client](const auto& item) { return item.first.first == &client; });
}

std::int64_t VirtualClock::remainingMs(const TimerClient& client, int id) const
{
    const auto it = m_timers.find({&client, id});
    return it == m_timers.end() ? -1 : it->second.due - m_now;
}

std::optional<VirtualClock::Key> VirtualClock::nextDue() const
{
    std::optional<Key> best;
    const Entry* bestEntry = nullptr;
    for (const auto& [key, entry] : m_timers) {
        if (!bestEntry || entry.due < bestEntry->due
            || (entry.due == bestEntry->due && entry.order < bestEntry->order)) {
            best = key;
            bestEntry = &entry;
        }
    }
    return best;
}

void VirtualClock::fire(const Key& key)
{
    Entry& entry = m_timers.at(key);
    m_now = entry.due;
    entry.due += entry.period;
    entry.order = m_nextOrder++;
    // The handler may restart or stop this timer, or any other.
    entry.client->timerFired(key.second);
}

void VirtualClock::advance(std::int64_t ms)
{
    const std::int64_t target = m_now + ms;
    while (const auto key = nextDue()) {
        if (m_timers.at(*key).due > target)
            break;
        fire(*key);
    }
    m_now = target;
}

bool VirtualClock::fireNext()
{
    const auto key = nextDue();
    if (!key)
        return false;
    fire(*key);
    return true;
}

} // namespace tarn
