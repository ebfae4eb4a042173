#include "link/DialogReceiver.h"

#include "link/CameraLink.h"

namespace tarn {

DialogReceiver::DialogReceiver(CameraLink& link, Prompter& prompter, ReceiverSlot slot)
    : m_link(link)
    , m_prompter(prompter)
    , m_slot(slot)
{
    m_link.router().setReceiver(m_slot, this);
}

DialogReceiver::~DialogReceiver()
{
    // No reply may reach a dialog that is gone, whoever registered it last.
    if (m_link.router().receiver(m_slot) == this)
        m_link.router().setReceiver(m_slot, nullptr);
}

void DialogReceiver::changed()
{
    if (m_changed)
        m_changed();
}

} // namespace tarn
