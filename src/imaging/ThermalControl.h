#pragma once

#include "imaging/ThermalSettings.h"
#include "link/DialogLogic.h"
#include "platform/Timers.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace tarn {

class CameraLink;
class Prompter;

// The dialog's number edits, in the order they are read.
enum class ThermalEdit {
    FfcInterval,
    FfcTemperatureChange,
    Plateau,
    IttMean,
    MaxGain,
    RoiLeft,
    RoiTop,
    RoiRight,
    RoiBottom,
    Dde,
    Count,
    None = Count
};

// What the controls show at the moment the dialog reads them: the radio
// groups' and lists' selections (-1 for none), the check box and the edits
// as typed.
struct ThermalControls {
    int ffcMode = ThermalSettings::NoSelection;
    int operatingMode = ThermalSettings::NoSelection;
    int video = ThermalSettings::NoSelection;
    int lut = ThermalSettings::NoSelection;
    int orientation = ThermalSettings::NoSelection;
    int digitalZoom = ThermalSettings::NoSelection;
    int agcPreset = ThermalSettings::NoSelection;
    bool suppOffset = false;
    std::array<std::string, static_cast<std::size_t>(ThermalEdit::Count)> edits;

    std::string& edit(ThermalEdit which) { return edits[static_cast<std::size_t>(which)]; }
    const std::string& edit(ThermalEdit which) const { return edits[static_cast<std::size_t>(which)]; }
};

// The Thermal Control dialog without widgets: every control's command, the
// reading of the controls with their range tests, the status reply and the
// start-up requests. Commands go out one at a time through the dialog's own
// pump, and the camera's 't' replies come to it for its life; the view shows
// settings() again whenever the refresh callback runs.
class ThermalControl final : public DialogLogic, public TimerClient {
public:
    static constexpr int StartTimerId = 20;
    static constexpr int StartDelayMs = 5;
    static constexpr int StatusTimerId = 12;
    static constexpr int StatusDelayMs = 500;
    // With the Javelin protocol the status is asked for with this pass-through
    // frame (bytes 4 and 5 take the address when it is sent).
    static constexpr std::array<std::uint8_t, 8> JavelinStatusRequest = {0xFF, 0x06, 0x07, 0x03,
                                                                         0x01, 0x01, 0x00, 0xFF};
    static constexpr int JavelinPumpDelayMs = 5;
    static constexpr int RoiRangeLabelCount = 6;

    enum class Focus { Near, Far };

    ThermalControl(CameraLink& link, Prompter& prompter);
    ~ThermalControl();

    // The dialog's initialisation is over: "tW0" goes out 5 ms from now and
    // the status request half a second after it.
    void start();

    // Called whenever the controls are to show settings() again.
    void setRefreshed(std::function<void()> refreshed) { setChanged(std::move(refreshed)); }
    const ThermalSettings& settings() const { return m_settings; }
    // The texts under "Left", "Top", "Right", "Bottom" and at the right and
    // bottom edges of the ROI sketch, for the reported sensor; empty until
    // the camera has reported it.
    std::array<std::string_view, RoiRangeLabelCount> roiRangeLabels() const;
    // After the controls could not be read: the edit that was refused.
    ThermalEdit refusedEdit() const { return m_refusedEdit; }

    // Flat_Field Correction
    void ffcModeChosen(int mode); // "Manual", "Auto", "Ext"
    void setFfc(const ThermalControls& controls);
    void doFfc();
    // Operating mode, Video
    void operatingModeChosen(int mode);
    void videoChosen(int video);
    // User Settings, Camera
    void saveUserSettings();
    void recallUserSettings();
    void resetCamera();
    void restoreFactoryDefaults();
    // Analog Video
    void lutChosen(const ThermalControls& controls);
    void orientationChosen(const ThermalControls& controls);
    void digitalZoomChosen(const ThermalControls& controls);
    void setDde(const ThermalControls& controls);
    // Supp. Offset "Enabled"
    void toggleSuppOffset();
    // Focus "Near" / "Far" held and let go
    void focusPressed(Focus direction);
    void focusReleased();
    // AGC
    void setAgcParameters(const ThermalControls& controls);
    void agcPresetChosen(const ThermalControls& controls);
    // ROI "Set"
    void setRoi(const ThermalControls& controls);
    // "Enable" under the GUI pass-through: after the operator's confirmation
    // sends "tPe", which locks the console's sending until it is restarted.
    void enablePassThrough();
    // "Status?"
    void requestStatus();
    // "OK": true when the controls could be read and the dialog may close.
    bool accept(const ThermalControls& controls);

    void replyReceived(std::span<const std::uint8_t> frame) override;
    void timerFired(int id) override;

private:
    bool readControls(const ThermalControls& controls);
    bool roiFitsTheSensor() const;
    void sendIndexCharacter(const char* prefix, int index, int highest);
    void sendWithStatusLater(std::string_view command);
    void statusRequest();

    ThermalSettings m_settings;
    ThermalEdit m_refusedEdit = ThermalEdit::None;
};

} // namespace tarn
