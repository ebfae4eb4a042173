#pragma once

#include "config/ConfigSnapshot.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

class DialogDoor;

// What every part of a snapshot reaches: the dialogs' door to the link and
// the user, and what the console keeps of the camera it drives.
struct SnapshotContext {
    DialogDoor& door;
    int receiverType = 0;   // settings "RxType": which camera
    int moduleType = 0;     // settings "CamType": its camera module
    int panTiltType = 1;    // settings "PTType"
    std::string domeFilePath; // "Dome.dat" of this console
    std::vector<std::string> presetNames = {};
    // How the console reaches the camera now, and how it follows a change of
    // the camera's protocol or rate (as the Setup dialog's OK does).
    int protocolIndex = 1;
    int baudIndex = 0;
    std::function<void(int protocolIndex)> followProtocol = {};
    std::function<void(int baudIndex)> followBaud = {};
};

// One section of a camera's configuration: what one dialog reads of the
// camera and programs into it, through that dialog's own logic, so the
// questions and the commands are exactly the dialog's. A part opens its
// dialog's logic for reading or writing; the snapshot runs the line until
// it is quiet (nothing queued, nothing awaited, and the part not `busy`),
// offers the part a further step, and then has it close.
class SnapshotPart {
public:
    virtual ~SnapshotPart() = default;

    // The section's name: the caption of its dialog.
    virtual std::string_view name() const = 0;
    // Whether the camera has this part at all (the picture sections follow
    // the camera's module).
    virtual bool appliesTo(const SnapshotContext&) const { return true; }
    // A picture section: it belongs to one camera module, and is written
    // only into a camera with the same module.
    virtual bool isPicture() const { return false; }
    // Whether the part asks the camera when it reads (its section's state
    // then says whether the camera answered).
    virtual bool asksCamera() const { return !isLocal(); }
    // Whether what the part holds is the console's own (nothing is asked of
    // the camera for it).
    virtual bool isLocal() const { return false; }

    // Opens the dialog's logic, which asks its questions.
    virtual void startReading(SnapshotContext& context) = 0;
    // Something the part still waits for that the line does not show (a
    // question due after a pause).
    virtual bool busy() const { return false; }
    // The line is quiet: true when the part queued more (the next zone's
    // questions or commands, say), false when it is through.
    virtual bool nextStep() { return false; }
    // The fields read into `section`, whose state says whether the camera
    // answered every question, some or none; then the logic closes.
    virtual void finishReading(ConfigSection& section) = 0;

    // The first field of `section` this part cannot write, with the reason
    // (a value outside its range, a list entry unknown); nullopt when all can.
    virtual std::optional<std::string> check(const ConfigSection& section) const = 0;
    // Opens the dialog's logic and programs `section` through its controls.
    virtual void startWriting(SnapshotContext& context, const ConfigSection& section) = 0;
    // Closes the logic after writing.
    virtual void finishWriting() = 0;
    // A value as the camera will report it once written (the camera pads ID
    // lines with spaces, so trailing spaces never read back).
    virtual std::string reportedValue(std::string_view /*field*/, const std::string& value) const { return value; }
    // Fields the camera reports but no command sets (a firmware version):
    // neither written nor counted as not taken.
    virtual std::vector<std::string> reportedOnly() const { return {}; }
};

} // namespace tarn
