#include "control/TrafficView.h"

#include "widgets/Lamp.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>

namespace tarn {

namespace {
QLabel* makeLine(QWidget* parent, const char* name)
{
    auto* line = new QLabel(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setMinimumWidth(450);
    line->setTextFormat(Qt::PlainText);
    line->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    line->setStyleSheet(QStringLiteral("QLabel { color: rgb(0, 255, 0); background: black; padding: 1px 2px; }"));
    return line;
}
} // namespace

TrafficView::TrafficView(TrafficMonitor& monitor, QWidget* parent)
    : QWidget(parent)
    , m_monitor(monitor)
    , m_transmitLamp(new Lamp(this))
    , m_receiveLamp(new Lamp(this, QColor(255, 200, 0)))
    , m_transmitLine(makeLine(this, "transmitLine"))
    , m_receiveLine(makeLine(this, "receiveLine"))
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Tx"), this), 0, 0);
    layout->addWidget(m_transmitLamp, 0, 1);
    layout->addWidget(m_transmitLine, 0, 2);
    layout->addWidget(new QLabel(QStringLiteral("Rx"), this), 1, 0);
    layout->addWidget(m_receiveLamp, 1, 1);
    layout->addWidget(m_receiveLine, 1, 2);
    layout->setColumnStretch(2, 1);
    m_monitor.setView(this);
    trafficChanged();
}

TrafficView::~TrafficView()
{
    m_monitor.setView(nullptr);
}

void TrafficView::trafficChanged()
{
    // The frames are shown in ASCII; the link states may hold a dash.
    m_transmitLine->setText(QString::fromStdString(m_monitor.transmitLine()));
    m_receiveLine->setText(QString::fromStdString(m_monitor.receiveLine()));
    m_transmitLamp->setLit(m_monitor.transmitLampOn());
    m_receiveLamp->setLit(m_monitor.receiveLampOn());
}

} // namespace tarn
