#pragma once

#include <optional>
#include <string>

namespace tarn::sim {

// The lens drive and camera module, as the lens maintenance commands set
// them. Digits are the console's list indexes.
struct LensDrive {
    int voltage = 1;     // 0 6 VDC, 1 9 VDC, 2 12 VDC
    int mode = 0x3;      // bit 0 zoom/focus motorised, 1 motor iris, 2 zoom/focus pots, 3 iris pot
    int cameraModel = 2; // the camera module model list
    bool extender = false;
    int infrared = 0;    // 0 normal, 1 850 nm, 2 880 nm, 3 950 nm
};

// The sealed barrel and the service settings around it.
struct Barrel {
    static constexpr int FactoryPressure = 14700; // thousandths of a PSI
    // A slow leak: each reading is this much lower than the one before.
    static constexpr int LeakPerReading = 3;

    int heaterLevel = 40; // degrees Celsius
    int homePan = 0;      // virtual home, as the position replies give it
    int homeTilt = 0;
    bool calWordsStored = true;
    int pressure = FactoryPressure;
    // The previous dated reading: its pressure and the date the console sent.
    std::optional<std::string> lastReading;
    std::string serial = "0012345";
};

struct MaintenanceState {
    LensDrive lens;
    Barrel barrel;
};

} // namespace tarn::sim
