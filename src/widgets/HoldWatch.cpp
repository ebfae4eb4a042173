#include "widgets/HoldWatch.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <utility>

namespace tarn {

HoldWatch::HoldWatch(QWidget& held, std::function<void()> ended)
    : QObject(&held)
    , m_held(held)
    , m_ended(std::move(ended))
{
}

void HoldWatch::arm()
{
    if (std::exchange(m_armed, true))
        return;
    // Only while held: the filter sees every event of the application.
    qApp->installEventFilter(this);
}

void HoldWatch::disarm()
{
    if (!std::exchange(m_armed, false))
        return;
    qApp->removeEventFilter(this);
}

bool HoldWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_armed || !watched->isWidgetType())
        return false;
    const auto* widget = static_cast<QWidget*>(watched);
    bool ends = false;
    switch (event->type()) {
    case QEvent::Show: ends = widget->windowType() == Qt::Popup; break;
    case QEvent::MouseButtonRelease:
        // The release went to another window (a popup's): this control will never see it.
        ends = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && widget->window() != m_held.window();
        break;
    default: break;
    }
    if (ends) {
        disarm();
        m_ended();
    }
    return false;
}

} // namespace tarn
