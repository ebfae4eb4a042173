// The SDL adapter with SDL's virtual joystick: no device, no window.
#include "core/JoystickSettings.h"
#include "platform/SdlJoystick.h"
#include "platform/VirtualClock.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <vector>

namespace tarn {
namespace {

struct Looks final : StickListener {
    std::vector<std::string> plugs;
    int count = 0;
    void stickPolled(const StickState& state, bool plugged) override
    {
        ++count;
        if (plugged)
            plugs.push_back(state.name);
    }
};

// A virtual stick the test holds open to move it.
class VirtualStick {
public:
    VirtualStick(int axes, int buttons, SDL_JoystickType type = SDL_JOYSTICK_TYPE_UNKNOWN)
    {
        m_index = SDL_JoystickAttachVirtual(type, axes, buttons, 0);
        if (m_index >= 0)
            m_joystick = SDL_JoystickOpen(m_index);
        if (m_joystick)
            m_id = SDL_JoystickInstanceID(m_joystick);
    }
    ~VirtualStick() { unplug(); }
    bool ok() const { return m_joystick != nullptr; }
    void axis(int index, Sint16 value) { SDL_JoystickSetVirtualAxis(m_joystick, index, value); }
    void button(int index, bool down) { SDL_JoystickSetVirtualButton(m_joystick, index, down ? 1 : 0); }
    void unplug()
    {
        if (!m_joystick)
            return;
        SDL_JoystickClose(m_joystick);
        m_joystick = nullptr;
        // Device indexes move as sticks come and go; the instance stays.
        for (int index = 0; index < SDL_NumJoysticks(); ++index)
            if (SDL_JoystickGetDeviceInstanceID(index) == m_id)
                SDL_JoystickDetachVirtual(index);
    }

private:
    int m_index = -1;
    SDL_JoystickID m_id = -1;
    SDL_Joystick* m_joystick = nullptr;
};

TEST(SdlJoystick, virtualStickIsFoundReadAndLostOnTheTimer)
{
    VirtualClock clock;
    SdlJoystick input(clock);
    ASSERT_TRUE(input.available()) << SDL_GetError();
    Looks looks;
    input.setListener(&looks);
    clock.advance(SdlJoystick::PollMs);
    EXPECT_EQ(looks.count, 1) << "looked at every poll";
    EXPECT_FALSE(input.state().present());

    auto stick = std::make_unique<VirtualStick>(4, 8);
    ASSERT_TRUE(stick->ok()) << SDL_GetError();
    clock.advance(SdlJoystick::PollMs);
    ASSERT_EQ(looks.plugs.size(), 1u) << "picked up at the next look";
    EXPECT_FALSE(looks.plugs[0].empty()) << "named for the status line";
    EXPECT_EQ(input.state().axes.size(), 4u);
    EXPECT_EQ(input.state().buttons.size(), 8u);

    stick->axis(0, 32767);
    stick->axis(1, -32768);
    stick->axis(3, 16384);
    stick->button(5, true);
    clock.advance(SdlJoystick::PollMs);
    EXPECT_DOUBLE_EQ(input.state().axis(0), 1.0);
    EXPECT_DOUBLE_EQ(input.state().axis(1), -1.0);
    EXPECT_NEAR(input.state().axis(3), 0.5, 0.001);
    EXPECT_TRUE(input.state().button(5));
    EXPECT_FALSE(input.state().button(4));
    EXPECT_EQ(input.state().axis(9), 0.0) << "an axis it does not have reads as centred";
    EXPECT_EQ(looks.plugs.size(), 1u);

    stick.reset();
    clock.advance(SdlJoystick::PollMs);
    ASSERT_EQ(looks.plugs.size(), 2u);
    EXPECT_EQ(looks.plugs[1], "") << "gone";
    EXPECT_FALSE(input.state().present());

    // Plugged in again while the console runs.
    stick = std::make_unique<VirtualStick>(2, 2);
    clock.advance(SdlJoystick::PollMs);
    EXPECT_EQ(looks.plugs.size(), 3u);
    EXPECT_TRUE(input.state().present());
    stick.reset();
    clock.advance(SdlJoystick::PollMs);
    input.setListener(nullptr);
}

TEST(SdlJoystick, gameControllerIsReadInTheStandardLayout)
{
    VirtualClock clock;
    SdlJoystick input(clock);
    ASSERT_TRUE(input.available()) << SDL_GetError();
    // Six axes and fifteen buttons: SDL knows it as a game controller.
    VirtualStick pad(6, 15, SDL_JOYSTICK_TYPE_GAMECONTROLLER);
    ASSERT_TRUE(pad.ok()) << SDL_GetError();
    clock.advance(SdlJoystick::PollMs);
    pad.axis(3, -32768);  // right stick up
    pad.axis(5, 32767);   // right trigger
    pad.button(11, true); // D-pad up
    clock.advance(SdlJoystick::PollMs);
    ASSERT_TRUE(input.state().present());
    EXPECT_EQ(input.state().axes.size(), std::size_t{SDL_CONTROLLER_AXIS_MAX});
    EXPECT_EQ(input.state().axis(SDL_CONTROLLER_AXIS_RIGHTY), -1.0);
    EXPECT_EQ(input.state().axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT), 1.0);
    EXPECT_TRUE(input.state().button(SDL_CONTROLLER_BUTTON_DPAD_UP));
    EXPECT_FALSE(input.state().button(SDL_CONTROLLER_BUTTON_A));
    // The defaults of the stick's settings are this layout.
    const JoystickSettings defaults;
    EXPECT_EQ(defaults.zoomAxis, SDL_CONTROLLER_AXIS_RIGHTY);
    EXPECT_EQ(defaults.zoomInTrigger, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    EXPECT_EQ(defaults.presetButtons[0], SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_EQ(defaults.gotoButton, SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(defaults.irisCloseButton, SDL_CONTROLLER_BUTTON_A);
}

} // namespace
} // namespace tarn
