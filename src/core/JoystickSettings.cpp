#include "core/JoystickSettings.h"

#include <string>

namespace tarn {

namespace {

// One table for load and save, so the two never drift apart.
template <class Visit>
void eachValue(JoystickSettings& s, Visit visit)
{
    // name, value, lowest, highest
    visit("PanAxis", s.panAxis, JoystickSettings::None, 15);
    visit("TiltAxis", s.tiltAxis, JoystickSettings::None, 15);
    visit("ZoomAxis", s.zoomAxis, JoystickSettings::TriggerZoom, 15);
    visit("ZoomInTrigger", s.zoomInTrigger, JoystickSettings::None, 15);
    visit("ZoomOutTrigger", s.zoomOutTrigger, JoystickSettings::None, 15);
    visit("Deadzone", s.deadzonePercent, 0, 50);
    visit("Expo", s.expoPercent, 0, 100);
    visit("TopSpeed", s.topSpeedPercent, 10, 100);
    visit("FocusNear", s.focusNearButton, JoystickSettings::None, 31);
    visit("FocusFar", s.focusFarButton, JoystickSettings::None, 31);
    visit("IrisOpen", s.irisOpenButton, JoystickSettings::None, 31);
    visit("IrisClose", s.irisCloseButton, JoystickSettings::None, 31);
    visit("Goto", s.gotoButton, JoystickSettings::None, 31);
    for (std::size_t i = 0; i < s.presetButtons.size(); ++i)
        visit("Preset" + std::to_string(i + 1), s.presetButtons[i], JoystickSettings::None, 31);
}

template <class Visit>
void eachFlag(JoystickSettings& s, Visit visit)
{
    visit("InvertPan", s.invertPan);
    visit("InvertTilt", s.invertTilt);
    visit("InvertZoom", s.invertZoom);
    visit("StopOnFocusLoss", s.stopOnFocusLoss);
}

} // namespace

JoystickSettings JoystickSettings::load(const ProfileStore& profile)
{
    JoystickSettings s;
    eachValue(s, [&](const std::string& key, int& value, int lowest, int highest) {
        const int read = profile.readInt(JoystickKey::Section, key, value);
        if (read >= lowest && read <= highest)
            value = read;
    });
    eachFlag(s, [&](const std::string& key, bool& value) {
        const int read = profile.readInt(JoystickKey::Section, key, value ? 1 : 0);
        if (read == 0 || read == 1)
            value = read == 1;
    });
    return s;
}

void JoystickSettings::save(ProfileStore& profile) const
{
    JoystickSettings s = *this;
    eachValue(s, [&](const std::string& key, int& value, int, int) {
        profile.writeInt(JoystickKey::Section, key, value);
    });
    eachFlag(s, [&](const std::string& key, bool& value) {
        profile.writeInt(JoystickKey::Section, key, value ? 1 : 0);
    });
}

} // namespace tarn
