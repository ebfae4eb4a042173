#include "sim/OutputSchedule.h"

#include <algorithm>

namespace tarn::sim {

void OutputSchedule::add(TimePoint received, std::vector<TimedWrite> writes)
{
    const TimePoint lineFree = m_pending.empty() ? received : m_pending.rbegin()->first;
    TimePoint previous = received;
    for (TimedWrite& write : writes) {
        TimePoint at = std::max(received + write.delay, lineFree);
        at = std::max(at, previous);
        previous = at;
        // Equal keys keep their insertion order in a multimap.
        m_pending.emplace(at, std::move(write));
    }
}

std::optional<TimePoint> OutputSchedule::nextDue() const
{
    if (m_pending.empty())
        return std::nullopt;
    return m_pending.begin()->first;
}

std::vector<OutputSchedule::Due> OutputSchedule::takeDue(TimePoint now)
{
    std::vector<Due> due;
    while (!m_pending.empty() && m_pending.begin()->first <= now) {
        auto node = m_pending.extract(m_pending.begin());
        due.push_back({node.key(), std::move(node.mapped())});
    }
    return due;
}

void OutputSchedule::clear()
{
    m_pending.clear();
}

} // namespace tarn::sim
