#include "widgets/StepRangeSpinBox.h"

#include <algorithm>

namespace tarn {

StepRangeSpinBox::StepRangeSpinBox(QWidget* parent)
    : QSpinBox(parent)
{
}

void StepRangeSpinBox::setStepRange(int minimum, int maximum)
{
    m_stepMinimum = minimum;
    m_stepMaximum = std::max(minimum, maximum);
    update();
}

void StepRangeSpinBox::stepBy(int steps)
{
    const long long target = static_cast<long long>(value()) + static_cast<long long>(steps) * singleStep();
    setValue(static_cast<int>(std::clamp<long long>(target, m_stepMinimum, m_stepMaximum)));
    selectAll();
}

QAbstractSpinBox::StepEnabled StepRangeSpinBox::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    StepEnabled enabled = StepNone;
    if (value() < m_stepMaximum)
        enabled |= StepUpEnabled;
    if (value() > m_stepMinimum)
        enabled |= StepDownEnabled;
    return enabled;
}

} // namespace tarn
