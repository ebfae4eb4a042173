#pragma once

#include "link/DialogPump.h"
#include "link/DialogReceiver.h"

namespace tarn {

// The logic of a dialog that talks to the camera the usual way: a
// DialogReceiver (its reply slot for its life, its redraw callback) whose
// commands go through a pump of its own that owns the queue meanwhile (and
// drops what it did not send when the dialog goes).
class DialogLogic : public DialogReceiver {
protected:
    DialogLogic(CameraLink& link, Prompter& prompter, ReceiverSlot slot, DialogPump::Config pump = {});
    ~DialogLogic() = default;

    DialogPump m_pump;
};

} // namespace tarn
