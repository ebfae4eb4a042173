#include "RealTimeTimers.h"

#include <set>

namespace tarn::e2e {

void RealTimeTimers::start(TimerClient& client, int id, int periodMs)
{
    const std::chrono::milliseconds period(periodMs);
    m_timers[{&client, id}] = Entry{&client, Clock::now() + period, period, m_nextOrder++};
}

void RealTimeTimers::stop(TimerClient& client, int id)
{
    m_timers.erase({&client, id});
}

bool RealTimeTimers::isRunning(const TimerClient& client, int id) const
{
    return m_timers.contains({&client, id});
}

void RealTimeTimers::stopAll(TimerClient& client)
{
    std::erase_if(m_timers, [&client](const auto& item) { return item.first.first == &client; });
}

std::optional<RealTimeTimers::Clock::time_point> RealTimeTimers::nextDue() const
{
    std::optional<Clock::time_point> earliest;
    for (const auto& [key, entry] : m_timers) {
        if (!earliest || entry.due < *earliest)
            earliest = entry.due;
    }
    return earliest;
}

void RealTimeTimers::fireDue()
{
    const Clock::time_point now = Clock::now();
    std::set<Key> fired;
    for (;;) {
        // The earliest due timer not fired in this round; handlers may have
        // started or stopped any timer, so look again each time.
        const std::pair<const Key, Entry>* next = nullptr;
        for (const auto& item : m_timers) {
            if (item.second.due > now || fired.contains(item.first))
                continue;
            if (!next || item.second.due < next->second.due
                || (item.second.due == next->second.due && item.second.order < next->second.order))
                next = &item;
        }
        if (!next)
            return;
        const Key key = next->first;
        Entry& entry = m_timers.at(key);
        entry.due = now + entry.period;
        fired.insert(key);
        ++m_fired[key.second];
        entry.client->timerFired(key.second);
    }
}

int RealTimeTimers::firedCount(int id) const
{
    const auto found = m_fired.find(id);
    return found == m_fired.end() ? 0 : found->second;
}

} // namespace tarn::e2e
