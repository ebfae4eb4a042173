#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarn {

// Where a site camera is reached, as the site file writes it: "COM3" (a COM
// number of the settings' [Ports] table), a device path ("/dev/ttyUSB0"), or
// a serial port server "192.168.1.200:4001" (IPv4 or "localhost", as the
// console can connect to it).
struct SiteLink {
    enum class Kind { Invalid, ComPort, Device, PortServer };

    Kind kind = Kind::Invalid;
    int comNumber = 0;                       // ComPort: 1..255
    std::string device;                      // Device: an absolute path
    std::array<std::uint8_t, 4> address{};   // PortServer
    int port = 0;                            // PortServer: 1..65535

    static SiteLink parse(std::string_view text);

    bool isSerial() const { return kind == Kind::ComPort || kind == Kind::Device; }
    bool isPortServer() const { return kind == Kind::PortServer; }
    // The same port or port server: "COM03" and "COM3", "localhost:4001" and
    // "127.0.0.1:4001" are one. A COM number and a device path compare only
    // through the [Ports] table, which the caller knows (SiteSwitchPlan).
    bool operator==(const SiteLink&) const = default;
};

} // namespace tarn
