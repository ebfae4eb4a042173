#pragma once

#include "link/ConnectionSequence.h"
#include "core/Settings.h"
#include "control/MainPanel.h"
#include "control/PresetPanel.h"
#include "control/SiteCamera.h"
#include "programming/CameraSetup.h"
#include "programming/TourSetup.h"
#include "link/CameraLink.h"
#include "link/DialogDoor.h"
#include "link/PortServerControl.h"
#include "link/SerialPort.h"
#include "link/SerialPortList.h"
#include "link/SerialPortWatch.h"
#include "link/TrafficRecord.h"
#include "platform/MonotonicClock.h"

#include <functional>
#include <string>

namespace tarn {

struct Platform;

// The main window's logic, without any widget: owns the link state, the serial
// port, the port-server link and the connection sequence, and runs the
// window's initialisation and exit steps. The Qt window only forwards to it.
class MainControl final : public SerialPortOwner, public LinkEvents, public DialogDoor {
public:
    static constexpr std::size_t SerialWriteBufferSize = 128;
    static constexpr int StatusAfterSetupMs = 3000;

    MainControl(Platform& platform, Settings settings,
                std::function<std::string(int port)> devicePathFor);
    ~MainControl();
    MainControl(const MainControl&) = delete;
    MainControl& operator=(const MainControl&) = delete;

    // Ready to send, with no port opened and no search for the camera: the
    // sweep without a window opens what it sweeps.
    void initialiseWithoutSearch();
    // The window's initialisation: opens the serial port from the settings
    // (one message when it is missing), ends the busy state and starts looking
    // for the camera.
    void initialise();
    // The camera driven now, as a camera of a site list (its link, rate,
    // protocol, address and types; no name).
    SiteCamera currentCamera() const;
    // One press on the camera list: every stop goes to the camera being left,
    // the line changes only as far as it must, then the chosen camera's
    // address and types are taken and its status asked for. False (with a
    // message) when its link cannot be used; nothing was changed then.
    bool switchToCamera(const SiteCamera& chosen);
    // The exit path's commands to the camera. Runs once, however the window
    // closes; returns how long the camera needs before the line goes.
    int exit();
    // After the Setup dialog changed the port or the baud rate in
    // savedSettings(): reopens with them ("Port not found" and the device
    // when it is missing, then waits for it as at start).
    bool reopenSerialPort();
    // The serial port and rate in use now.
    int serialPortNumber() const { return m_settings.port; }
    int baudIndex() const { return m_settings.baud; }
    // Uses this serial port at this baud index for now, reopening it only
    // when either differs; nothing is stored in the profile.
    bool useSerialLine(int port, int baudIndex);
    // Called first thing in exit(): from then on nothing may open a box.
    void setExitStarting(std::function<void()> starting) { m_exitStarting = std::move(starting); }

    // Set from construction until the initialisation has finished: nothing may
    // be sent before the window exists.
    bool isBusy() const { return m_link.state().busy; }
    bool hasExited() const { return m_exited; }
    const Settings& settings() const { return m_settings; }
    // The saved values the tour setup changes as it stores them.
    Settings& savedSettings() { return m_settings; }
    TourRunFlags& runningTour() { return m_runningTour; }
    SerialPort& serialPort() { return m_serialPort; }
    SerialPortWatch& serialPortWatch() { return m_portWatch; }
    // The door the dialogs see.
    CameraLink& link() override { return m_link; }
    Prompter& prompter() override;
    Timers& timers() override;
    PadSetup padSetup() const override;
    NtcipKeeper& ntcip() override { return m_connection; }
    ConnectionSequence& connection() { return m_connection; }
    PortServerControl& portServer() { return m_portServer; }
    MainPanel& panel() { return m_panel; }
    PresetPanel& presets() { return m_presets; }
    // Everything that went over the line since the console started.
    TrafficRecord& traffic() { return m_traffic; }

    // "Camera Setup": both pollings stop, and the dialog opens with these
    // values (the console's current ones).
    SetupValues openingSetup();
    // The "Comm. Port" list; the configured port is always in it.
    std::vector<SerialPortEntry> serialPorts() const;
    // Setup closed with OK: stores the values, reopens the serial port when
    // the port or its rate changed, and applies the camera type. A chosen
    // device without a COM number gets one first.
    void acceptSetup(const SetupValues& values, const SerialPortEntry* chosenPort);
    // After the Setup dialog, whatever its result: first preset, address
    // limits, a status request in 3 s.
    void setupClosed();

    // Called when the camera's address changed (the "A" reply).
    void setAddressChanged(std::function<void(int)> changed) { m_addressChanged = std::move(changed); }
    // Told after each status reply of the camera in use (a site list's lamp).
    void setStatusHeard(std::function<void()> heard) { m_statusHeard = std::move(heard); }
    // Called when "tPe" has locked the sending until the console restarts.
    void setSendLocked(std::function<void()> locked) { m_sendLocked = std::move(locked); }
    // The state of the link in use, for the window's link group: which device
    // or port server, and whether it is there.
    const std::string& linkStatus() const { return m_linkStatus; }
    void setLinkStatusChanged(std::function<void()> changed) { m_linkStatusChanged = std::move(changed); }
    // While the link in use is away, polls, the queue and the camera search wait.
    bool linkPaused() const { return m_linkPaused; }
    // Called when the link in use goes away: whatever the operator holds
    // ends then, its stop queued once for when the link is back, since no
    // release may ever come (the box about the loss may be held back).
    void setLinkLost(std::function<void()> lost) { m_linkLost = std::move(lost); }

    void serialByteReceived(std::uint8_t byte, int port) override;
    void serialPortLost(int port, const std::string& call, int error) override;
    void connectionReply(int address) override;
    void addressLinkFrameRequested() override;
    void statusReply(std::span<const std::uint8_t> frame) override
    {
        m_panel.statusReply(frame);
        if (m_statusHeard)
            m_statusHeard();
    }
    void panTiltPosition(int pan, int tilt) override { m_panel.panTiltPosition(pan, tilt); }
    void javelinStatus(int length, std::uint8_t status) override { m_panel.javelinStatus(length, status); }
    void statusFields(const StatusFields& fields) override { m_panel.statusFields(fields); }
    void presetNameReply(std::span<const std::uint8_t> frame) override { m_presets.presetNameReply(frame); }
    void sendLockSet() override
    {
        if (m_sendLocked)
            m_sendLocked();
    }

private:
    bool openSerialPort(bool atStart);
    // The serial port's state or the link mode changed; a port coming back is
    // shown only when its own watch tells it.
    void linkChanged(bool showReconnected);
    void updateLinkPause();
    void updateLinkStatus();
    void linkLost();

    Platform& m_platform;
    Settings m_settings;
    SteadyClock m_trafficClock;
    TrafficRecord m_traffic;
    CameraLink m_link;
    SerialPort m_serialPort;
    SerialPortList m_portList;
    SerialPortWatch m_portWatch;
    ConnectionSequence m_connection;
    PortServerControl m_portServer;
    MainPanel m_panel;
    PresetPanel m_presets;
    TourRunFlags m_runningTour;
    std::function<void(int)> m_addressChanged;
    std::function<void()> m_statusHeard;
    // The port server the last switch connected to ("10.0.0.5:4001").
    std::string m_portServerLink;
    std::function<void()> m_sendLocked;
    std::function<void()> m_exitStarting;
    std::function<void()> m_linkStatusChanged;
    std::function<void()> m_linkLost;
    std::string m_linkStatus;
    std::string m_networkStatus;
    bool m_linkPaused = false;
    bool m_exited = false;
};

} // namespace tarn
