#pragma once

#include <QAbstractButton>

namespace tarn {

// A lens button: it acts while held. The press and the release are reported
// wherever the pointer is when the button comes up, since the camera must
// always get its stop.
class HoldButton final : public QAbstractButton {
    Q_OBJECT
public:
    explicit HoldButton(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {44, 30}; }

signals:
    void held();
    void letGo();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_holding = false;
};

} // namespace tarn
