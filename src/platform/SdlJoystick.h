#pragma once

#include "platform/StickInput.h"
#include "platform/Timers.h"

struct _SDL_Joystick;
struct _SDL_GameController;

namespace tarn {

// The stick through SDL's joystick and game-controller subsystems, and no
// SDL window: looked at every PollMs on the console's timers, which also
// sees a stick plugged in or pulled out. A game controller is read in SDL's
// standard layout, so any known pad has the same axes and buttons; another
// stick as it numbers them itself.
class SdlJoystick final : public StickInput, private TimerClient {
public:
    static constexpr int PollMs = 16;

    explicit SdlJoystick(Timers& timers);
    ~SdlJoystick() override;
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;

    // False when SDL could not start its joystick side: no stick is ever seen.
    bool available() const { return m_available; }
    void setListener(StickListener* listener) override { m_listener = listener; }
    const StickState& state() const override { return m_state; }
    // One look at the stick (the timer's work, also for tests).
    void poll();

private:
    void timerFired(int id) override;
    bool openFirst();
    void close();
    void read();

    Timers& m_timers;
    bool m_available = false;
    StickListener* m_listener = nullptr;
    _SDL_Joystick* m_joystick = nullptr;
    _SDL_GameController* m_controller = nullptr;
    StickState m_state;
};

} // namespace tarn
