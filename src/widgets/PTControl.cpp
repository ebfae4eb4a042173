#include "widgets/PTControl.h"

#include "widgets/HoldWatch.h"
#include "widgets/PadPictures.h"
#include "platform/QtTimers.h"

#include <QAbstractButton>
#include <QCursor>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <optional>
#include <utility>

namespace tarn {

namespace {

enum class Arrow { Left, Right, Up, Down };

// A small bevelled button with an arrow drawn on it, sized for the pad's
// margin (11 x 17 or 17 x 11), where a styled tool button has no room for
// its frame.
class NudgeButton final : public QAbstractButton {
public:
    NudgeButton(Arrow arrow, QWidget* parent)
        : QAbstractButton(parent)
        , m_arrow(arrow)
    {
        // The pad keeps the keyboard focus, so the arrow keys go on working.
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_Hover);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRect r = rect();
        const QPalette& pal = palette();
        const bool down = isDown();
        QColor face = pal.color(QPalette::Button);
        if (underMouse() && isEnabled() && !down)
            face = face.lighter(108);
        p.fillRect(r, face);

        // Raised at rest, sunken while pressed.
        const QColor topLeft = pal.color(down ? QPalette::Dark : QPalette::Light);
        const QColor bottomRight = pal.color(down ? QPalette::Light : QPalette::Dark);
        p.setPen(topLeft);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());

        // A pressed arrow moves with the face, as on any push button.
        const QPointF c = QRectF(r).center() + (down ? QPointF(1, 1) : QPointF(0, 0));
        const qreal a = 3;
        QPolygonF arrow;
        switch (m_arrow) {
        case Arrow::Left: arrow << c + QPointF(-a + 0.5, 0) << c + QPointF(a - 0.5, -a) << c + QPointF(a - 0.5, a); break;
        case Arrow::Right: arrow << c + QPointF(a - 0.5, 0) << c + QPointF(-a + 0.5, -a) << c + QPointF(-a + 0.5, a); break;
        case Arrow::Up: arrow << c + QPointF(0, -a + 0.5) << c + QPointF(-a, a - 0.5) << c + QPointF(a, a - 0.5); break;
        case Arrow::Down: arrow << c + QPointF(0, a - 0.5) << c + QPointF(-a, -a + 0.5) << c + QPointF(a, -a + 0.5); break;
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        p.drawPolygon(arrow);
    }

private:
    Arrow m_arrow;
};

struct NudgeLayout {
    Arrow arrow;
    const char* objectName;
    const char* toolTip;
    const char* command;
};

constexpr std::array<NudgeLayout, 4> Nudges = {{
    {Arrow::Left, "nudgeLeft", "Nudge Left", "nl"},
    {Arrow::Right, "nudgeRight", "Nudge Right", "nr"},
    {Arrow::Up, "nudgeUp", "Nudge Up", "nu"},
    {Arrow::Down, "nudgeDown", "Nudge Down", "nd"},
}};

std::optional<PanTiltPad::ArrowKey> arrowKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Left: return PanTiltPad::ArrowKey::Left;
    case Qt::Key_Right: return PanTiltPad::ArrowKey::Right;
    case Qt::Key_Up: return PanTiltPad::ArrowKey::Up;
    case Qt::Key_Down: return PanTiltPad::ArrowKey::Down;
    default: return std::nullopt;
    }
}

QRect toQRect(const PadRect& r)
{
    return QRect(QPoint(r.left, r.top), QSize(r.width(), r.height()));
}

// The pad size the centre band is given for: the 123 x 123 window's.
constexpr int DesignPadSide = 123 - 2 * PanTiltPad::Margin;

} // namespace

