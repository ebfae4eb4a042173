#include "link/TrafficMonitor.h"

#include "core/Messages.h"
#include "link/FrameBuilder.h"
#include "platform/TimerIds.h"

#include <algorithm>
#include <cstdio>

namespace tarn {

namespace {

constexpr int LampMs = 50;

std::string hex(const char* pattern, std::uint8_t byte)
{
    char text[8];
    std::snprintf(text, sizeof text, pattern, byte);
    return text;
}

// A pass-through (Javelin) frame: every one of its LEN + 2 bytes, as far as
// the frame really holds them.
std::string passThroughText(std::span<const std::uint8_t> frame)
{
    const std::size_t length = frame.size() > 1 ? std::size_t{frame[1]} + 2 : frame.size();
    std::string text;
    for (const std::uint8_t byte : frame.first(std::min(length, frame.size())))
        text += hex(" %02X ", byte);
    return text;
}

std::string header(std::span<const std::uint8_t> frame, bool stxMode)
{
    std::string text = stxMode ? " STX " : " F8 ";
    if (frame.size() > 1)
        text += hex("%02X ", frame[1]);
    return text;
}

} // namespace

TrafficMonitor::TrafficMonitor(Timers& timers)
    : m_timers(timers)
    , m_transmitLine(Messages::TransmitLineIdle)
    , m_receiveLine(Messages::ReceiveLineIdle)
{
}

TrafficMonitor::~TrafficMonitor()
{
    m_timers.stopAll(*this);
}

std::string TrafficMonitor::transmitText(std::span<const std::uint8_t> frame, bool stxMode)
{
    if (!frame.empty() && frame[0] == FrameByte::PassThrough)
        return passThroughText(frame);
    std::string text = header(frame, stxMode);
    for (std::size_t i = 2; i < frame.size(); ++i) {
        const std::uint8_t byte = frame[i];
        if (byte == 0)
            break;
        if (byte == '*' || byte == '#' || byte == ' ' || byte == '/')
            text += static_cast<char>(byte);
        else if (byte > 0x7F || byte < '0')
            text += hex(" %2X", byte);
        else
            text += static_cast<char>(byte);
    }
    return text;
}

std::string TrafficMonitor::receiveText(std::span<const std::uint8_t> frame, bool stxMode)
{
    if (!frame.empty() && frame[0] == FrameByte::PassThrough)
        return passThroughText(frame);
    std::string text = header(frame, stxMode);
    for (std::size_t i = 2; i < frame.size(); ++i) {
        const std::uint8_t byte = frame[i];
        if (byte == 0)
            break;
        if (byte == ' ')
            text += ' ';
        else if (byte <= 0x20 || byte == '&' || byte > 0x7F)
            text += hex(" %2X ", byte);
        else
            text += static_cast<char>(byte);
    }
    return text;
}

void TrafficMonitor::showTransmitted(std::span<const std::uint8_t> frame, bool stxMode)
{
    m_timers.start(*this, TimerId::TransmitLamp, LampMs);
    m_transmitLamp = true;
    m_receiveLine.clear();
    m_transmitLine = transmitText(frame, stxMode);
    changed();
}

void TrafficMonitor::showNotSent()
{
    m_transmitLine += Messages::NotSentMark;
    changed();
}

void TrafficMonitor::showLinkState(std::string_view text)
{
    m_transmitLine = ' ';
    m_transmitLine += text;
    changed();
}

void TrafficMonitor::showReceived(std::span<const std::uint8_t> frame, bool stxMode, bool intact)
{
    lightReceiveLamp();
    m_receiveLine = receiveText(frame, stxMode);
    if (!intact)
        m_receiveLine += Messages::BadChecksumMark;
    changed();
}

void TrafficMonitor::showAcknowledgement()
{
    lightReceiveLamp();
    m_receiveLine = Messages::AcknowledgementLine;
    changed();
}

void TrafficMonitor::lightReceiveLamp()
{
    m_timers.start(*this, TimerId::ReceiveLamp, LampMs);
    m_receiveLamp = true;
}

void TrafficMonitor::timerFired(int id)
{
    m_timers.stop(*this, id);
    if (id == TimerId::TransmitLamp)
        m_transmitLamp = false;
    else if (id == TimerId::ReceiveLamp)
        m_receiveLamp = false;
    changed();
}

void TrafficMonitor::changed()
{
    if (m_view)
        m_view->trafficChanged();
}

} // namespace tarn
