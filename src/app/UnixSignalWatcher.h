#pragma once

#include <QObject>

class QSocketNotifier;

namespace tarn {

// Turns SIGINT and SIGTERM into a Qt signal on the main thread, so that a
// console told to stop leaves through its normal exit path.
class UnixSignalWatcher final : public QObject {
    Q_OBJECT
public:
    explicit UnixSignalWatcher(QObject* parent = nullptr);
    ~UnixSignalWatcher() override;

signals:
    void stopRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace tarn
