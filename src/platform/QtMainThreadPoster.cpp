#include "platform/QtMainThreadPoster.h"

namespace tarn {

QtMainThreadPoster::QtMainThreadPoster(QObject* parent)
    : QObject(parent)
{
}

void QtMainThreadPoster::post(std::function<void()> work)
{
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

} // namespace tarn
