#include "control/AzimuthSetup.h"

#include "app/Messages.h"
#include "control/AzimuthReply.h"
#include "link/CameraLink.h"
#include "platform/Prompter.h"

#include <charconv>
#include <cstdio>

namespace tarn {

namespace {

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view blanks = " \t";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// A whole number as the field reading takes it (a leading '+' allowed).
std::optional<int> wholeNumber(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

AzimuthSetup::AzimuthSetup(CameraLink& link, Prompter& prompter)
    : m_link(link)
    , m_prompter(prompter)
    , m_pump(link, {PumpTimerId, PumpPeriodMs, HoldTimerId, HoldMs, true})
{
    m_pump.setInitialising(true);
    m_link.router().setReceiver(ReceiverSlot::Azimuth, this);
    m_pump.setInitialising(false);
}

AzimuthSetup::~AzimuthSetup()
{
    if (m_link.router().receiver(ReceiverSlot::Azimuth) == this)
        m_link.router().setReceiver(ReceiverSlot::Azimuth, nullptr);
}

void AzimuthSetup::changed()
{
    if (m_changed)
        m_changed();
}

std::string_view AzimuthSetup::command(AzimuthButton button)
{
    switch (button) {
    case AzimuthButton::NorthSet: return "mNs";
    case AzimuthButton::NorthClear: return "mNc";
    case AzimuthButton::NorthEightZones: return "dN0";
    case AzimuthButton::NorthSixteenZones: return "dN1";
    case AzimuthButton::AzElEnable: return "dpE";
    case AzimuthButton::AzElDisable: return "dpD";
    case AzimuthButton::AzElPermanent: return "dpt";
    case AzimuthButton::AzElTimeOut: return "dpT";
    case AzimuthButton::DirectionEnable: return "dNE";
    case AzimuthButton::DirectionDisable: return "dND";
    case AzimuthButton::DirectionPermanent: return "dNt";
    case AzimuthButton::DirectionTimeOut: return "dNT";
    case AzimuthButton::GroupedWithIds: return "dNI";
    case AzimuthButton::SeparatedFromIds: return "dNi";
    case AzimuthButton::AutoResponseEnable: return "UE";
    case AzimuthButton::AutoResponseDisable: return "UD";
    case AzimuthButton::GetControlSetup: return "US";
    case AzimuthButton::GetCurrentPtzfl: return "U?";
    }
    return {};
}

void AzimuthSetup::press(AzimuthButton button)
{
    if (busy())
        return;
    if (button == AzimuthButton::AutoResponseEnable || button == AzimuthButton::AutoResponseDisable) {
        m_autoResponse = button == AzimuthButton::AutoResponseEnable ? 0 : 1;
        changed();
    }
    m_pump.append(command(button));
}

bool AzimuthSetup::setDelayTime(std::string_view text)
{
    const auto delay = wholeNumber(text);
    if (!delay) {
        m_prompter.showMessage(Messages::EnterAnInteger, {}, MessageIcon::Warning);
        return false;
    }
    if (*delay < LowestDelay || *delay > HighestDelay) {
        m_prompter.showMessage(Messages::format(Messages::AccessoryValueRange, LowestDelay, HighestDelay), {},
                               MessageIcon::Warning);
        return false;
    }
    m_delay = *delay;
    changed(); // the field shows the number as it was read
    char command[8];
    std::snprintf(command, sizeof command, "UT%03d", m_delay);
    m_pump.append(command);
    return true;
}

void AzimuthSetup::replyReceived(std::span<const std::uint8_t> frame)
{
    const auto reply = AzimuthReply::parse(frame, m_link.state().protocolIndex);
    if (!reply)
        return;
    apply(*reply);
    changed();
}

void AzimuthSetup::apply(const AzimuthReply& reply)
{
    if (reply.autoResponse)
        m_autoResponse = *reply.autoResponse;
    if (reply.delay)
        m_delay = *reply.delay;
    if (reply.controlSetupText)
        m_controlSetupText = *reply.controlSetupText;
}

} // namespace tarn
