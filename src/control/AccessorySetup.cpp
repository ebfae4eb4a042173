#include "control/AccessorySetup.h"

#include "app/Messages.h"
#include "link/CameraLink.h"
#include "platform/Prompter.h"

namespace tarn {

AccessorySetup::AccessorySetup(CameraLink& link, Prompter& prompter, ReceiverSlot slot, std::string settingsQuery)
    : m_link(link)
    , m_prompter(prompter)
    , m_slot(slot)
    , m_settingsQuery(std::move(settingsQuery))
    , m_pump(link, DialogPump::Config{})
{
    m_link.router().setReceiver(m_slot, this);
    m_link.timers().start(*this, SettingsQueryTimerId, SettingsQueryMs);
}

AccessorySetup::~AccessorySetup()
{
    m_link.timers().stopAll(*this);
    if (m_link.router().receiver(m_slot) == this)
        m_link.router().setReceiver(m_slot, nullptr);
}

void AccessorySetup::changed()
{
    if (m_changed)
        m_changed();
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
