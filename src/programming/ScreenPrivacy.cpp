#include "programming/ScreenPrivacy.h"

#include "core/Messages.h"
#include "link/CameraLink.h"
#include "platform/Prompter.h"
#include "programming/ScreenPrivacyReply.h"

#include <algorithm>

namespace tarn {

namespace {

bool inRange(int value, int highest)
{
    return value >= 0 && value <= highest;
}

bool fourDigits(std::string_view text)
{
    return text.size() == ScreenPrivacy::PositionLength
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string fourDigitText(int value)
{
    return Messages::format("%04d", value);
}

} // namespace

ScreenPrivacy::ScreenPrivacy(CameraLink& link, Prompter& prompter)
    : DialogLogic(link, prompter, ReceiverSlot::ScreenPrivacy)
{
    m_pump.setInitialising(true);
}

ScreenPrivacy::~ScreenPrivacy()
{
    m_link.timers().stopAll(*this);
}

void ScreenPrivacy::open()
{
    m_values.horizontalSize = m_values.verticalSize = 0;
    m_values.redColour = m_values.blueColour = m_values.shade = 0;
    m_pump.setInitialising(false);
    queue("c*NA");
    m_link.timers().start(*this, ZoneQueryTimerId, ZoneQueryDelayMs);
    changed();
}

void ScreenPrivacy::queue(std::string_view command)
{
    m_pump.append(command);
}

char ScreenPrivacy::zoneCharacter() const
{
    return static_cast<char>('1' + m_values.zone);
}

void ScreenPrivacy::queueWithZone(std::string_view prefix, std::string_view rest)
{
    std::string command(prefix);
    command.push_back(zoneCharacter());
    command += rest;
    queue(command);
}

void ScreenPrivacy::chooseZone(int index)
{
    if (m_pump.initialising() || !inRange(index, ZoneCount - 1))
        return;
    m_values.zone = index;
    queueWithZone("c*N", {});
    // The camera is asked for the zone's settings once it has selected it.
    m_link.timers().start(*this, ZoneQueryTimerId, ZoneQueryDelayMs);
    changed();
}

void ScreenPrivacy::setMode(int mode)
{
    // The commands name the zone: nothing goes before one is chosen.
    if (m_pump.initialising() || !zoneChosen() || !inRange(mode, 2))
        return;
    m_values.mode = mode;
    queueWithZone("c*M", std::string(1, static_cast<char>('0' + mode)));
    changed();
}

void ScreenPrivacy::setSize(Size size, int value)
{
    if (m_pump.initialising() || !zoneChosen() || !inRange(value, HighestSize))
        return;
    (size == Size::Horizontal ? m_values.horizontalSize : m_values.verticalSize) = value;
    queueWithZone(size == Size::Horizontal ? "c*h" : "c*v", Messages::format("%03d", value));
}

void ScreenPrivacy::setColour(Colour colour, int value)
{
    if (m_pump.initialising() || !inRange(value, HighestColour))
        return;
    std::string command;
    switch (colour) {
    case Colour::Red:
        m_values.redColour = value;
        command = "c*R";
        break;
    case Colour::Blue:
        m_values.blueColour = value;
        command = "c*B";
        break;
    case Colour::Shade:
        m_values.shade = value;
        command = "c*S";
        break;
    }
    // 10..15 go as ':' to '?'.
    command.push_back(static_cast<char>('0' + value));
    queue(command);
}

void ScreenPrivacy::queryPosition()
{
    m_link.state().privacyReplyWanted = true;
    m_link.timers().start(*this, PositionQueryTimerId, PositionQueryDelayMs);
}

void ScreenPrivacy::gotoPosition()
{
    m_invalidEdit = Edit::None;
    // Four decimal digits each: anything else would reach the camera as a
    // position it never meant.
    if (!fourDigits(m_values.pan)) {
        m_invalidEdit = Edit::Pan;
        m_prompter.showMessage(Messages::InvalidPanPosition, {}, MessageIcon::Warning);
        return;
    }
    if (!fourDigits(m_values.tilt)) {
        m_invalidEdit = Edit::Tilt;
        m_prompter.showMessage(Messages::InvalidTiltPosition, {}, MessageIcon::Warning);
        return;
    }
    queue("cp" + m_values.pan + m_values.tilt);
}

std::string ScreenPrivacy::zoomCommand(bool zoomIn, int panTiltType, bool fast)
{
    if (panTiltType == 0)
        return zoomIn ? "ZI" : "ZO";
    std::string command = zoomIn ? "cZ" : "cz";
    command.push_back(fast ? '2' : '0');
    return command;
}

void ScreenPrivacy::zoomPressed(bool zoomIn)
{
    queue(zoomCommand(zoomIn, m_zoomPanTiltType, m_fastZoom));
}

void ScreenPrivacy::zoomReleased()
{
    queue("ZS");
}

void ScreenPrivacy::padCommand(std::string_view command)
{
    queue(command);
}

void ScreenPrivacy::replyReceived(std::span<const std::uint8_t> frame)
{
    apply(parseScreenPrivacyReply(frame, m_link.state().protocolIndex));
}

void ScreenPrivacy::apply(const ScreenPrivacyReply& reply)
{
    switch (reply.kind) {
    case ScreenPrivacyReply::Kind::Nothing: return;
    case ScreenPrivacyReply::Kind::Position:
        m_values.pan = fourDigitText(reply.pan);
        m_values.tilt = fourDigitText(reply.tilt);
        break;
    case ScreenPrivacyReply::Kind::ZoneSettings: {
        // A value the edits could not hold is shown as none.
        const auto take = [](const std::optional<int>& value, int highest, int& shown) {
            if (value)
                shown = inRange(*value, highest) ? *value : -1;
        };
        take(reply.blueColour, HighestColour, m_values.blueColour);
        take(reply.redColour, HighestColour, m_values.redColour);
        take(reply.shade, HighestColour, m_values.shade);
        take(reply.mode, 2, m_values.mode);
        take(reply.horizontalSize, HighestSize, m_values.horizontalSize);
        take(reply.verticalSize, HighestSize, m_values.verticalSize);
        break;
    }
    }
    changed();
}

void ScreenPrivacy::timerFired(int id)
{
    m_link.timers().stop(*this, id);
    if (id == ZoneQueryTimerId) {
        m_link.state().privacyReplyWanted = true;
        queue("c*Z?");
    } else if (id == PositionQueryTimerId) {
        queue("cPS");
    }
}

} // namespace tarn
