#pragma once

#include "core/CameraTypes.h"
#include "link/ReplyReceiver.h"
#include "platform/Timers.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace tarn {

class CameraLink;
class ConnectionSequence;
class Prompter;

// The six lens buttons.
enum class LensButton { ZoomIn, ZoomOut, FocusNear, FocusFar, IrisOpen, IrisClose };

// Which of the panel's controls may be used by camera type. IO, IC, FN and
// FF are not among them: only the manual iris and focus states enable those.
struct PanelEnabling {
    bool reset = false;
    bool lensFast = false;
    bool manualIris = false;
    bool manualFocus = false;
    bool zoom = false;        // ZI, ZO
    bool pad = false;
    bool presets = false;     // Store, Goto, the list, Store ID, Get ID
    bool setAddress = false;  // the Set Addr field and its "Set"
    bool positionPolling = false;
    bool positionGoto = false;
    bool cameraId = false;
    bool dspStatus = false;
    bool azimuthSet = false;
    bool autoFocusOnPtz = false;
    bool tourList = false;
    bool tourStartStop = true;
    bool tourSetup = true;
    bool wipe = false;        // "Wipe", "Wipe Setup"
    bool wash = false;        // "Wash", "Wash Setup"
    bool operator==(const PanelEnabling&) const = default;

    // The rules by camera type, applied at start and after every Setup OK.
    static PanelEnabling forCameraType(int cameraType);
};

// The main control panel's logic: lens buttons, latching functions, address
// and position entry, status and position polling, the decoding of status
// replies and the pan/tilt commands. Everything it shows is in its state; the
// window reads it back after each change.
class MainPanel final : public TimerClient {
public:
    struct Lamps {
        bool statusPolling = false; // beside "Status ?" (also lit by "P/T/Z/F ?")
        bool cameraPower = false;
        bool lensFast = false;
        bool manualIris = false;
        bool manualFocus = false;
    };
    enum class PositionField { None, Pan, Tilt, Zoom, Focus };

    MainPanel(CameraLink& link, ConnectionSequence& connection, Prompter& prompter, int ptType);
    ~MainPanel();
    MainPanel(const MainPanel&) = delete;
    MainPanel& operator=(const MainPanel&) = delete;

    // The window redraws from the state when told.
    void setChanged(std::function<void()> changed) { m_changed = std::move(changed); }
    // A hand movement ends the camera's tour (zoom, focus and pad commands).
    void setTourInterrupted(std::function<void()> interrupted) { m_tourInterrupted = std::move(interrupted); }

    // Start: address limits, enabling by camera type.
    void initialise();
    // The controls follow the camera type (after Setup OK).
    void applyCameraType();
    // After the Setup dialog: the address field follows the protocol, and
    // keeps the camera's address when the protocol's range still holds it.
    void setupClosed();

    // Camera address field.
    struct AddressLimits {
        int minimum;
        int maximum;
        int width; // characters
    };
    AddressLimits addressLimits() const;
    void applyAddressLimits(); // also resets the address to the lowest one
    void setAddress(int address);
    int address() const;

    void reset();                     // "Reset"
    void toggleStatusPolling();       // "Status ?"
    void setNewAddress(std::string_view digits); // "Set" of Set Addr
    void getAddress();                // "GetAddr"
    void lensPressed(LensButton button);
    void lensReleased();
    void lensFast();                  // "Lens Fast"
    void toggleManualIris();          // "Manual Iris"
    void toggleManualFocus();         // "Manual Focus"
    void toggleAutoFocusOnPtz();      // "Do Auto Focus on PTZ"
    void gotoPosition(std::string_view pan, std::string_view tilt, std::string_view zoom,
                      std::string_view focus); // position "Goto"
    void togglePositionPolling();     // "P/T/Z/F ?"
    // Before a setup dialog opens: both pollings off, the lamp dark.
    void stopPolling();
    // While the line is away the polls wait; the polling chosen stays on and
    // goes on when the line is back.
    void setPollingPaused(bool paused);
    void wipe();
    void wash();
    void seekHome();
    void getNorthOffset();
    // A command text from the pan/tilt pad (or any window).
    void ptCommand(std::string_view text);
    // The pad's text that stops both axes.
    static constexpr std::string_view PadStop = "PSTS";
    // At exit: the stop of a held lens button or a moving pad goes out now.
    void sendHeldStopsNow();

