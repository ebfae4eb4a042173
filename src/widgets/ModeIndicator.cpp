#include "widgets/ModeIndicator.h"

#include "core/Messages.h"

#include <QPainter>

namespace tarn {

ModeIndicator::ModeIndicator(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(sizeHint());
}

void ModeIndicator::setMode(Mode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    const std::string_view text = mode == Mode::Ntcip ? Messages::NtcipModeIndicator
                                  : mode == Mode::Tarn ? Messages::TarnModeIndicator
                                                       : std::string_view();
    setAccessibleDescription(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    update();
}

void ModeIndicator::paintEvent(QPaintEvent*)
{
    if (m_mode == Mode::None)
        return;
    const bool ntcip = m_mode == Mode::Ntcip;
    const std::string_view text = ntcip ? Messages::NtcipModeIndicator : Messages::TarnModeIndicator;
    const QColor face = ntcip ? QColor(240, 170, 30) : QColor(50, 170, 80);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QLinearGradient shade(body.topLeft(), body.bottomLeft());
    shade.setColorAt(0, face.lighter(130));
    shade.setColorAt(1, face.darker(115));
    painter.setBrush(shade);
    painter.setPen(QPen(face.darker(200), 1.5));
    painter.drawRoundedRect(body, 6, 6);

    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(ntcip ? QColor(40, 25, 0) : Qt::white);
    painter.drawText(body, Qt::AlignCenter,
                     QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace tarn
