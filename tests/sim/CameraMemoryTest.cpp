// What a dome started with --memory keeps across a restart: every setting a
// console reads back and programs, not only its tables.
#include "sim/CameraMemory.h"
#include "sim/CameraState.h"

#include <gtest/gtest.h>

#include <functional>

namespace tarn::sim {
namespace {

TEST(CameraMemory, everySettingAConsoleProgramsComesBackAfterARestart)
{
    struct Row {
        const char* what;
        std::function<void(CameraState&)> program;
        std::function<bool(const CameraState&)> kept;
    };
    const Row rows[] = {
        {"direction and Javelin switches",
         [](CameraState& s) { s.setup.direction = 2; s.setup.javelinContinuous = true; s.setup.panTiltType = 0; },
         [](const CameraState& s) { return s.setup.direction == 2 && s.setup.javelinContinuous && s.setup.panTiltType == 0; }},
        {"serial number", [](CameraState& s) { s.setup.serialNumber = "7654321"; },
         [](const CameraState& s) { return s.setup.serialNumber == "7654321"; }},
        {"ID lines with every printable character",
         [](CameraState& s) { s.cameraId.lines[0] = "LOBBY \"EAST\" =;#[]\\     "; s.cameraId.lines[4] = std::string(24, '~'); },
         [](const CameraState& s) {
             return s.cameraId.lines[0] == "LOBBY \"EAST\" =;#[]\\     " && s.cameraId.lines[4] == std::string(24, '~');
         }},
        {"ID switches and alarm presets",
         [](CameraState& s) { s.cameraId.idEnabled = true; s.cameraId.displayMode = 2; s.cameraId.alarmPreset = {7, 64}; },
         [](const CameraState& s) {
             return s.cameraId.idEnabled && s.cameraId.displayMode == 2 && s.cameraId.alarmPreset[1] == 64;
         }},
        {"wiper and washer",
         [](CameraState& s) { s.accessories.wipeRunTime = 33; s.accessories.manualWash = true; s.accessories.washFrequency = 4; },
         [](const CameraState& s) {
             return s.accessories.wipeRunTime == 33 && s.accessories.manualWash && s.accessories.washFrequency == 4;
         }},
        {"azimuth", [](CameraState& s) { s.azimuth.autoResponse = true; s.azimuth.autoResponseDelay = 300; },
         [](const CameraState& s) { return s.azimuth.autoResponse && s.azimuth.autoResponseDelay == 300; }},
        {"day/night picture", [](CameraState& s) { s.dsp.shutter = 9; s.dsp.maximumGain = 33; },
         [](const CameraState& s) { return s.dsp.shutter == 9 && s.dsp.maximumGain == 33; }},
        {"thermal picture", [](CameraState& s) { s.thermal.picture.lut = 11; s.thermal.picture.plateau = 1000; },
         [](const CameraState& s) { return s.thermal.picture.lut == 11 && s.thermal.picture.plateau == 1000; }},
        {"screen privacy zones", [](CameraState& s) { s.screenPrivacy.zones[7] = {2, 127, 5, 15, 1, 9}; },
         [](const CameraState& s) { return s.screenPrivacy.zones[7].horizontalSize == 127 && s.screenPrivacy.zones[7].shade == 9; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CameraState programmed;
        row.program(programmed);
        CameraState restarted;
        EXPECT_FALSE(row.kept(restarted));
        CameraMemory::restore(restarted, CameraMemory::serialise(programmed));
        EXPECT_TRUE(row.kept(restarted));
        EXPECT_EQ(CameraMemory::serialise(restarted), CameraMemory::serialise(programmed));
    }
}

TEST(CameraMemory, aFileSpoiltByHandNeverBreaksTheCamera)
{
    CameraState state;
    CameraMemory::restore(state, "setting id.display-mode 40\nsetting setup.direction -3\nsetting wiper.run-time x\n"
                                 "text id-line-9 41\ntext id-line-0 zz\n");
    EXPECT_EQ(state.cameraId.displayMode, 2); // the last of the three
    EXPECT_EQ(state.cameraId.lines[0], CameraState{}.cameraId.lines[0]);
    EXPECT_EQ(state.setup.direction, CameraState{}.setup.direction);
    EXPECT_EQ(state.accessories.wipeRunTime, CameraState{}.accessories.wipeRunTime);
}

} // namespace
} // namespace tarn::sim
