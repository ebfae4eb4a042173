#pragma once

#include "sim/FaultLayer.h"
#include "sim/SimClock.h"

#include <map>
#include <optional>
#include <vector>

namespace tarn::sim {

// Writes waiting for their moment. The line carries one thing at a time, as
// a camera's UART does: a new answer never starts before the last one ended.
// With a pace, each byte takes that long on the line and a write is handed
// out when its last byte would have arrived.
class OutputSchedule {
public:
    struct Due {
        TimePoint at;
        TimedWrite write;
    };

    // `writes` delays count from `received`.
    void add(TimePoint received, std::vector<TimedWrite> writes);
    std::optional<TimePoint> nextDue() const;
    // Everything due by `now`, in the order it is due.
    std::vector<Due> takeDue(TimePoint now);
    void clear();
    bool empty() const { return m_pending.empty(); }

    void setPace(std::chrono::microseconds perByte) { m_pace = perByte; }

private:
    std::multimap<TimePoint, TimedWrite> m_pending;
    std::chrono::microseconds m_pace{0};
    // When the last write scheduled has left.
    std::optional<TimePoint> m_lineFree;
};

} // namespace tarn::sim
