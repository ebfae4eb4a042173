#include "widgets/Lamp.h"

#include <QPainter>

namespace tarn {

Lamp::Lamp(QWidget* parent, QColor litColour)
    : QWidget(parent)
    , m_litColour(litColour)
{
    setFixedSize(12, 10);
}

void Lamp::setLit(bool lit)
{
    if (lit == m_lit)
        return;
    m_lit = lit;
    update();
}

void Lamp::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    // A dark lamp keeps a hint of its colour so an operator sees which colour it would light.
    const QColor face = m_lit ? m_litColour : m_litColour.darker(400);
    QRadialGradient glow(body.center() - QPointF(1.5, 1.5), body.width() / 1.5);
    glow.setColorAt(0, m_lit ? face.lighter(160) : face.lighter(130));
    glow.setColorAt(1, face);
    painter.setBrush(glow);
    painter.setPen(QPen(QColor(30, 30, 30), 1));
    painter.drawRoundedRect(body, 3, 3);
}

} // namespace tarn
