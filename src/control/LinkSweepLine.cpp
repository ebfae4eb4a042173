#include "control/LinkSweepLine.h"

#include "control/MainControl.h"
#include "link/Protocols.h"
#include "link/TrafficDecoder.h"

#include <charconv>

namespace tarn {

LinkSweepLine::LinkSweepLine(MainControl& control)
    : m_control(control)
    , m_port(control.serialPortNumber())
    , m_baudIndex(control.baudIndex())
    , m_protocolIndex(control.link().state().protocolIndex)
    , m_address(control.link().state().address)
{
    CameraLink& link = m_control.link();
    m_control.panel().stopPolling();
    m_control.connection().setPaused(true);
    link.queue().clearForDialog();
    link.claimQueue(*this);
    link.setReplyTap(this);
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

bool LinkSweepLine::selectLine(const std::string& link, int baudIndex, int protocolIndex)
{
    const std::optional<int> port = serialPortFor(link);
    if (!port) {
        // A port server ("host:port"): swept over the connection the console
        // has, at whatever rate the server's serial side runs.
        if (link.find(':') == std::string::npos || m_control.link().state().linkMode == 0)
            return false;
        m_control.link().state().protocolIndex = protocolIndex;
        return m_control.link().canSend();
    }
    if (m_control.link().state().linkMode != 0)
        return false;
    m_control.link().state().protocolIndex = protocolIndex;
    return m_control.useSerialLine(*port, baudIndex) && m_control.link().canSend();
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
    CameraLink& link = m_control.link();
    link.setReplyTap(nullptr);
    link.queue().clearForDialog();
    link.releaseQueue(*this);
    link.state().protocolIndex = m_protocolIndex;
    link.state().address = m_address;
    if (link.state().linkMode == 0)
        m_control.useSerialLine(m_port, m_baudIndex);
    m_control.connection().setPaused(m_control.linkPaused());
}

} // namespace tarn
