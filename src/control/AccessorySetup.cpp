#include "control/AccessorySetup.h"

#include "core/Messages.h"
#include "link/CameraLink.h"
#include "platform/Prompter.h"

namespace tarn {

AccessorySetup::AccessorySetup(CameraLink& link, Prompter& prompter, ReceiverSlot slot, std::string settingsQuery)
    : DialogLogic(link, prompter, slot)
    , m_settingsQuery(std::move(settingsQuery))
{
    m_link.timers().start(*this, SettingsQueryTimerId, SettingsQueryMs);
}

bool AccessorySetup::settingsQueryDue() const
{
    return m_link.timers().isRunning(*this, SettingsQueryTimerId);
}

AccessorySetup::~AccessorySetup()
{
    m_link.timers().stopAll(*this);
}

bool AccessorySetup::checkRange(int value, int minimum, int maximum)
{
    if (value >= minimum && value <= maximum)
        return true;
    m_prompter.showMessage(Messages::format(Messages::EnterAnIntegerBetween, minimum, maximum), {},
                           MessageIcon::Warning);
    return false;
}

void AccessorySetup::timerFired(int id)
{
    if (id != SettingsQueryTimerId)
        return;
    m_link.timers().stop(*this, id);
    queue(m_settingsQuery);
}

void AccessorySetup::replyReceived(std::span<const std::uint8_t> frame)
{
    if (!read(frame, m_link.state().protocolIndex))
        return;
    m_settingsAwaited = false;
    changed();
}

} // namespace tarn
