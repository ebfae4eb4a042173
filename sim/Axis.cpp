#include "sim/Axis.h"

#include <algorithm>
#include <cmath>

namespace tarn::sim {

Axis::Axis(double lowest, double highest, Ends ends, double position)
    : m_lowest(lowest)
    , m_highest(highest)
    , m_ends(ends)
    , m_position(limited(position))
{
}

int Axis::roundedPosition() const
{
    const int rounded = static_cast<int>(std::lround(m_position));
    // 3599.6 rounds to a full turn, which a wrapping axis calls 0.
    if (m_ends == Ends::WrapAround && rounded >= m_highest)
        return static_cast<int>(m_lowest);
    return rounded;
}

void Axis::setPosition(double position)
{
    m_position = limited(position);
}

void Axis::advance(double seconds)
{
    if (m_speed == 0 || seconds <= 0)
        return;
    const double wanted = m_position + m_speed * seconds;
    m_position = limited(wanted);
    if (m_ends == Ends::Stop && m_position != wanted)
        m_speed = 0; // ran into the end stop
}

double Axis::limited(double position) const
{
    if (m_ends == Ends::Stop)
        return std::clamp(position, m_lowest, m_highest);
    const double turn = m_highest - m_lowest;
    const double wrapped = std::fmod(position - m_lowest, turn);
    return m_lowest + (wrapped < 0 ? wrapped + turn : wrapped);
}

} // namespace tarn::sim
