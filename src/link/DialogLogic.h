#pragma once

#include "link/DialogPump.h"
#include "link/ReplyReceiver.h"

#include <functional>

namespace tarn {

class CameraLink;
class Prompter;

// What the logic of every dialog that talks to the camera shares: its replies
// come to it from construction to destruction (registered in its slot), its
// commands go through a pump of its own that owns the queue meanwhile (and
// drops what it did not send when the dialog goes), and its view redraws
// when told.
class DialogLogic : public ReplyReceiver {
public:
    DialogLogic(const DialogLogic&) = delete;
    DialogLogic& operator=(const DialogLogic&) = delete;

    // The view redraws from the state when told.
    void setChanged(std::function<void()> changed) { m_changed = std::move(changed); }

protected:
    DialogLogic(CameraLink& link, Prompter& prompter, ReceiverSlot slot, DialogPump::Config pump = {});
    ~DialogLogic();

    void changed();

    CameraLink& m_link;
    Prompter& m_prompter;
    DialogPump m_pump;

private:
    ReceiverSlot m_slot;
    std::function<void()> m_changed;
};

} // namespace tarn
