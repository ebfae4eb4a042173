// The wiper, washer and azimuth settings as the camera keeps them and reads them back.

#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace tarn::sim::test {
namespace {

TEST(AccessoryCommands, whatIsProgrammedIsReadBack)
{
    struct Row {
        std::vector<std::string> commands;
        const char* request;
        std::string reply;
    };
    const Row rows[] = {
        {{}, "mw?", "mwr0010d00m1"},
        {{"mwr0120d05", "mwm0"}, "mw?", "mwr0120d05m0"},
        {{"mwr9999d99"}, "mw?", "mwr9999d99m1"},
        // Cut short, letters out of place, a module that is neither: kept as they were.
        {{"mwr012d05", "mwr0120x05", "mwr01:0d05", "mwm7"}, "mw?", "mwr0010d00m1"},
        {{}, "mW?", "mWW05w03m0f001"},
        {{"mWW15m1f003"}, "mW?", "mWW15w03m1f003"},
        {{"mWW15m1f168"}, "mW?", "mWW15w03m1f168"},
        {{"mWW15m1f000", "mWW15m1f169", "mWW15m2f003", "mWW1"}, "mW?", "mWW05w03m0f001"},
        {{}, "US", "UD100"},
        {{"UE", "UT250"}, "US", "UE250"},
        {{"UE", "UD", "UT999"}, "US", "UD999"},
        {{"UT099", "UT1000", "UT25"}, "US", "UD100"},
        {{}, "U?", "U?P0000\tT0000\tZ000\tF7FF\tLB"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.request + (row.commands.empty() ? std::string() : " after " + row.commands.back()));
        EXPECT_EQ(SimDriver().readBack(row.commands, row.request), row.reply);
    }
}

TEST(AccessoryCommands, wipesWashesAndDirectionSettingsAreKept)
{
    SimDriver camera;
    for (const char* command : {"L3", "L3", "L2", "mWh", "mNs", "dN1", "dpE", "dpt", "dNE", "dNi"})
        EXPECT_EQ(camera.ask(command), Bytes{0x06}) << command;
    const CameraState& state = camera.simulator().camera().state();
    EXPECT_EQ(state.accessories.wipes, 2);
    EXPECT_EQ(state.accessories.washes, 1);
    EXPECT_TRUE(state.accessories.washHomeStored);
    EXPECT_EQ(state.azimuth.northPan, 0);
    EXPECT_EQ(state.azimuth.directionZones, 16);
    EXPECT_TRUE(state.azimuth.azElDisplay && state.azimuth.azElPermanent && state.azimuth.directionDisplay);
    EXPECT_FALSE(state.azimuth.groupedWithIds);
    camera.ask("mNc");
    EXPECT_FALSE(camera.simulator().camera().state().azimuth.northPan);
}

} // namespace
} // namespace tarn::sim::test
