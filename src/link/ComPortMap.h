#pragma once

#include <optional>
#include <string>

namespace tarn {

class ProfileStore;

// The console speaks of COM numbers, as technicians and the camera manuals do.
// This table maps COM n to a device path. It lives in the settings file,
// section "Ports", keys "COM1", "COM2"..., so a technician can point a COM
// number at any device; absent entries take the defaults below:
//   COM1..COM4   /dev/ttyS0..3     (built-in ports)
//   COM5..COM12  /dev/ttyUSB0..7   (USB serial adapters)
//   COM13..COM20 /dev/ttyACM0..7   (USB modem-class adapters)
//   COM21 and up /dev/ttyUSB8 and up
class ComPortMap {
public:
    static constexpr int FirstWrittenPort = 1;
    static constexpr int LastWrittenPort = 20;
    static constexpr int HighestPort = 255;
    // Where the table lives in the settings, one key per COM number.
    static constexpr std::string_view PortsSection = "Ports";
    static std::string keyFor(int port); // "COM5"

    explicit ComPortMap(ProfileStore& profile);

    // Writes the default entries that are absent, so the table can be seen and
    // edited in the settings file.
    void writeDefaults();
    // For this run only: COM `port` opens `path` (the --port-device option).
    void overridePort(int port, std::string path);

    std::string devicePath(int port) const;
    static std::string defaultDevicePath(int port);

private:
    ProfileStore& m_profile;
    std::optional<std::pair<int, std::string>> m_override;
};

} // namespace tarn
