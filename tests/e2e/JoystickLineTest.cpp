// A virtual stick drives the simulated dome: SDL's virtual joystick, read by
// the console's own adapter on its poll timer, through the panel and the
// queue onto a pty, and the simulator's log of what it was sent.

#include "SimulatorLine.h"

#include "control/JoystickControl.h"
#include "control/JoystickDrive.h"
#include "control/PresetPanel.h"
#include "core/CameraTypes.h"
#include "core/Settings.h"
#include "link/ConnectionSequence.h"
#include "platform/SdlJoystick.h"

#include <SDL.h>

#include <algorithm>

namespace tarn::e2e {
namespace {

using namespace std::chrono_literals;

class JoystickLine : public SimulatorLine {
protected:
    // The pad's texts the simulator received, in order.
    std::vector<std::string> padTexts() const
    {
        std::vector<std::string> texts;
        for (const Bytes& frame : received()) {
            if (frame.size() < 4)
                continue;
            std::string text(frame.begin() + 2, frame.end() - 1);
            if (text == "PSTS" || ((text[0] == 'l' || text[0] == 'r') && text.size() == 4))
                texts.push_back(text);
        }
        return texts;
    }
    bool waitForPadTexts(std::size_t count)
    {
        return console->runUntil([&] { return padTexts().size() >= count; });
    }
    // Lets the poll timer look a few times and the queue drain.
    void settle() { console->runUntil([] { return false; }, 300ms); }
};

TEST_F(JoystickLine, StartStepsAndOneStopOnCentringAndOnUnplug)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty(withLog({})));
    console->state().cameraType = CameraType::AlderHd;
    console->state().moduleType = 1;
    Settings settings;
    ConnectionSequence connection(console->link(), console->prompter(), console->profile(), settings);
    MainPanel panel(console->link(), connection, console->prompter(), 2);
    panel.initialise();
    PresetPanel presets(console->link(), console->profile());
    SdlJoystick input(console->timers());
    ASSERT_TRUE(input.available()) << SDL_GetError();
    JoystickControl control(input, panel, presets, console->link(), [] { return PadSetup{2, 63, 63, 0}; });
    std::vector<std::string> names;
    control.setPlugged([&](const std::string& name) { names.push_back(name); });

    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 4, 8, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    SDL_Joystick* stick = SDL_JoystickOpen(device);
    ASSERT_NE(stick, nullptr) << SDL_GetError();
    const SDL_JoystickID id = SDL_JoystickInstanceID(stick);
    ASSERT_TRUE(console->runUntil([&] { return names.size() == 1; }, 1s)) << "picked up within a second";

    SDL_JoystickSetVirtualAxis(stick, 0, 16384); // half right
    ASSERT_TRUE(waitForPadTexts(1));
    SDL_JoystickSetVirtualAxis(stick, 0, 16500); // a tremble: less than a step
    settle();
    SDL_JoystickSetVirtualAxis(stick, 0, 32767); // full right: a step
    ASSERT_TRUE(waitForPadTexts(2));
    SDL_JoystickSetVirtualAxis(stick, 0, 0);
    ASSERT_TRUE(waitForPadTexts(3));
    settle();
    SDL_JoystickSetVirtualAxis(stick, 0, -32768); // full left, then pulled out
    ASSERT_TRUE(waitForPadTexts(4));
    SDL_JoystickClose(stick);
    for (int index = 0; index < SDL_NumJoysticks(); ++index)
        if (SDL_JoystickGetDeviceInstanceID(index) == id)
            SDL_JoystickDetachVirtual(index);
    ASSERT_TRUE(waitForPadTexts(5));
    settle();

    // 0.5 is 4/9 of the live range past the 10 % deadzone: speed 28 of 63.
    EXPECT_EQ(padTexts(), (std::vector<std::string>{JoystickDrive::proportionalText(28, 0),
                                                    JoystickDrive::proportionalText(63, 0), "PSTS",
                                                    JoystickDrive::proportionalText(-63, 0), "PSTS"}));
    ASSERT_EQ(names.size(), 2u);
    EXPECT_FALSE(names[0].empty());
    EXPECT_EQ(names[1], "");
    EXPECT_TRUE(console->prompter().shown().empty());
}

} // namespace
} // namespace tarn::e2e
