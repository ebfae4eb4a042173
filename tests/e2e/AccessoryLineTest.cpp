// Wipe Setup, Wash Setup and Azimuth Setup against tarn-camsim: what one
// dialog programs, a fresh one reads back.

#include "SimulatorLine.h"

#include "control/AzimuthSetup.h"
#include "control/WashSetup.h"
#include "control/WipeSetup.h"

namespace tarn::e2e {
namespace {

class AccessoryLine : public SimulatorLine {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(startOnPty());
        console->state().cameraType = 0;
    }
    void TearDown() override
    {
        EXPECT_EQ(console->responseTimeouts(), 0);
        EXPECT_TRUE(console->prompter().shown().empty());
    }
    bool settle()
    {
        return console->runUntil([this] { return console->settled(); });
    }
};

TEST_F(AccessoryLine, wipeSettingsAreReadBackByAFreshDialog)
{
    {
        WipeSetup wipe(console->link(), console->prompter());
        ASSERT_TRUE(console->runUntil([&] { return !wipe.settingsAwaited(); }));
        EXPECT_EQ(wipe.settings().runTime, 10) << "the camera's own setting";
        wipe.setRunTime(120);
        wipe.setDelayTime(5);
        ASSERT_TRUE(wipe.set());
        wipe.chooseModule(0);
        ASSERT_TRUE(settle());
    }
    WipeSetup fresh(console->link(), console->prompter());
    ASSERT_TRUE(console->runUntil([&] { return !fresh.settingsAwaited(); }));
    EXPECT_EQ(fresh.settings().runTime, 120);
    EXPECT_EQ(fresh.settings().delayTime, 5);
    EXPECT_EQ(fresh.settings().module, 0);
}

TEST_F(AccessoryLine, washSettingsAreReadBackByAFreshDialog)
{
    {
        WashSetup wash(console->link(), console->prompter());
        ASSERT_TRUE(console->runUntil([&] { return !wash.settingsAwaited(); }));
        wash.setWashTime(15);
        wash.setManualWash(true);
        wash.setFrequency(3);
        ASSERT_TRUE(wash.set());
        wash.setWashHome();
        ASSERT_TRUE(settle());
    }
    WashSetup fresh(console->link(), console->prompter());
    ASSERT_TRUE(console->runUntil([&] { return !fresh.settingsAwaited(); }));
    EXPECT_EQ(fresh.settings().washTime, 15);
    EXPECT_EQ(fresh.settings().manualWash, 1);
    EXPECT_EQ(fresh.settings().frequency, 3);
    EXPECT_EQ(fresh.settings().wipeTime, 3) << "the camera's own setting";
}

TEST_F(AccessoryLine, autoResponseSettingsAreReadBackByAFreshDialog)
{
    {
        AzimuthSetup azimuth(console->link(), console->prompter());
        azimuth.press(AzimuthButton::AutoResponseEnable);
        ASSERT_TRUE(azimuth.setDelayTime("250"));
        azimuth.press(AzimuthButton::NorthSet);
        ASSERT_TRUE(settle());
    }
    AzimuthSetup fresh(console->link(), console->prompter());
    EXPECT_EQ(fresh.autoResponse(), AzimuthSetup::NoAutoResponse);
    fresh.press(AzimuthButton::GetControlSetup);
    ASSERT_TRUE(console->runUntil([&] { return fresh.autoResponse() != AzimuthSetup::NoAutoResponse; }));
    EXPECT_EQ(fresh.autoResponse(), 0);
    EXPECT_EQ(fresh.delay(), 250);
    fresh.press(AzimuthButton::GetCurrentPtzfl);
    ASSERT_TRUE(console->runUntil([&] { return !fresh.controlSetupText().empty(); }));
    EXPECT_EQ(fresh.controlSetupText(), "P0000 T0000 Z000 F7FF LB");
}

} // namespace
} // namespace tarn::e2e
