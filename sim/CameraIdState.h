#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarn::sim {

// The text lines the camera lays over its video and what goes with them: two
// ID lines, three alarm lines (line 3 is the alarm's "LP" line), their
// enables and places, and the presets the dome goes to on alarms 1 and 2.
struct CameraIdState {
    static constexpr std::size_t LineLength = 24;
    static constexpr int LineCount = 5;
    static constexpr int HighestPreset = 64;

    std::array<std::string, LineCount> lines = {
        std::string(LineLength, ' '), std::string(LineLength, ' '), std::string(LineLength, ' '),
        std::string(LineLength, ' '), std::string(LineLength, ' ')};
    bool idEnabled = false;
    bool displayAtTop = false;
    bool alarmTextEnabled = false;
    std::array<bool, 3> alarmLineEnabled{};
    bool alarmBlink = false;
    bool maintenanceTextEnabled = false;
    int displayMode = 0; // ID line 5: 0 az/el/zoom, 1 compass/zoom, 2 maintenance
    std::array<int, 2> alarmPreset{}; // 0: none

    // The "SC" status byte: bit 0 display at top, 1 ID enabled, 2 the first
    // alarm line enabled, 4 maintenance text, and one of bits 5, 6, 7 for
    // display mode 0, 1, 2.
    std::uint8_t statusByte() const
    {
        return static_cast<std::uint8_t>((displayAtTop ? 0x01 : 0) | (idEnabled ? 0x02 : 0)
                                         | (alarmLineEnabled[0] ? 0x04 : 0)
                                         | (maintenanceTextEnabled ? 0x10 : 0) | (0x20 << displayMode));
    }
};

} // namespace tarn::sim
