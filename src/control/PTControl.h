#pragma once

#include "control/PanTiltPad.h"

#include <QByteArray>
#include <QColor>
#include <QPixmap>
#include <QWidget>

#include <array>

class QAbstractButton;

namespace tarn {

// The pan/tilt pad widget of the main window and the screen privacy zone
// dialog. The operator drags on it with the left button, or holds the arrow
// keys while it has the focus; the four nudge buttons round it step the
// camera once per click. All decisions are PanTiltPad's; this widget feeds it
// the pointer and keys and paints what it reports.
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

    // Resizes the widget to width x height, each made odd by adding 1 when
    // even; the pad is the widget less a 12-pixel margin on every side. The
    // main window uses 123 x 123 (pad 99 x 99). Starts at 123 x 123.
    void resizePad(int width, int height);
    // Half the width of the neutral bands between the zones of type 0 (8).
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
    QRect padRect() const;
    const PanTiltPad& pad() const { return m_pad; }

    QSize sizeHint() const override;

signals:
    void commandIssued(const QByteArray& command);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void emitCommand(std::string_view command);
    void placeNudgeButtons();
    void renderPicture();
    void updateCursorShape();

    PanTiltPad m_pad;
    int m_picture = 0;
    QPixmap m_pictureImage;
    QColor m_dragLineColour = Qt::white;
    bool m_zoneFrames = false;
    bool m_nudgeVisible = true;
    // Left, right, up, down.
    std::array<QAbstractButton*, 4> m_nudge{};
};

} // namespace tarn
