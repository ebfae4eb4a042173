// The thermal imager: every set command changes what "tDS" reports, in the
// field order the console reads (k, R, A first, then one character each).

#include "SimTestSupport.h"

#include "sim/Options.h"

#include <gtest/gtest.h>

namespace tarn::sim::test {
namespace {

Simulator::Settings thermalCamera(ThermalSensor sensor = ThermalSensor::Large640x512)
{
    Simulator::Settings settings;
    settings.identity.module = Module::Thermal;
    settings.identity.thermalSensor = sensor;
    return settings;
}

TEST(ThermalCommands, StatusLayoutAtStart)
{
    SimDriver camera(thermalCamera());
    EXPECT_EQ(camera.askText("tDS"), "tk03600010R000000640512A0250110015W1F0B0C0i0X0S0c1d\x20");
    SimDriver small(thermalCamera(ThermalSensor::Small320x256));
    EXPECT_EQ(small.askText("tDS").substr(10, 13), "R000000320256");
    EXPECT_EQ(small.askText("tDS").substr(48, 2), "c0");
}

TEST(ThermalCommands, SetCommandsChangeTheStatus)
{
    struct Row {
        const char* command;
        std::size_t position;
        const char* reported;
    };
    const Row rows[] = {
        {"tk07200005", 1, "k07200005"},
        {"tk30001005", 1, "k03600010"}, // out of range: nothing changes
        {"tR010020300200", 10, "R010020300200"},
        {"tR320000320256", 10, "R000000640512"}, // left = right
        {"tR000000641512", 10, "R000000640512"}, // wider than the sensor
        {"tA0100120010", 23, "A0100120010"},
        {"tW0", 34, "W0"},
        {"tF1", 36, "F1"},
        {"tB1", 38, "B1"},
        {"tC;", 40, "C;"},
        {"tC<", 40, "C0"},
        {"ti3", 42, "i3"},
        {"tX2", 44, "X2"},
        {"tXI", 44, "X1"},
        {"tS1", 46, "S1"},
        {"td%", 50, "d%"},
        {"td\x0f", 50, "d\x20"}, // DDE 0 is refused
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.command);
        SimDriver camera(thermalCamera());
        EXPECT_EQ(camera.ask(row.command), Bytes{0x06});
        const std::string status = camera.askText("tDS");
        ASSERT_EQ(status.size(), 52u);
        EXPECT_EQ(status.substr(row.position, std::string_view(row.reported).size()), row.reported);
    }
}

TEST(ThermalCommands, UserSettingsSaveRecallAndFactoryDefaults)
{
    SimDriver camera(thermalCamera());
    camera.ask("tC5");
    camera.ask("tsS");
    camera.ask("tC7");
    camera.ask("tss");
    EXPECT_EQ(camera.askText("tDS").substr(40, 2), "C5");
    camera.ask("tsD");
    EXPECT_EQ(camera.askText("tDS").substr(40, 2), "C0");
    camera.ask("tsR"); // a reset starts from the saved settings
    EXPECT_EQ(camera.askText("tDS").substr(40, 2), "C5");
    EXPECT_EQ(camera.ask("tPe"), Bytes{0x06});
    EXPECT_TRUE(camera.simulator().state().thermal.guiPassThrough);
}

TEST(ThermalCommands, SensorChosenOnTheCommandLine)
{
    std::string error;
    const auto options = parseOptions({"--pty", "--module", "thermal", "--thermal-resolution=320x256"}, error);
    ASSERT_TRUE(options) << error;
    SimDriver camera(options->simulator);
    EXPECT_EQ(camera.askText("tDS").substr(48, 2), "c0");
}

TEST(ThermalCommands, OnlyAThermalModuleAnswersTheStatus)
{
    SimDriver camera; // day/night
    EXPECT_EQ(camera.ask("tDS"), Bytes{0x06});
}

} // namespace
} // namespace tarn::sim::test
