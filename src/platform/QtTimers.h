#pragma once

#include "platform/Timers.h"

#include <QObject>

#include <algorithm>
#include <map>
#include <utility>

class QTimer;

namespace tarn {

// Window timers on QTimer: periodic until stopped, restarted by start().
class QtTimers final : public QObject, public Timers {
    Q_OBJECT
public:
    explicit QtTimers(QObject* parent = nullptr);

    void start(TimerClient& client, int id, int periodMs) override;
    void stop(TimerClient& client, int id) override;
    bool isRunning(const TimerClient& client, int id) const override;
    void stopAll(TimerClient& client) override;

    // Every period is divided by `factor` (at least 1 ms): an hour of the
    // console's life in a minute, for measurements.
    void setSpeedUp(int factor) { m_speedUp = std::max(factor, 1); }

private:
    std::map<std::pair<const TimerClient*, int>, QTimer*> m_timers; // owned as children
    int m_speedUp = 1;
};

} // namespace tarn
