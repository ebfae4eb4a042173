#pragma once

#include <QWidget>

namespace tarn {

// The camera's protocol mode as the console records it: a badge drawn by us,
// amber for NTCIP mode, green for Tarn mode. Blank until it is shown.
class ModeIndicator final : public QWidget {
    Q_OBJECT
public:
    enum class Mode { None, Ntcip, Tarn };

    explicit ModeIndicator(QWidget* parent = nullptr);

    void setMode(Mode mode);
    Mode mode() const { return m_mode; }

    QSize sizeHint() const override { return {96, 40}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Mode m_mode = Mode::None;
};

} // namespace tarn
