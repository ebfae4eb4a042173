#include "sim/OutputSchedule.h"

#include <algorithm>

namespace tarn::sim {

void OutputSchedule::add(TimePoint received, std::vector<TimedWrite> writes)
{
    TimePoint lineFree = m_lineFree.value_or(received);
    for (TimedWrite& write : writes) {
        const TimePoint start = std::max(received + write.delay, lineFree);
        const TimePoint at = start + m_pace * static_cast<int>(write.bytes.size());
        lineFree = at;
        // Equal keys keep their insertion order in a multimap.
        m_pending.emplace(at, std::move(write));
    }
    m_lineFree = lineFree;
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
    m_lineFree.reset();
}

} // namespace tarn::sim
