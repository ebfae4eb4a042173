#pragma once

namespace tarn {

class CameraLink;
class NtcipKeeper;
class Prompter;
class Timers;

// How the main window's pan/tilt pad is set up, for a dialog that embeds one.
struct PadSetup {
    int panTiltType = 0; // "PTType"
    int panSpeed = 63;   // "PSpeed"
    int tiltSpeed = 63;  // "TSpeed"
    int picture = 0;     // "PTImage"
};

// What a dialog may ask of the main window, and all it may ask: the link to
// send on (a DialogPump on it owns the queue while the dialog is open, and its
// reply slot brings the dialog its replies), the user, and the few values of
// the main window a dialog shows or changes. The main window implements it; a
// dialog never sees the main window itself.
class DialogDoor {
public:
    virtual CameraLink& link() = 0;
    virtual Prompter& prompter() = 0;
    virtual Timers& timers() = 0;
    virtual PadSetup padSetup() const = 0;
    virtual NtcipKeeper& ntcip() = 0;

protected:
    ~DialogDoor() = default;
};

} // namespace tarn
