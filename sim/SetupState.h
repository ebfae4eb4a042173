#pragma once

#include <string>

namespace tarn::sim {

// What the console's Setup dialog programs into the camera and reads back.
struct SetupState {
    std::string serialNumber = "0001234"; // always seven digits
    int panTiltType = 1;          // 0 fixed, 1 variable speed, 2 variable proportional speed
    int direction = 0;            // 0 normal, 1 inverted tilt, 2 inverted pan and tilt
    bool javelinContinuous = false;
    bool javelinAddress = false;
    bool flip = false;
    int elevation = 0;            // as last set with "E"
    int baud = 9600;              // the rate the dome listens at: --baud, then "Bs"/"bs"
    bool bootLoaderRequested = false;
};

} // namespace tarn::sim
