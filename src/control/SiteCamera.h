#pragma once

#include "core/Settings.h"
#include "link/Protocols.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// One camera of a site: where it is reached and what it is, with the values
// the console's settings keep for the single camera it drives without a site.
struct SiteCamera {
    static constexpr int HighestBaudIndex = Settings::BaudCount - 1;
    static constexpr int HighestReceiverType = 6; // 6: another make
    static constexpr int HighestCameraType = 3;   // 3: no module
    static constexpr int HighestPanTiltType = 2;

    std::string name;
    std::string link;                  // see SiteLink
    int protocolIndex = Protocol::Tarn;
    int baudIndex = 0;                 // the settings' baud list; 0 is 9600
    int address = 1;                   // within the protocol's address entry range
    int receiverType = 1;              // "RxType": the dome (CameraType::)
    int cameraType = 3;                // "CamType": its module (ModuleType::)
    int panTiltType = 1;               // "PTType"
    std::string group;                 // optional: a floor, a building
    std::string note;                  // optional, free

    // "Camera "Lobby"", for messages about it outside a file.
    std::string label() const;
    // What is out of range, one message per value, each naming the entry by
    // `entry` (label() when empty). Empty when the camera may be used.
    std::vector<std::string> check(std::string_view entry = {}) const;

    bool operator==(const SiteCamera&) const = default;
};

} // namespace tarn
