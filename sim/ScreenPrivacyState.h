#pragma once

#include <array>

namespace tarn::sim {

// One of the masked areas the camera module draws over its picture.
struct ScreenPrivacyZone {
    int mode = 0;           // 0 off, 1 being programmed, 2 live
    int horizontalSize = 0; // 0..127
    int verticalSize = 0;
    int redColour = 0;      // R-Y 0..15
    int blueColour = 0;     // B-Y 0..15
    int shade = 0;          // 0..15
};

// The camera module's eight screen privacy zones and the one selected: the
// colour commands and the settings request work on the selected zone.
struct ScreenPrivacyState {
    static constexpr int ZoneCount = 8;
    static constexpr int HighestSize = 127;
    static constexpr int HighestColour = 15;

    std::array<ScreenPrivacyZone, ZoneCount> zones{};
    int selected = 0; // 0..7 for zones 1..8
};

} // namespace tarn::sim
