#pragma once

#include "platform/Timers.h"

#include <QObject>

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

private:
    std::map<std::pair<const TimerClient*, int>, QTimer*> m_timers; // owned as children
};

} // namespace tarn