PTControl::PTControl(QWidget* parent)
    : QWidget(parent)
    , m_pad([this](std::string_view command) { emitCommand(command); })
    , m_watch(new HoldWatch(*this, [this] { stopDriving(); }))
{
    setObjectName(QStringLiteral("panTiltPad"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Pan/Tilt pad"));
    for (std::size_t i = 0; i < Nudges.size(); ++i) {
        const NudgeLayout& nudge = Nudges[i];
        auto* button = new NudgeButton(nudge.arrow, this);
        button->setObjectName(QLatin1String(nudge.objectName));
        button->setToolTip(QLatin1String(nudge.toolTip));
        // An arrow alone says nothing to a screen reader.
        button->setAccessibleName(QLatin1String(nudge.toolTip));
        const char* command = nudge.command;
        connect(button, &QAbstractButton::clicked, this, [this, command] { emitCommand(command); });
        m_nudge[i] = button;
    }
    m_pad.setTimers(new QtTimers(this));
    resizePad(m_pad.windowWidth(), m_pad.windowHeight());
}

void PTControl::setTimers(Timers& timers)
{
    m_pad.setTimers(&timers);
}

void PTControl::emitCommand(std::string_view command)
{
    emit commandIssued(QByteArray(command.data(), qsizetype(command.size())));
}

void PTControl::resizePad(int width, int height)
{
    m_fitsBox = false;
    m_origin = {};
    m_pad.setWindowSize(width, height);
    // Fixed, so that no layout stretches the widget away from the pad's geometry.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(m_pad.windowWidth(), m_pad.windowHeight());
    layOutPad(m_pad.windowWidth(), m_pad.windowHeight());
}

void PTControl::fitToBox(int minimumSide)
{
    m_fitsBox = true;
    m_pad.setWindowSize(minimumSide, minimumSide);
    m_minimumSide = m_pad.windowWidth();
    setMinimumSize(m_minimumSide, m_minimumSide);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    updateGeometry();
    layOutPad(width(), height());
}

void PTControl::resizeEvent(QResizeEvent* event)
{
    if (m_fitsBox)
        layOutPad(width(), height());
    QWidget::resizeEvent(event);
}

void PTControl::layOutPad(int width, int height)
{
    if (m_fitsBox) {
        // Odd, so the pad window is exactly what fits.
        int side = std::max(std::min(width, height), m_minimumSide);
        if (side % 2 == 0)
            --side;
        m_pad.setWindowSize(side, side);
        m_origin = QPoint((width - m_pad.windowWidth()) / 2, (height - m_pad.windowHeight()) / 2);
        const int padSide = m_pad.padRect().width();
        m_pad.setCentreBand((m_centreBand * padSide + DesignPadSide / 2) / DesignPadSide);
    } else {
        m_pad.setCentreBand(m_centreBand);
    }
    placeNudgeButtons();
    renderPicture();
    update();
}

void PTControl::placeNudgeButtons()
{
    const int w = m_pad.windowWidth();
    const int h = m_pad.windowHeight();
    const QPoint o = m_origin;
    m_nudge[0]->setGeometry(o.x(), o.y() + h / 2 - 8, 11, 17);
    m_nudge[1]->setGeometry(o.x() + w - 11, o.y() + h / 2 - 8, 11, 17);
    m_nudge[2]->setGeometry(o.x() + w / 2 - 8, o.y(), 17, 11);
    m_nudge[3]->setGeometry(o.x() + w / 2 - 8, o.y() + h - 11, 17, 11);
}

void PTControl::setCentreBand(int halfWidth)
{
    m_centreBand = std::max(halfWidth, 0);
    layOutPad(width(), height());
}

void PTControl::setPanTiltType(int type)
{
    m_pad.setPanTiltType(type);
    m_dragLineColour = m_pad.isProportional() ? QColor(0, 0, 208) : QColor(Qt::white);
    update();
}

void PTControl::setSpeeds(int panScale, int tiltScale)
{
    m_pad.setSpeeds(panScale, tiltScale);
}

void PTControl::setPicture(int ptImage)
{
    m_picture = ptImage;
    renderPicture();
    update();
}

void PTControl::renderPicture()
{
    m_pictureImage = PadPictures::render(m_picture, padRect().size(), devicePixelRatioF());
}

void PTControl::setNudgeButtonsVisible(bool visible)
{
    m_nudgeVisible = visible;
    for (QAbstractButton* button : m_nudge)
        button->setVisible(visible);
}

void PTControl::setZoneFramesVisible(bool visible)
{
    m_zoneFrames = visible;
    update();
}

QRect PTControl::padRect() const
{
    return toQRect(m_pad.padRect()).translated(m_origin);
}

QSize PTControl::sizeHint() const
{
    if (m_fitsBox)
        return {m_minimumSide, m_minimumSide};
    return {m_pad.windowWidth(), m_pad.windowHeight()};
}

QSize PTControl::minimumSizeHint() const
{
    return sizeHint();
}

bool PTControl::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowBlocked:    // a modal box or dialog opened over this window
    case QEvent::WindowDeactivate: // another window took the keyboard and pointer
    case QEvent::UngrabMouse:      // someone else took the pointer grab
    case QEvent::Hide:
        stopDriving();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void PTControl::changeEvent(QEvent* event)
{
    // A disabled pad sees neither the button's release nor the keys'.
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        stopDriving();
    QWidget::changeEvent(event);
}

void PTControl::stopDriving()
{
    m_pointerHeld = false;
    m_watch->disarm();
    m_pad.stopDriving();
    updateCursorShape();
    update();
}

void PTControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    // From here on in the pad window's coordinates.
    p.translate(m_origin);
    const QRect pad = toQRect(m_pad.padRect());
    const PadPoint c = m_pad.centre();

    // Moved to a screen of another scale: draw the picture afresh, sharp there.
    if (!m_pictureImage.isNull() && m_pictureImage.devicePixelRatio() != devicePixelRatioF())
        renderPicture();
    if (!m_pictureImage.isNull()) {
        p.drawPixmap(pad.topLeft(), m_pictureImage);
    } else {
        p.fillRect(pad, QColor(180, 180, 180));
        // A sunken well: shadow above and left, highlight below and right.
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(pad.topLeft(), pad.topRight());
        p.drawLine(pad.topLeft(), pad.bottomLeft());
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(pad.bottomLeft(), pad.bottomRight());
        p.drawLine(pad.topRight(), pad.bottomRight());
        p.setPen(QColor(204, 204, 204));
        p.drawLine(pad.left() + 1, c.y, pad.right() - 1, c.y);
        p.drawLine(c.x, pad.top() + 1, c.x, pad.bottom() - 1);
    }

    if (m_pad.isDragging() || m_pad.isKeyDriving()) {
        // From the pointer to each centre line: the operator reads the pan
        // and the tilt share of the drive at a glance.
        const PadPoint cursor = m_pad.cursor();
        p.setPen(m_dragLineColour);
        p.drawLine(cursor.x, cursor.y, c.x, cursor.y);
        p.drawLine(cursor.x, cursor.y, cursor.x, c.y);
    }

    if (m_zoneFrames) {
        p.setPen(QColor(208, 208, 208));
        p.setBrush(Qt::NoBrush);
        for (int zone : {3, 5, 7, 1})
            p.drawRect(toQRect(m_pad.zoneRect(zone)).adjusted(0, 0, -1, -1));
    }

    if (hasFocus()) {
        // In the margin, clear of the picture, so the keyboard user sees
        // which control the arrow keys drive.
        QPen focusPen(palette().color(QPalette::Highlight), 1, Qt::DotLine);
        p.setPen(focusPen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(pad.adjusted(-3, -3, 2, 2));
    }
}

void PTControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // Qt grabs the mouse for the pressed widget, so the release arrives here
    // wherever the pointer is by then.
    const QPoint pos = toPad(event->position().toPoint());
    m_pointerHeld = true;
    m_watch->arm();
    m_pad.press(pos.x(), pos.y());
    updateCursorShape();
    update();
}

void PTControl::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pad.isDragging()) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    // Qt cannot clip the cursor, so a pointer that leaves the pad is put back
    // on its edge. Some platforms refuse to warp the pointer; the pad logic
    // confines the position itself, so the commands are the same either way.
    // Nothing is held between events: there is nothing to undo at button-up
    // or destruction.
    const QPoint pos = event->position().toPoint();
    const QRect pad = padRect();
    if (!pad.contains(pos)) {
        const QPoint inside(std::clamp(pos.x(), pad.left(), pad.right()),
                            std::clamp(pos.y(), pad.top(), pad.bottom()));
        QCursor::setPos(mapToGlobal(inside));
    }
    const QPoint onPad = toPad(pos);
    m_pad.move(onPad.x(), onPad.y());
    updateCursorShape();
    update();
}

void PTControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    // A hold that a modal box or the like already stopped has nothing left to stop.
    if (!std::exchange(m_pointerHeld, false))
        return;
    m_pad.release();
    m_watch->disarm();
    updateCursorShape();
    update();
}

void PTControl::keyPressEvent(QKeyEvent* event)
{
    const auto key = arrowKeyOf(event->key());
    if (!key) {
        QWidget::keyPressEvent(event);
        return;
    }
    m_pad.keyPress(*key, event->isAutoRepeat());
    if (m_pad.isKeyDriving())
        m_watch->arm();
    update();
}

void PTControl::keyReleaseEvent(QKeyEvent* event)
{
    const auto key = arrowKeyOf(event->key());
    if (!key) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    m_pad.keyRelease(*key, event->isAutoRepeat());
    update();
}

void PTControl::focusOutEvent(QFocusEvent* event)
{
    // A key held while the focus leaves never reports its release here.
    m_pad.releaseKeys();
    update();
    QWidget::focusOutEvent(event);
}

void PTControl::updateCursorShape()
{
    if (!m_pad.isDragging()) {
        setCursor(Qt::ArrowCursor);
        return;
    }
    // Zones show their direction; elsewhere the general drag cursor.
    switch (m_pad.isProportional() ? 0 : m_pad.zone()) {
    case 1:
    case 5: setCursor(Qt::SizeFDiagCursor); break;
    case 3:
    case 7: setCursor(Qt::SizeBDiagCursor); break;
    case 2:
    case 6: setCursor(Qt::SizeVerCursor); break;
    case 4:
    case 8: setCursor(Qt::SizeHorCursor); break;
    default: setCursor(Qt::SizeAllCursor); break;
    }
}

} // namespace tarn
