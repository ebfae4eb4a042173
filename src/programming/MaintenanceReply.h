#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarn {

// What a camera's 'm' reply to the other maintenance queries says. Offsets
// count from the command letter 'm' (0):
//   "mT": front temperature from 2 up to 'B' (at most 7 characters), then 'B'
//         and 4 characters of back temperature; or, with 'H' at 2, "H" + 3
//         characters of high temperature and an optional "L" + 3 of low
//   "mP": 8 characters of current pressure at 2; with "lr" at 10, 26
//         characters of last read pressure at 12, "pt" at 38 and 29
//         characters of calibration words at 40, 'S' at 69 and 7 characters
//         of barrel serial number; without it, "pt" at 17, calibration words
//         at 19, 'S' at 48 and the serial number
//   "mf" + a character (bit 0: freeze video), "mt" + 2 characters (heater
//   level), "mV" + 4 characters of pan and 4 of tilt (virtual home)
// Texts end early at the frame's end; a missing part is left out.
struct MaintenanceReply {
    enum class Kind { None, Temperature, Pressure, Freeze, Heater, VirtualHome };

    Kind kind = Kind::None;
    // Temperature.
    std::optional<std::string> front, back, high, low;
    // Pressure: the pressures carry "PSI" already.
    std::string currentPressure;
    std::optional<std::string> lastReadPressure, calibration, barrelSerial;
    // Freeze, heater, virtual home.
    bool freeze = false;
    std::string heaterLevel;
    std::string homePan, homeTilt;

    static MaintenanceReply parse(std::span<const std::uint8_t> frame, int protocolIndex);
};

} // namespace tarn
