#pragma once

#include <QWidget>

namespace tarn {

// A small indicator lamp of the panel, 12 x 10 pixels: lit or dark.
class Lamp final : public QWidget {
    Q_OBJECT
public:
    explicit Lamp(QWidget* parent = nullptr, QColor litColour = QColor(40, 230, 40));

    void setLit(bool lit);
    bool isLit() const { return m_lit; }

    QSize sizeHint() const override { return {12, 10}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_litColour;
    bool m_lit = false;
};

} // namespace tarn
