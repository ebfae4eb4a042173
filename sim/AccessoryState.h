#pragma once

namespace tarn::sim {

// The housing's window wiper and washer: how long the wiper runs and waits,
// which wiper module is fitted, the washer's timings and its automatic mode,
// and how often each has run since the camera started.
struct AccessoryState {
    static constexpr int HighestRunTime = 9999;     // seconds
    static constexpr int HighestTime = 99;          // delay, wash and wipe times, seconds
    static constexpr int HighestFrequency = 168;    // minutes between automatic washes

    int wipeRunTime = 10;
    int wipeDelay = 0;
    int wiperModule = 1; // 0 old, 1 new
    int washTime = 5;
    int washWipeTime = 3;
    bool manualWash = false;
    int washFrequency = 1;
    // Where the dome turns to for a wash ("mWh" stores the position it is at).
    bool washHomeStored = false;
    int washHomePan = 0;
    int washHomeTilt = 0;
    int wipes = 0;  // "L3"
    int washes = 0; // "L2"
};

} // namespace tarn::sim
