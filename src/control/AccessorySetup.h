#pragma once

#include "link/DialogPump.h"
#include "link/ReplyReceiver.h"
#include "platform/Timers.h"

#include <functional>
#include <string>
#include <string_view>

namespace tarn {

class CameraLink;
class Prompter;

// What Wipe Setup and Wash Setup share: they take their replies while they
// exist (registered with the router from construction to destruction), ask
// the camera for its settings 200 ms after opening, and queue their commands
// for a pump of their own (timers 10 and 11) that waits up to 2 s for each
// answer.
class AccessorySetup : public ReplyReceiver, public TimerClient {
public:
    static constexpr int SettingsQueryTimerId = 12;
    static constexpr int SettingsQueryMs = 200;

    AccessorySetup(const AccessorySetup&) = delete;
    AccessorySetup& operator=(const AccessorySetup&) = delete;

    // The view redraws from the state when told.
    void setChanged(std::function<void()> changed) { m_changed = std::move(changed); }
    // Set until the camera's first answer with the settings.
    bool settingsAwaited() const { return m_settingsAwaited; }

    void replyReceived(std::span<const std::uint8_t> frame) override;
    void timerFired(int id) override;

protected:
    AccessorySetup(CameraLink& link, Prompter& prompter, ReceiverSlot slot, std::string settingsQuery);
    ~AccessorySetup();

    // Reads the reply into the settings; false when it is not this dialog's.
    virtual bool read(std::span<const std::uint8_t> frame, int protocolIndex) = 0;

    void queue(std::string_view command) { m_pump.append(command); }
    // A value read from a control outside `minimum`..`maximum` gets the
    // range prompt.
    bool checkRange(int value, int minimum, int maximum);
    void changed();

private:
    CameraLink& m_link;
    Prompter& m_prompter;
    ReceiverSlot m_slot;
    std::string m_settingsQuery;
    DialogPump m_pump;
    bool m_settingsAwaited = true;
    std::function<void()> m_changed;
};

} // namespace tarn
