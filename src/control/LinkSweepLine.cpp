#include "control/LinkSweepLine.h"

#include "control/MainControl.h"
#include "core/Messages.h"
#include "link/Protocols.h"
#include "link/TrafficDecoder.h"

#include <charconv>
#include <utility>

namespace tarn {

LinkSweepLine::LinkSweepLine(MainControl& control)
    : m_control(control)
    , m_port(control.serialPortNumber())
    , m_baudIndex(control.baudIndex())
    , m_protocolIndex(control.link().state().protocolIndex)
    , m_address(control.link().state().address)
    , m_linkMode(control.link().state().linkMode)
    , m_serialWasOpen(control.serialPort().isOpen())
{
    CameraLink& link = m_control.link();
    PortServerControl& portServer = m_control.portServer();
    if (m_linkMode == 1 && portServer.hasSocket()) {
        const SiteLink server = SiteLink::parse(portServer.serverAddress() + ':'
                                                + std::to_string(link.state().portServerPort));
        if (server.isPortServer())
            m_originalServer = m_server = server;
    }
    m_control.panel().stopPolling();
    m_control.connection().setPaused(true);
    link.queue().clearForDialog();
    link.claimQueue(*this);
    link.setReplyTap(this);
    portServer.setConnectWatch(
        [this](PortServerControl::ConnectOutcome outcome, int errorCode) { connectEnded(outcome, errorCode); });
}

LinkSweepLine::~LinkSweepLine()
{
    restore();
}

std::optional<int> LinkSweepLine::serialPortFor(const std::string& link) const
{
    if (link.size() > 3 && link.starts_with("COM")) {
        int number = 0;
        const auto [end, error] = std::from_chars(link.data() + 3, link.data() + link.size(), number);
        if (error == std::errc{} && end == link.data() + link.size() && number > 0)
            return number;
        return std::nullopt;
    }
    for (const SerialPortEntry& entry : m_control.serialPorts())
        if (entry.device == link && entry.numbered)
            return entry.comNumber;
    return std::nullopt;
}

void LinkSweepLine::leavePortServer()
{
    m_connecting = false;
    if (m_control.link().state().linkMode != 0)
        m_control.portServer().chooseSerial(); // disconnects
    m_server.reset();
}

LineSelection LinkSweepLine::selectLine(const std::string& link, int baudIndex, int protocolIndex)
{
    const LineSelection selection = select(link, baudIndex, protocolIndex);
    // A change of link mode with a serial port away lets the camera search
    // go on again: it stays quiet until the sweep ends.
    m_control.connection().setPaused(true);
    return selection;
}

LineSelection LinkSweepLine::select(const std::string& link, int baudIndex, int protocolIndex)
{
    const SiteLink site = SiteLink::parse(link);
    if (site.isPortServer()) {
        // At whatever rate the server's serial side runs.
        m_control.link().state().protocolIndex = protocolIndex;
        return selectPortServer(site);
    }
    const std::optional<int> port = serialPortFor(link);
    if (!port)
        return LineSelection::unusable(std::string(Messages::SweepWhyNotALink));
    leavePortServer();
    m_control.link().state().protocolIndex = protocolIndex;
    m_serialTouched = true;
    if (!m_control.useSerialLine(*port, baudIndex) || !m_control.link().canSend())
        return LineSelection::unusable(std::string(Messages::SweepWhyCannotOpen));
    return LineSelection::ready();
}

LineSelection LinkSweepLine::selectPortServer(const SiteLink& server)
{
    PortServerControl& portServer = m_control.portServer();
    if (m_control.link().state().linkMode != 1)
        portServer.chooseNetwork();
    if (m_server == server && portServer.hasSocket()) {
        // Another rate or protocol on the server already there.
        if (m_connecting)
            return LineSelection::connecting();
        if (m_control.link().canSend())
            return LineSelection::ready();
    }
    portServer.disconnect();
    m_server = server;
    m_connecting = true;
    m_connectedAtOnce.reset();
    m_selecting = true;
    portServer.connect(server.address, std::to_string(server.port));
    m_selecting = false;
    if (m_connectedAtOnce)
        return *std::exchange(m_connectedAtOnce, std::nullopt);
    return LineSelection::connecting();
}

void LinkSweepLine::connectEnded(PortServerControl::ConnectOutcome outcome, int errorCode)
{
    if (outcome == PortServerControl::ConnectOutcome::Dropped) {
        // The server being swept went: the rest of it is not asked.
        m_server.reset();
        if (m_sweep && !m_connecting)
            m_sweep->lineLost(Messages::SweepWhyDropped);
        return;
    }
    if (!m_connecting)
        return; // the console's own port server, connected again at the end
    m_connecting = false;
    LineSelection selection;
    switch (outcome) {
    case PortServerControl::ConnectOutcome::Connected:
        break;
    case PortServerControl::ConnectOutcome::Failed:
        selection = LineSelection::unusable(Messages::format(Messages::SweepWhyRefused, errorCode));
        break;
    case PortServerControl::ConnectOutcome::TimedOut:
        selection = LineSelection::unusable(
            Messages::format(Messages::SweepWhyNoConnection, PortServerControl::ConnectTimeoutMs / 1000));
        break;
    case PortServerControl::ConnectOutcome::Dropped:
        break;
    }
    if (m_selecting) {
        m_connectedAtOnce = selection;
        return;
    }
    if (m_sweep)
        m_sweep->lineSelected(selection.state == LineSelection::State::Ready, selection.why);
}

void LinkSweepLine::ask(int address, std::string_view question)
{
    LinkState& state = m_control.link().state();
    state.address = address;
    state.broadcastNext = false;
    m_control.link().SendCommand(question);
}

void LinkSweepLine::replyReceived(std::span<const std::uint8_t> frame)
{
    if (!m_sweep)
        return;
    const int digits = m_control.link().state().protocolIndex == Protocol::PhilipsBosch ? 5 : 4;
    const TrafficDecoder::Decoded decoded = TrafficDecoder::decode(TrafficKind::Tarn, frame, digits);
    if (decoded.address > 0)
        m_sweep->replyReceived(decoded.address, decoded.text);
}

void LinkSweepLine::restore()
{
    if (m_restored)
        return;
    m_restored = true;
    m_connecting = false;
    CameraLink& link = m_control.link();
    PortServerControl& portServer = m_control.portServer();
    portServer.setConnectWatch({});
    link.setReplyTap(nullptr);
    link.queue().clearForDialog();
    link.releaseQueue(*this);
    link.state().protocolIndex = m_protocolIndex;
    link.state().address = m_address;
    if (m_serialTouched) {
        if (m_linkMode == 0 || m_serialWasOpen) {
            m_control.useSerialLine(m_port, m_baudIndex);
        } else {
            // A console on its port server had no serial port open: the one
            // swept closes, and the configured one is not opened (it may
            // not be there at all).
            m_control.serialPort().close();
            m_control.savedSettings().port = m_port;
            m_control.savedSettings().baud = m_baudIndex;
        }
    }
    if (m_linkMode == 0) {
        if (link.state().linkMode != 0)
            portServer.chooseSerial(); // disconnects the last port server swept
    } else {
        if (link.state().linkMode != 1)
            portServer.chooseNetwork();
        if (m_server != m_originalServer || (m_originalServer && !portServer.hasSocket())) {
            portServer.disconnect();
            if (m_originalServer)
                portServer.connect(m_originalServer->address, std::to_string(m_originalServer->port));
        }
    }
    m_control.connection().setPaused(m_control.linkPaused());
}

} // namespace tarn
