#pragma once

#include "core/ProfileStore.h"

#include <array>
#include <string_view>

namespace tarn {

namespace JoystickKey {
inline constexpr std::string_view Section = "Joystick";
} // namespace JoystickKey

// What the stick does, saved in the profile's "Joystick" section. Axes and
// buttons are numbered as the stick reports them (a game controller in its
// standard layout: axes 0/1 left stick, 2/3 right stick, 4/5 triggers;
// buttons 0 A, 1 B, 2 X, 3 Y, 6 Start, 11..14 the pad's up, down, left,
// right). -1 is "not used".
struct JoystickSettings {
    static constexpr int None = -1;
    static constexpr int PresetButtons = 8;
    // The zoom comes from one axis or from the two triggers.
    static constexpr int TriggerZoom = -2;

    int panAxis = 0;
    int tiltAxis = 1;
    int zoomAxis = 3;          // or TriggerZoom, or None
    int zoomInTrigger = 5;     // with TriggerZoom
    int zoomOutTrigger = 4;
    bool invertPan = false;
    bool invertTilt = false;
    bool invertZoom = false;
    int deadzonePercent = 10;  // 0..50
    int expoPercent = 0;       // 0 linear .. 100 cubic
    int topSpeedPercent = 100; // share of the pad's own top speed, 10..100
    int focusNearButton = 2;
    int focusFarButton = 1;
    int irisOpenButton = 3;
    int irisCloseButton = 0;
    int gotoButton = 6;
    std::array<int, PresetButtons> presetButtons{11, 14, 12, 13, None, None, None, None};
    bool stopOnFocusLoss = true;

    bool operator==(const JoystickSettings&) const = default;

    // Out-of-range values fall back to the defaults.
    static JoystickSettings load(const ProfileStore& profile);
    void save(ProfileStore& profile) const;
};

} // namespace tarn
