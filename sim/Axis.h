#pragma once

namespace tarn::sim {

// One moving part of the dome (pan, tilt, zoom, focus, iris): a position that
// follows a speed as time passes. Pan goes round and round; the others stop
// at their ends, as the mechanics do.
class Axis {
public:
    enum class Ends { Stop, WrapAround };

    // Positions lie in [lowest, highest]; a wrapping axis uses [lowest, highest).
    Axis(double lowest, double highest, Ends ends, double position = 0);

    double position() const { return m_position; }
    int roundedPosition() const;
    double speed() const { return m_speed; }
    bool moving() const { return m_speed != 0; }

    void setPosition(double position);
    // Units per second; the sign is the direction.
    void setSpeed(double unitsPerSecond) { m_speed = unitsPerSecond; }
    void stop() { m_speed = 0; }
    void advance(double seconds);

private:
    double limited(double position) const;

    double m_lowest;
    double m_highest;
    Ends m_ends;
    double m_position;
    double m_speed = 0;
};

} // namespace tarn::sim