    // Replies for the panel.
    void statusReply(std::span<const std::uint8_t> frame);
    void panTiltPosition(int pan, int tilt);
    void javelinStatus(int length, std::uint8_t status);
    void statusFields(const StatusFields& fields);

    const PanelEnabling& enabling() const { return m_enabling; }
    // The status as the camera last reported it (and the operator's clicks).
    const Lamps& lamps() const { return m_lamps; }
    // What the window shows of it: replies refresh the lamps and the "Do
    // Auto Focus on PTZ" check only while status polling runs; the
    // operator's own clicks show at once.
    struct ShownStatus {
        bool cameraPower = false;
        bool lensFast = false;
        bool manualIris = false;
        bool manualFocus = false;
        bool autoFocusOnPtz = false;
    };
    const ShownStatus& shownStatus() const { return m_shown; }
    bool irisButtonsEnabled() const { return m_irisButtons; }
    bool focusButtonsEnabled() const { return m_focusButtons; }
    bool autoFocusOnPtz() const { return m_autoFocusOnPtz; }
    bool statusPolling() const { return m_statusPolling; }
    bool positionPolling() const { return m_positionPolling; }
    // The Pan, Tilt, Zoom and Focus fields as the camera reported them.
    const std::array<std::string, 4>& reportedPositions() const { return m_positions; }
    // The field to put the focus into after a refused "Goto".
    PositionField invalidField() const { return m_invalidField; }
    int ptType() const { return m_ptType; }
    void setPtType(int ptType) { m_ptType = ptType; }

    void timerFired(int id) override;

    // The Javelin motion and function frames the panel queues.
    static std::array<std::uint8_t, 8> javelinFrame(std::uint8_t op, std::uint8_t arg);

private:
    void queue(std::string_view text, int delayMs = 5);
    void queueFrame(std::uint8_t op, std::uint8_t arg, int delayMs = 5);
    void changed();
    // A status reply arrived: shown only while status polling runs.
    void statusUpdated();
    void applyStatusByte(std::uint8_t status, bool lForm, std::span<const std::uint8_t> frame);
    // IO and IC usable (lamp lit) or not; the manual-iris flag is the opposite.
    void setManualIrisState(bool irisAdjustable);
    void setManualFocusState(bool focusAdjustable, bool onlyEnable);
    void ptCommandJavelin(std::string_view text);
    void panStop();
    void tiltStop();
    bool isJavelin() const;
    int moduleType() const;
    int cameraType() const;

    static constexpr int ModuleDayNight = ModuleType::DayNight;
    static constexpr int ModuleThermal = ModuleType::Thermal;

    CameraLink& m_link;
    ConnectionSequence& m_connection;
    Prompter& m_prompter;
    int m_ptType;
    std::function<void()> m_changed;
    std::function<void()> m_tourInterrupted;

    PanelEnabling m_enabling;
    Lamps m_lamps;
    ShownStatus m_shown;
    bool m_zoomHeld = false;
    bool m_focusHeld = false;
    bool m_irisHeld = false;
    LensButton m_heldButton = LensButton::ZoomIn;
    bool m_manualIris = false;  // the manual-iris flag: 1 while IO and IC are disabled
    bool m_irisButtons = false; // IO and IC; disabled until a state is known
    bool m_manualFocus = false;
    bool m_focusButtons = false; // FN and FF; disabled until a state is known
    bool m_lensFast = false;
    bool m_autoFocusOnPtz = false;
    bool m_statusPolling = false;
    int m_statusPhase = 0;
    bool m_positionPolling = false;
    int m_positionPhase = 0;
    bool m_pollingPaused = false;
    std::array<std::string, 4> m_positions;
    PositionField m_invalidField = PositionField::None;
    // The active directions, so a stop frame goes to the axis that moves.
    bool m_panLeft = false;
    bool m_tiltUp = false;
    // The pad's last text moved the camera: a stop is owed.
    bool m_padMoving = false;
    // Set while the exit sends the owed stops past the queue.
    bool m_stopsGoNow = false;
};

} // namespace tarn
