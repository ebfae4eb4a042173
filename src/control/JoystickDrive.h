#pragma once

#include "core/JoystickSettings.h"

#include <string>

namespace tarn {

// The stick's pan and tilt as the pad's own command texts, without any
// device: the deadzone and the expo curve shape each axis, the deflection
// maps onto the pad's speed range for its pan/tilt type (the fixed-speed
// zones of type 0, the speed codes of types 1 and 2), and a rate rule decides
// when a text goes out:
//
// - a new text only when an axis asks for a speed at least one step away
//   from the one sent (or another direction), so a resting hand that trembles
//   sends nothing;
// - only into a free queue slot: while a command still waits, nothing is
//   added, and the next look sends what the stick asks for then;
// - the stick centred sends the stop at once, whatever waits;
// - after a safe stop the stick drives again only once it was centred.
class JoystickDrive {
public:
    static constexpr std::string_view Stop = "PSTS";

    void setSettings(const JoystickSettings& settings) { m_settings = settings; }
    // The pad's "PTType", "PSpeed" and "TSpeed".
    void setPad(int ptType, int panScale, int tiltScale);

    // One axis after the deadzone and the expo curve: 0 inside the deadzone,
    // then from 0 to +-1 at full deflection.
    static double shape(double value, int deadzonePercent, int expoPercent);

    // The stick's pan (-1 left .. +1 right) and tilt (-1 up .. +1 down) as
    // read, before inversion. Returns the text to send now, or "".
    std::string update(double pan, double tilt, bool slotFree);
    // The stick must stop the camera now (unplugged, focus or link lost, a
    // dialog opening): "PSTS" once when it drives, else "". The stick is
    // then ignored until it comes back to the centre.
    std::string stop();
    bool moving() const { return m_panSpeed != 0 || m_tiltSpeed != 0 || m_zone != 0; }

    // The text of a speed pair (signed: left/up negative) for types 1 and 2.
    static std::string proportionalText(int panSpeed, int tiltSpeed);

private:
    std::string halt();
    // One axis's new speed given what it asks (in speed units) and what was sent.
    static int stepped(double asked, int sent);
    static int zoneOf(double pan, double tilt);

    JoystickSettings m_settings;
    int m_type = 0;
    int m_panScale = 63;
    int m_tiltScale = 63;
    int m_panSpeed = 0;
    int m_tiltSpeed = 0;
    int m_zone = 0;
    bool m_latched = false;
};

} // namespace tarn
