#include "widgets/HoverButton.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QPainter>

namespace tarn {

HoverButton::HoverButton(QWidget* parent)
    : HoverButton(QString(), parent)
{
}

HoverButton::HoverButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
    setAttribute(Qt::WA_Hover);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &HoverButton::wasClicked);
}

void HoverButton::setFacePixmap(Face face, const QPixmap& pixmap)
{
    m_pictures[index(face)] = pixmap;
    update();
}

HoverButton::Face HoverButton::currentFace() const
{
    if (!isEnabled())
        return Face::Disabled;
    if (isDown() || isChecked())
        return Face::Pressed;
    return m_hovered ? Face::Hover : Face::Normal;
}

QSize HoverButton::sizeHint() const
{
    QSize size = QPushButton::sizeHint();
    for (const QPixmap& picture : m_pictures) {
        if (!picture.isNull())
            size = size.expandedTo(picture.deviceIndependentSize().toSize());
    }
    return size;
}

void HoverButton::enterEvent(QEnterEvent* event)
{
    QPushButton::enterEvent(event);
    m_hovered = true;
    if (m_hoverBeep && isEnabled())
        QApplication::beep();
    update();
}

void HoverButton::leaveEvent(QEvent* event)
{
    QPushButton::leaveEvent(event);
    m_hovered = false;
    update();
}

void HoverButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

void HoverButton::wasClicked()
{
    setFocus(Qt::MouseFocusReason);
    if (m_clickBeep)
        QApplication::beep();
    if (isCheckable())
        return; // the toggle has happened already
    if (m_menu) {
        if (QAction* chosen = m_menu->exec(mapToGlobal(rect().bottomLeft())))
            emit menuChosen(chosen);
        return;
    }
    if (m_url.isValid())
        QDesktopServices::openUrl(m_url);
}

void HoverButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const Face face = currentFace();
    const QPixmap& picture = m_pictures[index(face)];
    if (!picture.isNull()) {
        const QSize size = picture.deviceIndependentSize().toSize().scaled(this->size(), Qt::KeepAspectRatio);
        QRect target(QPoint(), size);
        target.moveCenter(rect().center());
        painter.drawPixmap(target, picture);
    } else {
        drawFace(painter, face);
    }
    if (hasFocus()) {
        QPen dotted(palette().color(QPalette::WindowText), 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

void HoverButton::drawFace(QPainter& painter, Face face)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const QRectF body = QRectF(rect()).adjusted(1, 1, -1, -1);
    const QColor button = colours.color(QPalette::Button);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    QColor border = colours.color(QPalette::Mid);
    switch (face) {
    case Face::Normal: // flat until the pointer comes
        fill.setColorAt(0, button);
        fill.setColorAt(1, button);
        border = button.darker(115);
        break;
    case Face::Hover:
        fill.setColorAt(0, button.lighter(125));
        fill.setColorAt(1, button.darker(105));
        border = colours.color(QPalette::Highlight);
        break;
    case Face::Pressed:
        fill.setColorAt(0, button.darker(130));
        fill.setColorAt(1, button.darker(110));
        border = colours.color(QPalette::Dark);
        break;
    case Face::Disabled:
        fill.setColorAt(0, colours.color(QPalette::Disabled, QPalette::Button));
        fill.setColorAt(1, colours.color(QPalette::Disabled, QPalette::Button));
        break;
    }
    painter.setBrush(fill);
    painter.setPen(QPen(border, 1));
    painter.drawRoundedRect(body, 3, 3);

    // A pressed face moves its caption by a pixel, as a sunken button does.
    const QRectF content = face == Face::Pressed ? body.translated(1, 1) : body;
    QRectF textArea = content;
    if (!icon().isNull()) {
        const QSize iconSize = this->iconSize();
        const QPixmap iconPixmap = icon().pixmap(iconSize, face == Face::Disabled ? QIcon::Disabled : QIcon::Normal);
        const QPointF at(content.left() + 6, content.center().y() - iconSize.height() / 2.0);
        painter.drawPixmap(at, iconPixmap);
        textArea.setLeft(at.x() + iconSize.width() + 4);
    }
    painter.setPen(face == Face::Disabled ? colours.color(QPalette::Disabled, QPalette::ButtonText)
                                          : colours.color(QPalette::ButtonText));
    painter.drawText(textArea, Qt::AlignCenter, text().remove(QLatin1Char('&')));
}

} // namespace tarn
