#pragma once

#include "link/PortServerSocket.h"
#include "link/TrafficEntry.h"
#include "platform/Timers.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tarn {

class CameraLink;
class Prompter;
class ProfileStore;

// The network link to a serial port server: the "Comm"/"Network" choice, the
// "Connect" and "Disconnect" buttons with their enabling, the one socket, the
// 1 s connect time-out and the reply path into the link.
class PortServerControl final : public TimerClient, private PortServerSocket::Listener {
public:
    // A fixed address of the private network range, shown until the user types another.
    static constexpr std::array<std::uint8_t, 4> DefaultAddress = {192, 168, 1, 200};
    static constexpr std::string_view DefaultPortText = "1233";
    static constexpr int ConnectTimeoutMs = 1000;

    struct Controls {
        bool connect = false;
        bool disconnect = false;
        bool address = false;
        bool port = false;
        bool operator==(const Controls&) const = default;
    };

    PortServerControl(CameraLink& link, Prompter& prompter, ProfileStore& profile,
                      PortServerSocketFactory& sockets);
    ~PortServerControl();
    PortServerControl(const PortServerControl&) = delete;
    PortServerControl& operator=(const PortServerControl&) = delete;

    // Called when the link asks for the probe after a connect request.
    void setProbeRequest(std::function<void()> probe) { m_probe = std::move(probe); }
    // Called whenever the enabling of the four controls changed.
    void setControlsChanged(std::function<void()> changed) { m_controlsChanged = std::move(changed); }
    // Called after "Comm" or "Network" changed the link mode.
    void setLinkModeChanged(std::function<void()> changed) { m_linkModeChanged = std::move(changed); }
    // The state of the connection as a line of text ("Port server 10.0.0.5:4001
    // connected"), empty after the user's own "Disconnect".
    void setStatusChanged(std::function<void(std::string_view)> changed) { m_statusChanged = std::move(changed); }
    // Told of the connection's events: connecting, connected, failed, closed.
    void setTrafficObserver(TrafficObserver* observer) { m_traffic = observer; }
    // How a connect ended: connected, refused or failed (the socket's error
    // code, 1 and up), or no connection within the time-out (code 0); and
    // later whether the connection that was up went (closed by the server,
    // or a failed read).
    enum class ConnectOutcome { Connected, Failed, TimedOut, Dropped };
    // Told once for each connect while set (the commissioning sweep, which
    // connects one port server after another). A connect that fails, or a
    // connection that goes, is then the watcher's to report: no box.
    void setConnectWatch(std::function<void(ConnectOutcome, int errorCode)> watch)
    {
        m_connectWatch = std::move(watch);
    }

    // The window's initialisation: controls enabled only in network link mode.
    void initialise();

    void chooseSerial();  // "Comm"
    void chooseNetwork(); // "Network"
    void connect(const std::array<std::uint8_t, 4>& address, std::string_view portText);
    void disconnect();

    bool hasSocket() const { return m_socket != nullptr; }
    // The server of the last connect ("10.0.0.5"), with the port in the link state.
    const std::string& serverAddress() const { return m_serverAddress; }
    const Controls& controls() const { return m_controls; }
    static int parsePort(std::string_view text);
    static std::string formatAddress(const std::array<std::uint8_t, 4>& address);

    void timerFired(int id) override;

private:
    void socketConnected(int errorCode) override;
    void socketDataReceived(std::span<const std::uint8_t> bytes) override;
    void socketReceiveFailed() override;
    void socketClosedByPeer() override;

    void dropSocket();
    // As "Disconnect"; `why` is the state to show (none for the user's own).
    // False when there was no connection.
    bool closeConnection(const char* why);
    void setControls(Controls controls);
    void setStatus(const char* pattern);
    void portEvent(const char* pattern, int number = 0);
    void connectEnded(ConnectOutcome outcome, int errorCode);
    void writeLinkMode(int mode);

    CameraLink& m_link;
    Prompter& m_prompter;
    ProfileStore& m_profile;
    PortServerSocketFactory& m_sockets;
    std::unique_ptr<PortServerSocket> m_socket;
    Controls m_controls;
    std::function<void()> m_probe;
    std::function<void()> m_controlsChanged;
    std::function<void()> m_linkModeChanged;
    std::function<void(std::string_view)> m_statusChanged;
    std::function<void(ConnectOutcome, int)> m_connectWatch;
    TrafficObserver* m_traffic = nullptr;
    std::string m_serverAddress;
};

} // namespace tarn
