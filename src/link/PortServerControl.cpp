#include "link/PortServerControl.h"

#include "core/Messages.h"
#include "core/Settings.h"
#include "link/CameraLink.h"
#include "core/ProfileStore.h"
#include "platform/Prompter.h"
#include "platform/TimerIds.h"

#include <charconv>

namespace tarn {

namespace {
constexpr PortServerControl::Controls AllDisabled{};
constexpr PortServerControl::Controls ReadyToConnect{true, false, true, true};
constexpr PortServerControl::Controls ConnectedControls{false, true, false, false};
} // namespace

PortServerControl::PortServerControl(CameraLink& link, Prompter& prompter, ProfileStore& profile,
                                     PortServerSocketFactory& sockets)
    : m_link(link)
    , m_prompter(prompter)
    , m_profile(profile)
    , m_sockets(sockets)
{
}

PortServerControl::~PortServerControl()
{
    m_link.timers().stopAll(*this);
    dropSocket();
}

void PortServerControl::initialise()
{
    setControls(m_link.state().linkMode == 1 ? ReadyToConnect : AllDisabled);
}

void PortServerControl::setControls(Controls controls)
{
    m_controls = controls;
    if (m_controlsChanged)
        m_controlsChanged();
}

void PortServerControl::writeLinkMode(int mode)
{
    m_link.state().linkMode = mode;
    m_profile.writeInt(SettingsSection::Setup, SettingsKey::CommPort, mode);
    if (m_linkModeChanged)
        m_linkModeChanged();
}

void PortServerControl::portEvent(const char* pattern, int number)
{
    if (!m_traffic)
        return;
    const std::string text = Messages::format(pattern, m_serverAddress.c_str(), m_link.state().portServerPort, number);
    TrafficEvent event;
    event.direction = TrafficDirection::Event;
    event.transport = TrafficTransport::Network;
    event.kind = TrafficKind::PortEvent;
    event.verdict = TrafficVerdict::None;
    event.note = text;
    m_traffic->traffic(event);
}

void PortServerControl::setStatus(const char* pattern)
{
    portEvent(pattern ? pattern : Messages::TrafficPortServerDisconnected);
    if (!m_statusChanged)
        return;
    m_statusChanged(pattern ? Messages::format(pattern, m_serverAddress.c_str(), m_link.state().portServerPort)
                            : std::string());
}

void PortServerControl::chooseSerial()
{
    disconnect();
    setControls(AllDisabled);
    writeLinkMode(0);
}

void PortServerControl::chooseNetwork()
{
    writeLinkMode(1);
    setControls(ReadyToConnect);
}

int PortServerControl::parsePort(std::string_view text)
{
    int port = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), port);
    if (result.ec != std::errc() || port < 0)
        return 0;
    return port;
}

std::string PortServerControl::formatAddress(const std::array<std::uint8_t, 4>& address)
{
    return std::to_string(address[0]) + '.' + std::to_string(address[1]) + '.'
        + std::to_string(address[2]) + '.' + std::to_string(address[3]);
}

void PortServerControl::connect(const std::array<std::uint8_t, 4>& address,
                                std::string_view portText)
{
    if (m_socket)
        return;
    m_link.state().networkConnected = true;
    const int port = parsePort(portText);
    m_link.state().portServerPort = port;
    m_serverAddress = formatAddress(address);
    m_socket = m_sockets.create(*this);
    m_link.setNetworkTransport(m_socket.get());
    portEvent(Messages::TrafficPortServerConnecting);
    m_socket->connectTo(m_serverAddress, port);
    m_link.timers().start(*this, TimerId::PortServerConnect, ConnectTimeoutMs);
    if (m_probe)
        m_probe();
}

void PortServerControl::dropSocket()
{
    if (!m_socket)
        return;
    m_link.setNetworkTransport(nullptr);
    m_socket->close();
    m_socket.reset();
}

void PortServerControl::disconnect()
{
    // A connect given up on is not reported later as one that failed.
    m_link.timers().stop(*this, TimerId::PortServerConnect);
    closeConnection(nullptr);
}

void PortServerControl::connectEnded(ConnectOutcome outcome, int errorCode)
{
    // A copy: the watcher may end its watch from inside (a sweep that ends).
    if (const auto watch = m_connectWatch)
        watch(outcome, errorCode);
}

bool PortServerControl::closeConnection(const char* why)
{
    if (!m_socket)
        return false;
    m_link.state().networkConnected = false;
    dropSocket();
    setControls(ReadyToConnect);
    setStatus(why);
    return true;
}

void PortServerControl::socketConnected(int errorCode)
{
    if (errorCode == 0) {
        m_link.timers().stop(*this, TimerId::PortServerConnect);
        setControls(ConnectedControls);
        setStatus(Messages::PortServerConnected);
        connectEnded(ConnectOutcome::Connected, 0);
        return;
    }
    // The 1 s time-out tells the user; here the socket just goes. Nothing is
    // connected any more, so replies are not routed as if it were.
    portEvent(Messages::TrafficPortServerRefused, errorCode);
    m_link.state().networkConnected = false;
    dropSocket();
    setControls(ReadyToConnect);
    if (m_connectWatch) {
        // The watcher tells it: no box after the time-out.
        m_link.timers().stop(*this, TimerId::PortServerConnect);
        connectEnded(ConnectOutcome::Failed, errorCode);
    }
}

void PortServerControl::timerFired(int id)
{
    if (id != TimerId::PortServerConnect)
        return;
    m_link.timers().stop(*this, id);
    if (!closeConnection(Messages::PortServerUnreachable))
        setStatus(Messages::PortServerUnreachable); // a refused connect dropped the socket already
    if (m_connectWatch) {
        connectEnded(ConnectOutcome::TimedOut, 0);
        return;
    }
    m_prompter.showMessage(Messages::PortServerNotFound, Messages::NetworkErrorTitle,
                           MessageIcon::None);
}

void PortServerControl::socketDataReceived(std::span<const std::uint8_t> bytes)
{
    m_link.networkBytesReceived(bytes);
}

void PortServerControl::socketReceiveFailed()
{
    // The socket does not outlive its error: like a close by the server, the
    // link is disconnected, "Connect" is offered again, and it is told once.
    if (!closeConnection(Messages::PortServerReceiveFailed))
        return;
    if (m_connectWatch) {
        connectEnded(ConnectOutcome::Dropped, 0);
        return;
    }
    m_prompter.showMessage(Messages::CouldNotReceive, {}, MessageIcon::None);
}

void PortServerControl::socketClosedByPeer()
{
    // A dead socket that looks connected helps nobody: the link is disconnected
    // and "Connect" is offered again. The user is told once, where the link's
    // state is shown and in a box: frames typed from now on stay here.
    if (!closeConnection(Messages::PortServerClosed))
        return;
    if (m_connectWatch) {
        connectEnded(ConnectOutcome::Dropped, 0);
        return;
    }
    m_prompter.showMessage(Messages::format(Messages::PortServerClosed, m_serverAddress.c_str(), m_link.state().portServerPort),
                           Messages::NetworkErrorTitle, MessageIcon::Warning);
}

} // namespace tarn
