#include "control/JoystickControl.h"
#include "control/JoystickDrive.h"
#include "control/PresetPanel.h"
#include "core/CameraTypes.h"
#include "core/JoystickSettings.h"
#include "link/ConnectionSequence.h"
#include "core/Settings.h"
#include "support/LinkFixture.h"
#include "support/QueuedCommands.h"

#include <memory>

namespace tarn::test {
namespace {

std::string code(char letter, int speed)
{
    return {letter, static_cast<char>(speed <= 31 ? speed + 0x10 : speed + 0x20)};
}

TEST(JoystickDrive, shapeAppliesDeadzoneThenExpo)
{
    struct Row {
        double value;
        int deadzone;
        int expo;
        double shaped;
    };
    const Row rows[] = {
        {0.0, 10, 0, 0.0},    {0.1, 10, 0, 0.0},   {-0.1, 10, 0, 0.0},   {0.55, 10, 0, 0.5},
        {-0.55, 10, 0, -0.5}, {1.0, 10, 0, 1.0},   {1.5, 10, 0, 1.0},    {0.55, 10, 100, 0.125},
        {0.55, 10, 50, 0.3125}, {-1.0, 10, 100, -1.0}, {0.3, 0, 0, 0.3}, {0.5, 50, 0, 0.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.value << " dz " << row.deadzone << " expo " << row.expo);
        EXPECT_NEAR(JoystickDrive::shape(row.value, row.deadzone, row.expo), row.shaped, 1e-9);
    }
}

// One look at the stick after another, as the poll timer makes them.
struct Look {
    double pan;
    double tilt;
    bool slotFree;
    std::string sent;
};

void drive(JoystickDrive& joystick, const std::vector<Look>& looks)
{
    int n = 0;
    for (const Look& look : looks) {
        SCOPED_TRACE(testing::Message() << "look " << n++ << " at " << look.pan << ", " << look.tilt);
        EXPECT_EQ(joystick.update(look.pan, look.tilt, look.slotFree), look.sent);
    }
}

TEST(JoystickDrive, proportionalTypeSendsOnlyWholeStepsIntoAFreeSlot)
{
    JoystickDrive joystick;
    joystick.setPad(2, 63, 63);
    // Deadzone 10 %: a deflection of 0.1 + 0.9 * s asks for s of the scale.
    const auto at = [](double share) { return 0.1 + 0.9 * share; };
    drive(joystick, {
        {0.0, 0.0, true, ""},                               // centred and still: nothing
        {0.08, -0.05, true, ""},                            // inside the deadzone
        {at(10.0 / 63), 0.0, true, code('r', 10) + "TS"},   // one start
        {at(10.6 / 63), 0.0, true, ""},                     // less than a step: no resend
        {at(9.2 / 63), 0.0, true, ""},
        {at(11.05 / 63), 0.0, false, ""},                   // a step, but the slot is taken
        {at(11.05 / 63), 0.0, true, code('r', 11) + "TS"},   // the slot freed: sent now
        {at(1.0 / 63), 0.0, true, code('r', 1) + "TS"},
        {at(0.1 / 63), 0.0, true, ""},                      // the slowest move stays one step
        {-at(1.0 / 63), 0.0, true, code('l', 1) + "TS"},    // another direction always counts
        {-at(1.0 / 63), at(1.0), false, ""},
        {0.0, 0.0, false, "PSTS"},                          // centring stops at once, slot or not
        {0.0, 0.0, true, ""},                               // once
        {0.0, -1.0, true, "PS" + code('u', 63)},
        {1.0, 1.0, true, code('r', 63) + code('d', 63)},
    });
}

TEST(JoystickDrive, topSpeedAndInversionAndThePadsOwnScales)
{
    JoystickSettings settings;
    settings.topSpeedPercent = 50;
    settings.invertTilt = true;
    JoystickDrive joystick;
    joystick.setSettings(settings);
    joystick.setPad(1, 40, 20);
    drive(joystick, {
        {1.0, 1.0, true, code('r', 20) + code('u', 10)},
        {-1.0, -1.0, true, code('l', 20) + code('d', 10)},
    });
}

TEST(JoystickDrive, fixedSpeedTypeSendsTheZoneOfTheDirection)
{
    JoystickDrive joystick;
    joystick.setPad(0, 63, 63);
    drive(joystick, {
        {1.0, 0.0, true, "PRTS"},
        {0.9, 0.1, true, ""},           // same zone: nothing
        {0.7, 0.7, false, ""},          // another zone, slot taken
        {0.7, 0.7, true, "PRTD"},
        {0.0, 1.0, true, "PSTD"},
        {-0.7, 0.7, true, "PLTD"},
        {-1.0, 0.0, true, "PLTS"},
        {-0.7, -0.7, true, "PLTU"},
        {0.0, -1.0, true, "PSTU"},
        {0.7, -0.7, true, "PRTU"},
        {0.0, 0.05, true, "PSTS"},
    });
}

TEST(JoystickDrive, aSafeStopIsSentOnceAndHoldsUntilTheStickIsCentred)
{
    JoystickDrive joystick;
    joystick.setPad(2, 63, 63);
    EXPECT_EQ(joystick.stop(), "") << "nothing moves: nothing to stop";
    joystick.update(0.0, 0.0, true);
    EXPECT_EQ(joystick.update(1.0, 0.0, true), code('r', 63) + "TS");
    EXPECT_EQ(joystick.stop(), "PSTS");
    EXPECT_EQ(joystick.stop(), "");
    drive(joystick, {
        {1.0, 0.0, true, ""},   // still deflected: it waits for the centre
        {0.5, 0.0, true, ""},
        {0.0, 0.0, true, ""},   // no second stop
        {1.0, 0.0, true, code('r', 63) + "TS"},
    });
}

TEST(JoystickSettings, savedAndLoadedThroughTheProfile)
{
    MemoryProfileStore profile;
    EXPECT_EQ(JoystickSettings::load(profile), JoystickSettings{}) << "defaults, deadzone 10 %";
    EXPECT_EQ(JoystickSettings{}.deadzonePercent, 10);
    JoystickSettings changed;
    changed.zoomAxis = JoystickSettings::TriggerZoom;
    changed.invertPan = true;
    changed.deadzonePercent = 25;
    changed.expoPercent = 60;
    changed.topSpeedPercent = 40;
    changed.presetButtons[7] = 9;
    changed.stopOnFocusLoss = false;
    changed.save(profile);
    EXPECT_EQ(JoystickSettings::load(profile), changed);
    // A hand-edited profile out of range falls back.
    profile.writeInt(JoystickKey::Section, "Deadzone", 90);
    profile.writeInt(JoystickKey::Section, "InvertPan", 7);
    const JoystickSettings loaded = JoystickSettings::load(profile);
    EXPECT_EQ(loaded.deadzonePercent, 10);
    EXPECT_FALSE(loaded.invertPan);
}

// A stick the test moves by hand.
class HandStick final : public StickInput {
public:
    void setListener(StickListener* listener) override { m_listener = listener; }
    const StickState& state() const override { return m_state; }

