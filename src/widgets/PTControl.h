#pragma once

#include "widgets/PanTiltPad.h"

#include <QByteArray>
#include <QColor>
#include <QPixmap>
#include <QWidget>

#include <array>

class QAbstractButton;

namespace tarn {

class HoldWatch;
class Timers;

// The pan/tilt pad widget of the main window and the screen privacy zone
// dialog. The operator drags on it with the left button, or holds the arrow
// keys while it has the focus; the four nudge buttons round it step the
// camera once per click. All decisions are PanTiltPad's; this widget feeds it
// the pointer and keys and paints what it reports.
//
// Every hold ends with its stop: the left button's release, and also a
// modal box or dialog opening over the window, the window losing the
// activation, the pointer grab taken away, a popup or menu opening anywhere,
// the pad being disabled or hidden (none of which delivers a release here),
// and stopDriving().
//
// Output: every command text is emitted as commandIssued, synchronously, in
// the order made. The owner connects it with a direct connection (the
// default between objects of one thread) to its pan/tilt command handling, so
// the text is queued when the emit returns, and "PSTS" can empty the queue
// before anything pending goes out. The texts contain speed code bytes such
// as 0x13 or 0x5F but never a zero byte.
class PTControl final : public QWidget {
    Q_OBJECT
public:
    explicit PTControl(QWidget* parent = nullptr);

    // The timers that tell a held arrow key's auto-repeat from its release
    // (the owner's, so tests drive them); until then the widget's own.
    void setTimers(Timers& timers);

    // Resizes the widget to width x height, each made odd by adding 1 when
    // even; the pad is the widget less a 12-pixel margin on every side.
    // Starts at 123 x 123 (pad 99 x 99). Ends fitToBox().
    void resizePad(int width, int height);
    // The pad follows the widget's size, as the layout gives it: the pad
    // window is the largest odd square that fits, centred, never smaller
    // than minimumSide; picture, nudge buttons and zones follow. The main
    // window's pad grows with its box this way.
    void fitToBox(int minimumSide);
    // Half the width of the neutral bands between the zones of type 0, for
    // the 123 x 123 window (8); a larger pad widens them in proportion, so
    // the zones keep their shares of the pad.
    void setCentreBand(int halfWidth);
    // 0 "Fixed P/T" zones; 1 "Var Speed P/T" and 2 "Var. Prop. Speed P/T"
    // proportional speeds. Also picks the drag-line colour: white for zones,
    // dark blue for proportional speeds. Starts at 0.
    void setPanTiltType(int type);
    // The speeds reached at the pad's edge, the "PSpeed" and "TSpeed" settings.
    void setSpeeds(int panScale, int tiltScale);
    // The "PTImage" setting: 1 to 7 a drawn background (PadPictures), 0 or
    // anything else the plain grey pad. Starts at 0.
    void setPicture(int ptImage);
    int picture() const { return m_picture; }
    // Shows or hides the four nudge buttons. Shown from the start; the
    // privacy zone dialog hides them.
    void setNudgeButtonsVisible(bool visible);
    bool nudgeButtonsVisible() const { return m_nudgeVisible; }
    // Outlines the four corner zones.
    void setZoneFramesVisible(bool visible);
    bool zoneFramesVisible() const { return m_zoneFrames; }

    QColor dragLineColour() const { return m_dragLineColour; }
    // The pad rectangle in the widget's coordinates.
    QRect padRect() const;
    const PanTiltPad& pad() const { return m_pad; }

    // Whatever drives the camera, pointer or keys, stops now with one stop
    // (nothing when nothing drives): also for an end no event tells the pad
    // about, such as the link going away.
    void stopDriving();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void commandIssued(const QByteArray& command);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void emitCommand(std::string_view command);
    void layOutPad(int width, int height);
    QPoint toPad(QPoint widgetPoint) const { return widgetPoint - m_origin; }
    void placeNudgeButtons();
    void renderPicture();
    void updateCursorShape();

    PanTiltPad m_pad;
    // Where the pad window's (0, 0) lies in the widget: not at the corner
    // when a box that is not square centres the pad.
    QPoint m_origin;
    bool m_fitsBox = false;
    int m_minimumSide = 123;
    int m_centreBand = PanTiltPad::DefaultCentreBand;
    // The left button went down here and its release has not yet stopped the pad.
    bool m_pointerHeld = false;
    int m_picture = 0;
    QPixmap m_pictureImage;
    QColor m_dragLineColour = Qt::white;
    bool m_zoneFrames = false;
    bool m_nudgeVisible = true;
    // Left, right, up, down.
    std::array<QAbstractButton*, 4> m_nudge{};
    // Armed while the pointer or a key drives the camera.
    HoldWatch* m_watch;
};

} // namespace tarn
