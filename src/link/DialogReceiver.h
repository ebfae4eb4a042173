#pragma once

#include "link/ReplyReceiver.h"

#include <functional>

namespace tarn {

class CameraLink;
class Prompter;

// What the logic of every dialog that talks to the camera shares, however it
// sends: its replies come to it from construction to destruction (registered
// in its slot), it reaches the link and the user, and its view redraws when
// told. DialogLogic adds the usual way of sending, a pump of the dialog's own;
// the Setup dialog, whose newest command supersedes the last, builds on this.
class DialogReceiver : public ReplyReceiver {
public:
    DialogReceiver(const DialogReceiver&) = delete;
    DialogReceiver& operator=(const DialogReceiver&) = delete;

    // The view redraws from the state when told.
    void setChanged(std::function<void()> changed) { m_changed = std::move(changed); }

protected:
    DialogReceiver(CameraLink& link, Prompter& prompter, ReceiverSlot slot);
    ~DialogReceiver();

    void changed();

    CameraLink& m_link;
    Prompter& m_prompter;

private:
    ReceiverSlot m_slot;
    std::function<void()> m_changed;
};

} // namespace tarn
