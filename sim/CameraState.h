#pragma once

#include "sim/AccessoryState.h"
#include "sim/Axis.h"
#include "sim/AzimuthState.h"
#include "sim/CameraIdState.h"
#include "sim/CameraModel.h"
#include "sim/DspState.h"
#include "sim/SetupState.h"
#include "sim/MaintenanceState.h"
#include "sim/ScreenPrivacyState.h"
#include "sim/SectorTourState.h"
#include "sim/SimClock.h"
#include "sim/ThermalImager.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tarn::sim {

// A stored preset position and the 24-character name (its "ID").
struct Preset {
    bool stored = false;
    int pan = 0;
    int tilt = 0;
    int zoom = 0;
    int focus = 0;
    std::string name = std::string(24, ' ');
};

// Who the camera is: fixed by the command line, except that "As" changes
// the address.
struct CameraIdentity {
    int address = 1;
    int protocol = 1; // the console's protocol list index
    Model model = Model::AlderHD;
    Module module = Module::DayNight;
    ThermalSensor thermalSensor = ThermalSensor::Large640x512;
};

// Everything the camera knows about itself, in one place: identity, link
// behaviour, status bits, the moving parts, presets and tours. Command
// handlers read and change it; the status replies are built from it.
class CameraState {
public:
    static constexpr int PresetCount = 64;
    static constexpr std::size_t PresetNameLength = 24;
    static constexpr int TourCount = 8;
    static constexpr int NoTour = -1;

    // Positions: pan and tilt in tenths of a degree (tilt positive downwards,
    // 900 = straight down), zoom and focus as 12-bit lens positions.
    static constexpr int PanTurn = 3600;
    static constexpr int TiltLimit = 900;
    static constexpr int LensTop = 0xFFF;
    static constexpr int IrisTop = 0xFF;

    using Identity = CameraIdentity;

    explicit CameraState(const Identity& identity = {});

    // Four address digits, five with the protocol whose range reaches 16384.
    int addressDigits() const;
    // The "L" status byte bits: 0 manual iris, 1 camera power, 2 lens fast,
    // 3 auto focus on PTZ.
    std::uint8_t lensStatusBits() const;

    // Moves every axis, and a running tour, on to `now`.
    void advanceTo(TimePoint now);
    // The instant of the frame being answered.
    TimePoint now() const { return m_lastAdvance.value_or(TimePoint{}); }
    void stopAll();
    // A preset goto, a nudge or a pan/tilt command takes the dome off its tour.
    void leaveTour() { runningTour = NoTour; }

    Identity identity;
    // Replies in STX form (02 ... 03) instead of F8 form.
    bool stxReplies = false;
    // NTCIP mode: the camera answers the link frame and ignores "A?".
    bool ntcip = false;

    bool manualIris = false;
    bool cameraPower = true;
    bool lensFast = false;
    bool autoFocusOnPtz = false;
    bool manualFocus = false;
    bool heaterOn = false;

    int videoType = 1;      // 0 NTSC, 1 PAL
    int lineLockPhase = 0;
    char videoFreeze = '0';
    int temperature = 25;   // degrees Celsius inside the housing
    std::string firmware = "0107";

    Axis pan{0, PanTurn, Axis::Ends::WrapAround};
    Axis tilt{-TiltLimit, TiltLimit, Axis::Ends::Stop};
    Axis zoom{0, LensTop, Axis::Ends::Stop};
    Axis focus{0, LensTop, Axis::Ends::Stop, LensTop / 2};
    Axis iris{0, IrisTop, Axis::Ends::Stop, IrisTop / 2};

    SetupState setup;

    std::array<Preset, PresetCount> presets{};
    int runningTour = NoTour;
    DspSettings dsp;
    CameraIdState cameraId;
    DspRegisters dspRegisters;
    MaintenanceState maintenance;
    SectorTourState sectorTours;
    ThermalImager thermal;
    AccessoryState accessories;
    AzimuthState azimuth;
    ScreenPrivacyState screenPrivacy;

private:
    std::optional<TimePoint> m_lastAdvance;
};

} // namespace tarn::sim
