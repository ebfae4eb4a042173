#include "link/DialogLogic.h"

namespace tarn {

DialogLogic::DialogLogic(CameraLink& link, Prompter& prompter, ReceiverSlot slot, DialogPump::Config pump)
    : DialogReceiver(link, prompter, slot)
    , m_pump(link, pump)
{
}

} // namespace tarn
