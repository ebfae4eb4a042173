#pragma once

#include "imaging/DspReply.h"
#include "link/DialogLogic.h"
#include "platform/Timers.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace tarn {

class CameraLink;
class Prompter;
struct DspListSetting;

// What the picture-control dialog's controls show. -1 is no selection (an
// empty radio group or combo box); list indexes are what goes on the wire.
// The edits keep their text as typed, so a reply that refreshes the dialog
// never throws away what the operator is typing.
struct DspControls {
    int dayNightMode = -1;      // Auto, Color, Mono
    int whiteBalance = -1;      // Auto (Normal), Manual, Auto (HPS)
    int shutter = -1;           // 0..15
    int wdr = -1;
    int baud = -1;              // 4800, 9600, 19.2K, 38.4K
    int poll = 1;
    int apertureMode = -1;      // Auto, Manual
    int zoomMagnification = -1; // 0..34 for 1X..35X
    int slowLimit = -1;         // 0..3
    int blc = -1;
    int digitalZoom = -1;       // 0..4
    int indoorOutdoor = -1;
    int eis = 0;
    int eisFrequency = -1;      // 16Hz, 5Hz
    int autoFocusType = -1;     // No PLS, PLS Type A, PLS Type A&B, PLS Type C
    int minFocusDistance = -1;  // 1m, 3m
    int rxEnable = 0;
    int irMode = 0;             // None, Mode1, Mode2
    std::string maxAgc = "1";
    std::string apertureHorizontal = "1";
    std::string apertureVertical = "1";
    std::string zoomPosition;   // up to 4 characters
    std::string tx;             // pass-through command, up to 32 characters
    std::string rx;             // the last register reply
};

// Which controls may be used. The baud radios, "Init. All Presets", the
// power-up buttons and the "Poll" box are never enabled.
struct DspEnabling {
    bool dayNightRadios = true;
    bool whiteBalanceRadios = true;
    bool shutter = true;
    bool indoorOutdoor = true;
    bool trimButtons = true;    // RU, RD, BU, BD
    bool apertureLevels = true; // both level edits and their Set buttons
    bool digitalZoom = true;
    bool eisRadios = true;
    bool eisFrequency = true;
    bool passThroughSend = true;
    bool pushToFocus = true;
    bool getStatus = true;
    bool focusCombos = true;    // Auto Focus Type, Min. Focus Distance
    bool operator==(const DspEnabling&) const = default;
};

// The picture-control ("DSP") dialog of the day/night camera block, without
// widgets: every control's command, the status and register replies, the
// EIS conflicts, the minimum-focus register loop and the push-to-focus
// register sequence. Everything goes out through the dialog's own pump
// (50 ms, one command per answer or 500 ms), and the picture replies come to
// it for its life. Runs on the main thread.
//
// Its handlers are spread over files by what they control: AlderHdDsp.cpp
// (opening, the camera, pass-through, the shared checks), AlderHdDspPicture.cpp
// (exposure, colour, aperture and gain, zoom, WDR/BLC/EIS), AlderHdDspFocus.cpp
// (auto focus and the register replies), AlderHdDspStatus.cpp (a reply taken
// apart, and the status fields). AlderHdDspWire.h holds the shared encodings.
class AlderHdDsp final : public DialogLogic, public TimerClient {
public:
    // The combo lists, in order; the index is what is sent.
    static constexpr int ShutterCount = 16;
    static constexpr int SlowLimitCount = 4;
    static constexpr int ZoomMagnificationCount = 35;
    static constexpr int DigitalZoomCount = 5;
    static constexpr int EisFrequencyCount = 2;
    static constexpr int AutoFocusTypeCount = 4;
    static constexpr int MinFocusDistanceCount = 2;
    static constexpr std::size_t ZoomPositionLength = 4;
    static constexpr std::size_t TxLength = 32;

