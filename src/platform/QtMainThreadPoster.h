#pragma once

#include "platform/MainThreadPoster.h"

#include <QObject>

namespace tarn {

// Posts work into the Qt event loop of the thread this object lives in.
// Work still queued when the object is destroyed is dropped.
class QtMainThreadPoster final : public QObject, public MainThreadPoster {
    Q_OBJECT
public:
    explicit QtMainThreadPoster(QObject* parent = nullptr);
    void post(std::function<void()> work) override;
};

} // namespace tarn
