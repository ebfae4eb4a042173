// The maintenance dialogs' logic against tarn-camsim over a pseudo-terminal:
// the lens read-back chain and a barrel pressure log.

#include "SimulatorLine.h"

#include "link/ConnectionSequence.h"
#include "core/Settings.h"
#include "programming/LensMaintenance.h"
#include "programming/OtherMaintenance.h"

#include <fstream>
#include <sstream>

namespace tarn::e2e {
namespace {

using namespace std::chrono_literals;

class MaintenanceLine : public SimulatorLine {};

TEST_F(MaintenanceLine, LensMaintenanceReadsTheCameraBack)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty());
    console->state().cameraType = 6; // lens maintenance serves the other receivers
    console->link().SendCommand("mX1"); // something to read back
    LensMaintenance lens(console->link(), console->prompter());
    lens.open();

    ASSERT_TRUE(console->runUntil([&] { return lens.values().infrared != -1; }));
    const LensValues& values = lens.values();
    EXPECT_EQ(values.lensVoltage, 1);
    EXPECT_EQ(values.lensMode, ZoomFocusMotorised | MotorIris);
    EXPECT_EQ(values.video, 1);
    EXPECT_TRUE(values.crystal);
    EXPECT_EQ(values.camera, 2);
    EXPECT_TRUE(values.extender);
    EXPECT_EQ(values.infrared, 0);
    EXPECT_FALSE(lens.readingBack());
}

TEST_F(MaintenanceLine, BarrelPressureIsRecordedToTheChosenFile)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty());
    console->state().cameraType = 1;
    Settings settings;
    ConnectionSequence connection(console->link(), console->prompter(), console->profile(), settings);
    OtherMaintenance other(console->link(), console->prompter(), connection, 1, {});
    other.open();
    const std::string path = directory.file("barrel pressure.txt");
    console->prompter().scriptFile(path);
    other.browseLogFile(OtherMaintenance::Log::Pressure);
    console->prompter().scriptAnswer(true);
    other.startRecording(OtherMaintenance::Log::Pressure);
    ASSERT_TRUE(other.recording(OtherMaintenance::Log::Pressure));

    // "mTS" at once, the dated "mPS" 2 s later.
    ASSERT_TRUE(console->runUntil([&] { return !other.values().currentPressure.empty(); }, 5s));
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    EXPECT_TRUE(text.str().ends_with("  14.700PSI PSI   @ 25.0 Degree C    1A2B 3C4D 5E6F 7081 E5B0 49C4\n"))
        << text.str();
    EXPECT_EQ(other.values().barrelSerial, "0012345");
    EXPECT_EQ(other.values().heaterLevel, "40") << "asked 500 ms after opening";
}

} // namespace
} // namespace tarn::e2e
