#include "link/DialogLogic.h"

#include "link/CameraLink.h"

namespace tarn {

DialogLogic::DialogLogic(CameraLink& link, Prompter& prompter, ReceiverSlot slot, DialogPump::Config pump)
    : m_link(link)
    , m_prompter(prompter)
    , m_pump(link, pump)
    , m_slot(slot)
{
    m_link.router().setReceiver(m_slot, this);
}

DialogLogic::~DialogLogic()
{
    if (m_link.router().receiver(m_slot) == this)
        m_link.router().setReceiver(m_slot, nullptr);
}

void DialogLogic::changed()
{
    if (m_changed)
        m_changed();
}

} // namespace tarn
