// The dome's moving parts, presets and latching functions, seen through the
// replies the console reads.

#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace tarn::sim::test {
namespace {

// A command, or (with an empty command) time passing.
struct Step {
    std::string command;
    std::chrono::milliseconds wait{0};
};

Step after(std::chrono::milliseconds time)
{
    return {"", time};
}

struct Scenario {
    const char* name;
    std::vector<Step> steps;
    std::string query;
    std::string reply;
};

// Test failures name the case rather than dump its bytes.
void PrintTo(const Scenario& value, std::ostream* out)
{
    *out << value.name;
}

// Pan/tilt run at 20 degrees/s at the fixed speed and 120 (pan) or 60 (tilt)
// at the pad's top speed code; the lens at 1024 units/s, three times that
// when fast. Focus starts half way (0x7FF).
const Scenario Scenarios[] = {
    {"PanRightAtFixedSpeed", {{"PRTS"}, after(1500ms)}, "cPS", "cP03000000"},
    {"PanLeftWrapsRound", {{"PLTS"}, after(1000ms)}, "cPS", "cP34000000"},
    {"PanAtTopSpeedCode", {{"r\x5FTS"}, after(500ms)}, "cPS", "cP06000000"},
    {"PanAtSmallSpeedCode", {{"r\x13TS"}, after(1000ms)}, "cPS", "cP00570000"},
    {"TiltAtSpeedCodeWithPanStopped", {{"PSd\x50"}, after(1000ms)}, "cPS", "cP00000457"},
    {"TiltDownStopsAtTheEnd", {{"PSTD"}, after(10s)}, "cPS", "cP00000900"},
    {"TiltUpShownAsTurnMinusAngle", {{"PSTU"}, after(1000ms)}, "cPS", "cP00003400"},
    {"OneAxisJogsAtFixedSpeed", {{"PR"}, {"TD"}, after(1000ms), {"TS"}, after(500ms), {"PS"}}, "cPS", "cP03000200"},
    {"StopHoldsThePosition", {{"PRTD"}, after(1000ms), {"PSTS"}, after(1000ms)}, "cPS", "cP02000200"},
    {"NudgesStepOneDegree", {{"nr"}, {"nr"}, {"nd"}, {"nl"}}, "cPS", "cP00100010"},
    {"GotoPanTilt", {{"cp00050900"}}, "cPS", "cP00050900"},
    {"GotoTiltUpwards", {{"cp01003500"}}, "cPS", "cP01003500"},
    {"GotoStopsMotion", {{"PRTS"}, {"cp00100000"}, after(1000ms)}, "cPS", "cP00100000"},
    {"PositionInHexDigits", {{"cp35990900"}}, "P?", "P>0?384"},
    {"ZoomInSlow", {{"ZI"}, after(1000ms)}, "V?", "V4007??"},
    {"ZoomInFastWhenLensFast", {{"LL"}, {"ZI"}, after(1000ms)}, "V?", "V<007??"},
    {"ZoomAtCameraSpeedDigit", {{"cZ2"}, after(1000ms), {"ZS"}, {"cz0"}, after(500ms)}, "V?", "V:007??"},
    {"ZoomStopsAtTheTop", {{"ZI"}, after(10s)}, "V?", "V???7??"},
    {"ZoomStop", {{"ZI"}, after(500ms), {"ZS"}, after(1000ms)}, "V?", "V2007??"},
    {"FocusNearThenStop", {{"FN"}, after(1000ms), {"cFs"}, after(1000ms)}, "V?", "V0003??"},
    {"GotoLens", {{"v0:0000"}}, "V?", "V0:0000"},
    {"PresetRecall",
     {{"PRTS"}, after(1000ms), {"PSTS"}, {"P\x10"}, {"PLTS"}, after(2000ms), {"PSTS"}, {"H\x10"}},
     "cPS", "cP02000000"},
    {"PresetAbove46", {{"cp01230100"}, {"P\x70"}, {"cp00000000"}, {"H\x70"}}, "cPS", "cP01230100"},
    {"UnstoredPresetDoesNotMove", {{"cp01230100"}, {"H\x11"}}, "cPS", "cP01230100"},
    {"PresetNameStored", {{"dP\x10Gate 2"}}, "cdS\x10", "dS\x10Gate 2" + std::string(18, ' ')},
    {"PresetNameUnsetIsBlank", {}, "cdS\x60", "dS\x60" + std::string(24, ' ')},
    {"StatusAtStart", {}, "L?", "LBA0"},
    {"StatusLensFast", {{"LL"}}, "L?", "LFA0"},
    {"StatusManualIris", {{"LM"}}, "L?", "LCA0"},
    {"StatusAutoFocusOnPtz", {{"L6"}}, "L?", "LJA0"},
    {"StatusManualFocus", {{"L1"}}, "L?", "LBA1"},
    {"StatusToggledBack", {{"LL"}, {"LL"}}, "L?", "LBA0"},
    {"HousingStatus", {{"L1"}}, "H?", "H0LBA1"},
};

class Motion : public ::testing::TestWithParam<Scenario> {};

TEST_P(Motion, ReplyAfterSteps)
{
    SimDriver camera;
    for (const Step& step : GetParam().steps) {
        if (step.command.empty())
            camera.elapse(step.wait);
        else
            ASSERT_EQ(camera.ask(step.command), Bytes{0x06}) << step.command;
    }
    EXPECT_EQ(camera.askText(GetParam().query), GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(Camera, Motion, ::testing::ValuesIn(Scenarios),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Tours, StartStopAndLeftByHand)
{
    SimDriver camera;
    CameraState& state = camera.simulator().state();
    camera.ask("*TS31");
    EXPECT_EQ(state.runningTour, 2);
    camera.ask("*TS30");
    EXPECT_EQ(state.runningTour, CameraState::NoTour);
    camera.ask("*TS81");
    camera.ask("PLTS");
    EXPECT_EQ(state.runningTour, CameraState::NoTour) << "moving the dome by hand ends the tour";
    camera.ask("*TS91");
    EXPECT_EQ(state.runningTour, CameraState::NoTour) << "there are only eight tours";
}

TEST(Javelin, MotionAndPresetsThroughPassThroughFrames)
{
    Simulator::Settings settings;
    settings.identity.address = 5;
    SimDriver camera(settings);
    const auto javelin = [&](std::uint8_t op, std::uint8_t argument) {
        Bytes frame{0xFF, 0x06, 0x07, op, 0x00, 0x05, argument};
        unsigned sum = 0;
        for (std::size_t i = 1; i < frame.size(); ++i)
            sum += frame[i];
        frame.push_back(static_cast<std::uint8_t>(-sum));
        return camera.ask(frame);
    };
    EXPECT_EQ(javelin(4, 0x80), Bytes{0x06}); // pan right
    camera.elapse(1000ms);
    EXPECT_EQ(javelin(4, 0x00), Bytes{0x06}); // its stop
    EXPECT_EQ(javelin(5, 0x83), Bytes{0x06}); // store preset 3
    EXPECT_EQ(javelin(4, 0xC1), Bytes{0x06}); // tilt up
    camera.elapse(500ms);
    EXPECT_EQ(javelin(5, 0x03), Bytes{0x06}); // goto preset 3
    EXPECT_EQ(camera.simulator().state().pan.roundedPosition(), 200);
    EXPECT_EQ(camera.simulator().state().tilt.roundedPosition(), 0);
    EXPECT_FALSE(camera.simulator().state().tilt.moving());

    EXPECT_EQ(javelin(6, 0x10), Bytes{0x06}); // manual focus on
    const Bytes status = javelin(3, 0x00);
    ASSERT_EQ(status.size(), 10u);
    EXPECT_EQ(status[8], 0x50) << "bits 4 (manual focus) and 6 (power)";
}

} // namespace
} // namespace tarn::sim::test
