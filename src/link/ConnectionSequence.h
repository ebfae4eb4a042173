#pragma once

#include "link/NtcipKeeper.h"
#include "platform/Timers.h"

namespace tarn {

class CameraLink;
class Prompter;
class ProfileStore;
struct Settings;

// Finds the camera on the line at start: link frames and the broadcast probe
// "A?", three attempts, then the broadcast address or a question to the user.
// For the "AlderSD" camera it also takes over the camera's NTCIP mode and
// gives it back at exit, remembering an abnormal end across runs.
class ConnectionSequence final : public TimerClient, public NtcipKeeper {
public:

    ConnectionSequence(CameraLink& link, Prompter& prompter, ProfileStore& profile,
                       const Settings& settings);
    ~ConnectionSequence();
    ConnectionSequence(const ConnectionSequence&) = delete;
    ConnectionSequence& operator=(const ConnectionSequence&) = delete;

    // The window has initialised.
    void start();
    // "GetAddr": the link frame, then the probe 500 ms later.
    void getAddress();
    // A port-server connection was asked for: probe once it may be up.
    void probeAfterConnect();
    // The connection check after the camera was given a new address.
    void probeSoon(int delayMs);
    // The status request of the main panel ("L?", then "cDS").
    void requestStatus(int delayMs);
    // The camera asked for the link frame with its address.
    void sendAddressLinkFrameSoon();
    // The "A" reply; the link has taken the address already.
    void connectionReply();
    // The camera's setup memory was erased: exit leaves NTCIP mode off.
    void setNvramCleared() override { m_nvramCleared = true; }
    // The technician says which mode the camera is in (1 NTCIP, 0 Tarn);
    // the exit path gives it back in that mode.
    void setNtcipState(int state) override { m_ntcipState = state; }
    // While the line is away nothing of the search or the status requests
    // runs. When it is back, a camera already found is asked for its status
    // again; otherwise the search starts over.
    void setPaused(bool paused);
    // An "A" reply was taken since the start.
    bool cameraFound() const { return m_found; }

    // The exit commands; returns how long to wait before the port goes.
    int exitCommands();

    int ntcipState() const override { return m_ntcipState; }
    bool ntcipWasOn() const { return m_ntcipWasOn; }
    int attempts() const { return m_attempts; }

    void timerFired(int id) override;

private:
    void sendLinkFrame();
    void sendAddressLinkFrame();
    void attemptsExhausted();
    void startStatusPoll(int statusDelayMs, int presetNameDelayMs);
    void oneShot(int id, int ms);
    bool isAlderSd() const;

    CameraLink& m_link;
    Prompter& m_prompter;
    ProfileStore& m_profile;
    const int m_storedNtcipMode;
    const int m_storedNtcipExitNormal;

    int m_attempts = 0;
    int m_linkFrames = 0;
    bool m_probePending = false;
    bool m_probeSent = false;
    bool m_ntcipWasOn = false;
    int m_ntcipState = 0;
    bool m_nvramCleared = false;
    bool m_started = false;
    bool m_paused = false;
    bool m_found = false;
};

} // namespace tarn
