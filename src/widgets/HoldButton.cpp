#include "widgets/HoldButton.h"

#include "widgets/HoldWatch.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tarn {

HoldButton::HoldButton(QWidget* parent)
    : QAbstractButton(parent)
    , m_watch(new HoldWatch(*this, [this] { endHold(); }))
{
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(40, 26);
}

bool HoldButton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowBlocked:    // a modal box or dialog opened over this window
    case QEvent::WindowDeactivate: // another window took the keyboard and pointer
    case QEvent::UngrabMouse:      // someone else took the pointer grab
    case QEvent::Hide:
        endHold();
        break;
    default:
        break;
    }
    return QAbstractButton::event(event);
}

void HoldButton::changeEvent(QEvent* event)
{
    // A disabled button never sees its release.
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        endHold();
    QAbstractButton::changeEvent(event);
}

void HoldButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_holding)
        return;
    m_holding = true;
    m_watch->arm();
    setDown(true);
    emit held();
}

void HoldButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        endHold();
}

void HoldButton::endHold()
{
    // Cleared first: whatever the stop handler opens must not stop twice.
    if (!m_holding)
        return;
    m_holding = false;
    m_watch->disarm();
    setDown(false);
    emit letGo();
}

void HoldButton::mouseMoveEvent(QMouseEvent*)
{
    // Still held, wherever the pointer went: the release decides.
}

void HoldButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(1, 1, -1, -1);
    const QPalette& colours = palette();
    QLinearGradient face(body.topLeft(), body.bottomLeft());
    if (!isEnabled()) {
        face.setColorAt(0, colours.color(QPalette::Disabled, QPalette::Button));
        face.setColorAt(1, colours.color(QPalette::Disabled, QPalette::Button));
    } else if (isDown()) {
        face.setColorAt(0, QColor(60, 120, 60));
        face.setColorAt(1, QColor(90, 170, 90));
    } else {
        face.setColorAt(0, colours.color(QPalette::Button).lighter(115));
        face.setColorAt(1, colours.color(QPalette::Button).darker(110));
    }
    painter.setBrush(face);
    painter.setPen(QPen(colours.color(QPalette::Mid), 1));
    painter.drawRoundedRect(body, 4, 4);
    painter.setPen(isEnabled() ? (isDown() ? Qt::white : colours.color(QPalette::ButtonText))
                               : colours.color(QPalette::Disabled, QPalette::ButtonText));
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(body, Qt::AlignCenter, text());
}

} // namespace tarn
