#include "link/ComPortMap.h"
#include "platform/MemoryProfileStore.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(ComPortMap, defaultsCoverBuiltInUsbAndAcmPorts)
{
    const std::pair<int, const char*> table[] = {
        {1, "/dev/ttyS0"},    {4, "/dev/ttyS3"},    {5, "/dev/ttyUSB0"}, {12, "/dev/ttyUSB7"},
        {13, "/dev/ttyACM0"}, {20, "/dev/ttyACM7"}, {21, "/dev/ttyUSB8"}, {255, "/dev/ttyUSB242"},
        {0, ""},              {256, ""},
    };
    for (const auto& [port, path] : table) {
        SCOPED_TRACE(port);
        EXPECT_EQ(ComPortMap::defaultDevicePath(port), path);
    }
}

TEST(ComPortMap, tableInTheProfileIsWrittenOnceAndEditable)
{
    MemoryProfileStore profile;
    ComPortMap map(profile);
    map.writeDefaults();
    EXPECT_EQ(profile.readString("Ports", "COM1"), "/dev/ttyS0");
    EXPECT_EQ(profile.readString("Ports", "COM20"), "/dev/ttyACM7");
    EXPECT_FALSE(profile.readString("Ports", "COM21"));

    // A technician's own entry survives the next start.
    profile.writeString("Ports", "COM3", "/dev/serial/by-id/usb-dome");
    map.writeDefaults();
    EXPECT_EQ(map.devicePath(3), "/dev/serial/by-id/usb-dome");
    EXPECT_EQ(map.devicePath(30), "/dev/ttyUSB17");
}

TEST(ComPortMap, commandLineDeviceReplacesOnlyTheConfiguredPort)
{
    MemoryProfileStore profile;
    ComPortMap map(profile);
    map.overridePort(2, "/dev/pts/9");
    EXPECT_EQ(map.devicePath(2), "/dev/pts/9");
    EXPECT_EQ(map.devicePath(1), "/dev/ttyS0");
    EXPECT_FALSE(profile.readString("Ports", "COM2")); // not persisted
}

} // namespace
} // namespace tarn
