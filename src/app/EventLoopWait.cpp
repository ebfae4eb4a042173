#include "app/EventLoopWait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace tarn {

bool runEventsUntil(const std::function<bool()>& done, int ms)
{
    QDeadlineTimer deadline(ms);
    QTimer heartbeat; // wakes the loop to look at the deadline
    heartbeat.start(50);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

} // namespace tarn
