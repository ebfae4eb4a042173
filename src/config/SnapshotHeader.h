#pragma once

#include "config/ConfigSnapshot.h"

#include <string>

namespace tarn {

// Where and when a configuration was read: the header of its file.
struct SnapshotHeader {
    std::string date;     // "2026-12-10 09:14:03", local time
    std::string link;     // the device or the port server
    int address = 1;
    int protocolIndex = 1;
    int baudRate = 9600;
    int receiverType = 0; // settings "RxType"
    int moduleType = 0;   // settings "CamType"

    // Format, Date, Console, Link, Address, Protocol, Baud, Camera Type,
    // Camera Module Type, and the firmware the camera reported if it did.
    void fill(ConfigSnapshot& snapshot) const;
};

namespace SnapshotHeaderField {
inline constexpr std::string_view Address = "Address";
inline constexpr std::string_view CameraType = "Camera Type";
inline constexpr std::string_view ModuleType = "Camera Module Type";
} // namespace SnapshotHeaderField

} // namespace tarn
