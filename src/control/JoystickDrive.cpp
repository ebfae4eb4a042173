#include "control/JoystickDrive.h"

#include "widgets/PanTiltPad.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarn {

void JoystickDrive::setPad(int ptType, int panScale, int tiltScale)
{
    m_type = ptType;
    m_panScale = std::max(1, panScale);
    m_tiltScale = std::max(1, tiltScale);
}

double JoystickDrive::shape(double value, int deadzonePercent, int expoPercent)
{
    const double dead = std::clamp(deadzonePercent, 0, 99) / 100.0;
    const double magnitude = std::min(std::abs(value), 1.0);
    if (magnitude <= dead)
        return 0.0;
    const double live = (magnitude - dead) / (1.0 - dead);
    const double expo = std::clamp(expoPercent, 0, 100) / 100.0;
    // Blends the straight line with the cube: flat near the centre, the
    // same full speed at the edge.
    const double shaped = (1.0 - expo) * live + expo * live * live * live;
    return value < 0 ? -shaped : shaped;
}

int JoystickDrive::stepped(double asked, int sent)
{
    if (asked == 0.0)
        return 0;
    const int direction = asked < 0 ? -1 : 1;
    // The slowest move is one step: a small deflection still moves.
    const int rounded = std::max(1, static_cast<int>(std::lround(std::abs(asked))));
    if (sent == 0 || (sent < 0) != (asked < 0))
        return direction * rounded;
    return std::abs(std::abs(asked) - std::abs(sent)) >= 1.0 ? direction * rounded : sent;
}

int JoystickDrive::zoneOf(double pan, double tilt)
{
    if (pan == 0.0 && tilt == 0.0)
        return 0;
    // Eight sectors of 45 degrees around right (0), tilt positive downwards.
    const int sector = static_cast<int>(std::lround(std::atan2(tilt, pan) / (std::numbers::pi / 4)));
    static constexpr int Zones[] = {8, 1, 2, 3, 4, 5, 6, 7, 8}; // sectors -4 .. 4
    return Zones[sector + 4];
}

std::string JoystickDrive::proportionalText(int panSpeed, int tiltSpeed)
{
    std::string text;
    if (panSpeed == 0)
        text = "PS";
    else
        text = {panSpeed < 0 ? 'l' : 'r', PanTiltPad::speedCode(std::abs(panSpeed))};
    if (tiltSpeed == 0)
        text += "TS";
    else
        text += std::string{tiltSpeed < 0 ? 'u' : 'd', PanTiltPad::speedCode(std::abs(tiltSpeed))};
    return text;
}

std::string JoystickDrive::update(double pan, double tilt, bool slotFree)
{
    const double x = shape(m_settings.invertPan ? -pan : pan, m_settings.deadzonePercent, m_settings.expoPercent);
    const double y = shape(m_settings.invertTilt ? -tilt : tilt, m_settings.deadzonePercent, m_settings.expoPercent);
    const bool centred = x == 0.0 && y == 0.0;
    if (m_latched) {
        m_latched = !centred;
        return {};
    }
    if (centred)
        return halt();

    const bool proportional = m_type == 1 || m_type == 2;
    if (!proportional) {
        const int zone = zoneOf(x, y);
        if (zone == m_zone || !slotFree)
            return {};
        m_zone = zone;
        return std::string(PanTiltPad::zoneCommand(zone));
    }
    const double top = m_settings.topSpeedPercent / 100.0;
    const int panSpeed = stepped(x * m_panScale * top, m_panSpeed);
    const int tiltSpeed = stepped(y * m_tiltScale * top, m_tiltSpeed);
    if ((panSpeed == m_panSpeed && tiltSpeed == m_tiltSpeed) || !slotFree)
        return {};
    m_panSpeed = panSpeed;
    m_tiltSpeed = tiltSpeed;
    return proportionalText(panSpeed, tiltSpeed);
}

std::string JoystickDrive::stop()
{
    m_latched = true;
    return halt();
}

std::string JoystickDrive::halt()
{
    const bool wasMoving = moving();
    m_panSpeed = m_tiltSpeed = m_zone = 0;
    if (!wasMoving)
        return {};
    return std::string(Stop);
}

} // namespace tarn
