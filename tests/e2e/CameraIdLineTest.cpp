// The Camera ID dialog's logic against tarn-camsim: what one dialog programs,
// a fresh one reads back.

#include "SimulatorLine.h"

#include "programming/CameraId.h"

namespace tarn::e2e {
namespace {

class CameraIdLine : public SimulatorLine {};

TEST_F(CameraIdLine, programmedLinesAreReadBackByAFreshDialog)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty({"--model", "AlderSD"}));
    console->state().cameraType = 1;
    const auto readBackDone = [](const CameraId& id) {
        return [&id] { return id.readBackStep() == CameraId::ReadBackStep::Done; };
    };
    {
        CameraId id(console->link(), console->prompter());
        ASSERT_TRUE(console->runUntil(readBackDone(id)));
        EXPECT_EQ(id.values().lines[0], "") << "a new camera has blank lines";

        ASSERT_TRUE(id.editLine(1, "Gate 3 entrance"));
        id.leaveLine(1);
        ASSERT_TRUE(console->runUntil([&] { return console->settled(); }));
        ASSERT_TRUE(id.editLine(2, "North \"A\" #2"));
        id.leaveLine(2);
        ASSERT_TRUE(console->runUntil([&] { return console->settled(); }));
        id.toggleIdEnabled();
        ASSERT_TRUE(console->runUntil([&] { return console->settled(); }));
        id.chooseDisplayMode(1);
        id.setAlarmPresetValue(0, 64);
        id.sendAlarmPreset(0);
        ASSERT_TRUE(console->runUntil([&] { return console->settled(); }));
    }

    CameraId fresh(console->link(), console->prompter());
    ASSERT_TRUE(console->runUntil(readBackDone(fresh)));
    const CameraIdValues& values = fresh.values();
    EXPECT_EQ(values.lines[0], "Gate 3 entrance");
    EXPECT_EQ(values.lines[1], "North \"A\"  2");
    EXPECT_TRUE(values.idEnabled);
    EXPECT_FALSE(values.displayAtTop);
    EXPECT_EQ(values.displayMode, 1);
    EXPECT_EQ(values.alarmPreset, (std::array<int, 2>{64, 0}));
    EXPECT_EQ(console->responseTimeouts(), 0);
    EXPECT_TRUE(console->prompter().shown().empty());
}

} // namespace
} // namespace tarn::e2e