    void plug()
    {
        m_state = {"Test stick", std::vector<double>(6, 0.0), std::vector<bool>(15, false)};
        look(true);
    }
    void unplug()
    {
        m_state = {};
        look(true);
    }
    void move(int axis, double value)
    {
        m_state.axes[static_cast<std::size_t>(axis)] = value;
        look();
    }
    void button(int index, bool down)
    {
        m_state.buttons[static_cast<std::size_t>(index)] = down;
        look();
    }
    void look(bool plugged = false)
    {
        if (m_listener)
            m_listener->stickPolled(m_state, plugged);
    }

private:
    StickListener* m_listener = nullptr;
    StickState m_state;
};

class Joystick : public LinkFixture {
protected:
    Settings settings;
    ConnectionSequence connection{link, prompter, profile, settings};
    MainPanel panel{link, connection, prompter, 2};
    PresetPanel presets{link, profile};
    HandStick stick;
    JoystickControl control{stick, panel, presets, link, [] { return PadSetup{2, 63, 63, 0}; }};
    std::vector<std::string> names;

    Joystick()
    {
        link.state().cameraType = CameraType::AlderHd;
        link.state().moduleType = 1;
        panel.initialise();
        control.setPlugged([this](const std::string& name) { names.push_back(name); });
        stick.plug();
    }
};

TEST_F(Joystick, unplugWhileDeflectedStopsOnce)
{
    stick.move(0, 1.0);
    EXPECT_EQ(queued(), std::vector<std::string>{code('r', 63) + "TS"});
    stick.unplug();
    EXPECT_EQ(queued(), std::vector<std::string>{"PSTS"});
    stick.look();
    EXPECT_TRUE(queued().empty());
    EXPECT_EQ(names, (std::vector<std::string>{"Test stick", ""}));
}

TEST_F(Joystick, aWaitingCommandIsNeverJoinedAndTheStopOvertakesIt)
{
    stick.move(0, 0.5);
    stick.move(0, 1.0);
    stick.move(1, 1.0);
    EXPECT_EQ(link.queue().pending(), 1u) << "nothing piles up behind the waiting command";
    stick.move(0, 0.0);
    stick.move(1, 0.0);
    EXPECT_EQ(queued(), std::vector<std::string>{"PSTS"}) << "the stop goes ahead of the waiting speed";
}

TEST_F(Joystick, blockedByADialogStopsOnceAndWaitsForTheCentre)
{
    stick.move(0, -1.0);
    stick.move(3, -1.0); // zoom in
    EXPECT_EQ(queued(), (std::vector<std::string>{code('l', 63) + "TS", "cZ0"}));
    control.setBlocked(true);
    control.safeStop(); // the focus goes too: nothing more
    EXPECT_EQ(queued(), (std::vector<std::string>{"PSTS", "ZS"}));
    stick.look();
    control.setBlocked(false);
    stick.look();
    EXPECT_TRUE(queued().empty()) << "still deflected: it waits for the centre";
    stick.move(0, 0.0);
    stick.move(3, 0.0);
    stick.move(3, 1.0);
    EXPECT_EQ(queued(), std::vector<std::string>{"cz0"});
}

TEST_F(Joystick, buttonsHoldTheLensAndChoosePresets)
{
    panel.statusReply(Bytes{0xF8, 0x01, 0x4C, 0x46, 0x41, 0x30, 0x8A});
    takeQueued(link.queue());
    stick.button(11, true); // preset 1
    stick.look();
    stick.button(11, false);
    stick.button(6, true); // Goto
    EXPECT_EQ(presets.listSelection(), 0);
    EXPECT_EQ(queued(), (std::vector<std::string>{std::string("cdS") + char(PresetPanel::presetCode(0)),
                                                  std::string("H") + char(PresetPanel::presetCode(0))}));
    stick.button(13, true); // preset 4
    EXPECT_EQ(presets.listSelection(), 3);
}

} // namespace
} // namespace tarn::test
