#pragma once

#include <QSpinBox>

namespace tarn {

// A number field whose arrows keep to a narrower range than the numbers it
// can hold: a value read back from the camera may lie outside what the
// operator is meant to choose, and is still shown as it is. The arrows bring
// such a value back into their range; the dialog checks what was typed.
class StepRangeSpinBox final : public QSpinBox {
    Q_OBJECT
public:
    explicit StepRangeSpinBox(QWidget* parent = nullptr);

    void setStepRange(int minimum, int maximum);

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_stepMinimum = 0;
    int m_stepMaximum = 99;
};

} // namespace tarn
