#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tarn {

class ProfileStore;

// One entry of the Setup dialog's "Comm. Port" list.
struct SerialPortEntry {
    int comNumber = 0;
    std::string device;      // as configured or found: /dev/ttyUSB0, /dev/serial/by-id/...
    std::string description; // the adapter's maker and model, where sysfs knows them
    // false: a device found without a COM number of its own; `comNumber` is
    // the one it gets in the [Ports] table when it is chosen.
    bool numbered = true;
    // false only for the configured port whose device is gone: it stays in
    // the list so that OK does not move the console to another port unasked.
    bool present = true;

    // "COM5  /dev/ttyUSB0  FTDI FT232R USB UART"
    std::string label() const;
};

// The serial ports a technician can choose from, found without opening any
// of them: opening a port toggles DTR and RTS, which resets some devices on
// the line, and a port in use by another program would look absent.
//
// Listed are the COM numbers whose device exists (the [Ports] table and its
// defaults), then the devices that have no COM number yet: /dev/serial/by-id/*,
// /dev/ttyUSB*, /dev/ttyACM*, and /dev/ttyS* where sysfs reports a real UART
// (the kernel creates ttyS nodes whether or not a UART is behind them).
class SerialPortList {
public:
    // `devicePathFor` maps a COM number to its device, as the serial port
    // opens it. `root` is "/" on a real system and a fake tree in tests.
    SerialPortList(ProfileStore& profile, std::function<std::string(int port)> devicePathFor,
                   std::string root = "/");

    // `configuredPort` is always listed, present or not.
    std::vector<SerialPortEntry> list(int configuredPort) const;

    // A chosen device that had no COM number gets its number in [Ports], so
    // the settings keep speaking COM numbers. Does nothing for numbered entries.
    void assignNumber(const SerialPortEntry& entry);

private:
    std::string onDisk(const std::string& device) const;
    bool present(const std::string& device) const;
    std::string realDevice(const std::string& device) const;
    std::string describe(const std::string& device) const;
    bool comNumberFree(int port) const;

    ProfileStore& m_profile;
    std::function<std::string(int)> m_devicePathFor;
    std::string m_root;
};

} // namespace tarn
