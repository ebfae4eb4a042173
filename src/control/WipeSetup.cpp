#include "control/WipeSetup.h"

#include "core/Messages.h"

namespace tarn {

WipeSetup::WipeSetup(CameraLink& link, Prompter& prompter)
    : AccessorySetup(link, prompter, ReceiverSlot::WipeSetup, "mw?")
{
}

bool WipeSetup::set()
{
    m_invalidField = Field::None;
    if (!checkRange(m_settings.runTime, 0, HighestRunTime))
        m_invalidField = Field::RunTime;
    else if (!checkRange(m_settings.delayTime, 0, HighestDelayTime))
        m_invalidField = Field::DelayTime;
    if (m_invalidField != Field::None)
        return false;
    queue(Messages::format("mwr%04dd%02d", m_settings.runTime, m_settings.delayTime));
    return true;
}

void WipeSetup::chooseModule(int module)
{
    if (module != 0 && module != 1)
        return;
    m_settings.module = module;
    changed();
    queue(module == 0 ? "mwm0" : "mwm1");
}

bool WipeSetup::read(std::span<const std::uint8_t> frame, int protocolIndex)
{
    return AccessoryReply::readWipe(frame, protocolIndex, m_settings);
}

} // namespace tarn
