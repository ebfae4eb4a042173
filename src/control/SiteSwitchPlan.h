#pragma once

#include "control/SiteCamera.h"

#include <functional>
#include <string>
#include <vector>

namespace tarn {

// What one press on the camera list does, in order, from the camera being
// left to the one chosen. The main window carries the steps out; deciding
// them here keeps the order testable: every stop reaches the camera being
// left before the line moves, and the line is touched only as far as it must
// be, so two domes on one line and rate differ by the address alone.
struct SiteSwitchPlan {
    enum class Step {
        StopHeld,         // a held lens button or pad: its stop, to the camera being left
        StopPolling,      // status and position polling off
        ReopenPort,       // open the chosen camera's serial port at its rate (leaving a port server if on one)
        ConnectPortServer, // (re)connect to the chosen camera's port server (leaving the serial port if on it)
        SetProtocol,      // the chosen camera's protocol index
        SetAddress,       // the chosen camera's address
        ApplyTypes,       // receiver, module and pan/tilt types: the controls they enable
        RequestStatus,    // ask the chosen camera for its status
    };
    // What the line needs, as the list may tell the operator.
    enum class LineChange { AddressOnly, ReopenPort, ReconnectPortServer };

    LineChange lineChange = LineChange::AddressOnly;
    std::vector<Step> steps;
    // The stops go to this address, on the line still in use.
    int stopAddress = 0;

    // A COM number's device path (the settings' [Ports] table), so that "COM5"
    // and "/dev/ttyUSB0" are known for the same port; without it they differ.
    using DevicePathFor = std::function<std::string(int comNumber)>;

    // `leaving` is the camera in use now: a camera of the list, or the
    // console's own settings put into one when no site camera was chosen yet.
    // A port server's rate is set on the server, so only a serial line is
    // reopened for a rate.
    static SiteSwitchPlan make(const SiteCamera& leaving, const SiteCamera& chosen,
                               const DevicePathFor& devicePathFor = {});
};

} // namespace tarn
