#include "control/AzimuthSetup.h"

#include "core/Messages.h"
#include "control/AzimuthReply.h"
#include "link/CameraLink.h"
#include "platform/FieldInteger.h"
#include "platform/Prompter.h"


namespace tarn {

AzimuthSetup::AzimuthSetup(CameraLink& link, Prompter& prompter)
    : DialogLogic(link, prompter, ReceiverSlot::Azimuth)
{
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
    const auto delay = askNumberEdit(m_prompter, text, LowestDelay, HighestDelay);
    if (!delay)
        return false;
    m_delay = *delay;
    changed(); // the field shows the number as it was read
    m_pump.append(Messages::format("UT%03d", m_delay));
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
