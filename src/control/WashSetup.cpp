#include "control/WashSetup.h"

#include "core/Messages.h"

namespace tarn {

WashSetup::WashSetup(CameraLink& link, Prompter& prompter)
    : AccessorySetup(link, prompter, ReceiverSlot::WashSetup, "mW?")
{
}

bool WashSetup::set()
{
    // In the order of the dialog's fields.
    m_invalidField = Field::None;
    if (!checkRange(m_settings.washTime, 0, HighestWashTime))
        m_invalidField = Field::WashTime;
    else if (!checkRange(m_settings.frequency, LowestFrequency, HighestFrequency))
        m_invalidField = Field::Frequency;
    if (m_invalidField != Field::None)
        return false;
    queue(Messages::format("mWW%02dm%1df%03d", m_settings.washTime, m_settings.manualWash, m_settings.frequency));
    return true;
}

void WashSetup::setWashHome()
{
    queue("mWh");
}

bool WashSetup::read(std::span<const std::uint8_t> frame, int protocolIndex)
{
    return AccessoryReply::readWash(frame, protocolIndex, m_settings);
}

} // namespace tarn