    enum class Trim { RedUp, RedDown, BlueUp, BlueDown };
    enum class PowerUp { Save, Recall, RestoreDefaults };
    // The edit to put the focus into after a refused input.
    enum class Edit { None, MaxAgc, ApertureHorizontal, ApertureVertical, ZoomPosition, Tx };

    AlderHdDsp(CameraLink& link, Prompter& prompter);
    ~AlderHdDsp();

    // Opening: enabling by camera model, then the status request after
    // 0.5 s and the minimum-focus register read after 1 s.
    void initialise();
    bool initialising() const { return m_pump.initialising(); }

    // Camera
    void requestStatus();              // "Status ?"
    void togglePoll();
    void setBaud(int index);
    void initAllPresets();             // asks first
    // Day/Night, IR illuminator, shutter, slow limit
    void setDayNightMode(int index);
    void setIrMode(int index);
    void selectShutter(int index);
    void selectSlowLimit(int index);
    // White balance
    void setWhiteBalance(int index);
    void setIndoorOutdoor(int index);
    void trimPressed(Trim trim);
    void trimReleased();
    // Aperture, gain
    void setApertureMode(int index);
    void setApertureHorizontal();      // "Set Horz."
    void setApertureVertical();        // "Set Vert."
    void setMaxAgc();                  // "Set Max AGC"
    // Zoom
    void selectZoomMagnification(int index);
    void setZoomPosition();            // "Set"
    void getZoomPosition();            // "Get"
    // WDR, BLC, EIS, digital zoom
    void setWdr(int index);
    void setBlc(int index);
    void setEis(int index);
    void selectEisFrequency(int index);
    void selectDigitalZoom(int index);
    void powerUp(PowerUp action);
    // Auto focus
    void selectAutoFocusType(int index);
    void selectMinFocusDistance(int index);
    void pushToFocus();
    void getFocusStatus();             // "Get Status"
    // Pass-through
    void sendPassThrough();            // "Send"
    void toggleRx();                   // "EnableRx"

    // The edits, as the operator types.
    void setMaxAgcText(std::string_view text) { m_controls.maxAgc = text; }
    void setApertureHorizontalText(std::string_view text) { m_controls.apertureHorizontal = text; }
    void setApertureVerticalText(std::string_view text) { m_controls.apertureVertical = text; }
    void setZoomPositionText(std::string_view text) { m_controls.zoomPosition = text; }
    void setTxText(std::string_view text) { m_controls.tx = text; }

    const DspControls& controls() const { return m_controls; }
    const DspEnabling& enabling() const { return m_enabling; }
    Edit invalidEdit() const { return m_invalidEdit; }
    // The refused edit, once: the view puts the focus into it when the
    // refusal is shown, and later actions leave the focus alone.
    Edit takeInvalidEdit() { return std::exchange(m_invalidEdit, Edit::None); }
    // The last value read from register FF0E.
    std::uint8_t focusRegister() const { return m_focusRegister; }

    void replyReceived(std::span<const std::uint8_t> frame) override;
    void timerFired(int id) override;

private:
    void send(std::string_view command);
    void sendIndexed(std::string_view prefix, int index);
    // A choice from a list or radio group: stored and sent, unless the index
    // is not in the list (or the dialog is still opening and the setting
    // waits for that). Whether it went.
    bool choose(const DspListSetting& setting, int index);
    void start(int timer, int periodMs);
    bool guarded() const { return m_pump.initialising(); }
    bool readControls();
    void refuse(std::string_view message, Edit edit);
    int cameraModel() const;
    bool isDogwood() const;
    void writeFocusRegister();
    void focusTimerFired(int id);

    void applyRegisterReply(const DspReply& reply);
    void applyStatusField(const DspStatusField& field);

    DspControls m_controls;
    DspEnabling m_enabling;
    Edit m_invalidEdit = Edit::None;

    std::uint8_t m_focusRegister = 0;
    // The push-to-focus sequence.
    bool m_focusRunning = false;
    bool m_firstReadAwaited = false;
    bool m_phaseA = false;
    bool m_phaseB = false;
};

} // namespace tarn
