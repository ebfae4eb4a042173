#pragma once

#include <QAbstractButton>

namespace tarn {

class HoldWatch;

// A button that acts while held (zoom, focus, iris, jog, trim ...). held() is
// emitted on the left-button press and letGo() exactly once for it, whatever
// ends the hold: the release, wherever the pointer is by then; the pointer
// grab taken away; the window losing the activation; a modal box or dialog
// opening over the window; a popup or menu opening anywhere; the button
// being disabled or hidden; cancelHold(). The camera must always get its
// stop, and none of those ever delivers the release here.
class HoldButton final : public QAbstractButton {
    Q_OBJECT
public:
    explicit HoldButton(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {44, 30}; }
    bool isHolding() const { return m_holding; }
    // Ends a hold that no event of its own ends (the link going away).
    void cancelHold() { endHold(); }

signals:
    void held();
    void letGo();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void endHold();

    bool m_holding = false;
    HoldWatch* m_watch;
};

} // namespace tarn
