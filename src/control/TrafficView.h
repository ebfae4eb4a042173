#pragma once

#include "link/TrafficMonitor.h"

#include <QWidget>

class QLabel;

namespace tarn {

class Lamp;

// The two green-on-black lines of the last frame sent and received, each with
// its lamp.
class TrafficView final : public QWidget, public TrafficMonitor::View {
    Q_OBJECT
public:
    explicit TrafficView(TrafficMonitor& monitor, QWidget* parent = nullptr);
    ~TrafficView() override;

    void trafficChanged() override;

private:
    TrafficMonitor& m_monitor;
    Lamp* m_transmitLamp;
    Lamp* m_receiveLamp;
    QLabel* m_transmitLine;
    QLabel* m_receiveLine;
};

} // namespace tarn
