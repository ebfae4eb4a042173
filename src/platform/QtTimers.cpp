#include "platform/QtTimers.h"

#include <QTimer>

namespace tarn {

QtTimers::QtTimers(QObject* parent)
    : QObject(parent)
{
}

void QtTimers::start(TimerClient& client, int id, int periodMs)
{
    QTimer*& timer = m_timers[{&client, id}];
    if (!timer) {
        timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, [&client, id] { client.timerFired(id); });
    }
    timer->start(std::max(periodMs / m_speedUp, 1));
}

void QtTimers::stop(TimerClient& client, int id)
{
    // Stopped, not deleted: stop() is often called from the timer's own handler.
    if (const auto it = m_timers.find({&client, id}); it != m_timers.end())
        it->second->stop();
}

bool QtTimers::isRunning(const TimerClient& client, int id) const
{
    const auto it = m_timers.find({&client, id});
    return it != m_timers.end() && it->second->isActive();
}

void QtTimers::stopAll(TimerClient& client)
{
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (it->first.first == &client) {
            it->second->stop();
            it->second->disconnect();
            it->second->deleteLater();
            it = m_timers.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace tarn
