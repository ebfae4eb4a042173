#pragma once

#include "link/DialogLogic.h"
#include "platform/Timers.h"

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
class AccessorySetup : public DialogLogic, public TimerClient {
public:
    static constexpr int SettingsQueryTimerId = 12;
    static constexpr int SettingsQueryMs = 200;

    // Set until the camera's first answer with the settings.
    bool settingsAwaited() const { return m_settingsAwaited; }
    // The settings are still to be asked for (a moment after opening).
    bool settingsQueryDue() const;

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

private:
    std::string m_settingsQuery;
    bool m_settingsAwaited = true;
};

} // namespace tarn
