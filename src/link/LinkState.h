#pragma once

#include "core/CameraTypes.h"

namespace tarn {

// The link state every part of the console reads: which camera, how to frame,
// which way the bytes go, and the flags that gate sending.
struct LinkState {
    int address = 0;        // current camera address, 0..16384
    int protocolIndex = 1;  // the camera protocol list index
    int linkMode = -1;      // 0 serial port, 1 network port server
    int frameMode = 1;      // 1 F8 mode, 0 STX mode
    int cameraType = 1;     // "AlderHD", "AlderSD", "BirchSD", "BirchHD", "Cedar", "DogwoodHD"
    int moduleType = 0;     // 0 "Standard", 1 "Day/Night", 2 "Thermal"
    int videoType = 0;      // 0 "NTSC", 1 "PAL": the console's working value, as the camera last said
    int portServerPort = 1233;

    // Set until the main window has initialised: nothing may be sent before.
    bool busy = true;
    // Set for good once a thermal "tPe" command went out.
    bool sendLock = false;
    // The next framed send goes to every camera (address byte FF).
    bool broadcastNext = false;
    // 1 after a Tarn frame, 0 after a pass-through frame: chooses the framing
    // expected on receive.
    bool framedSend = false;
    // Between the link frame and the probe of the connection sequence.
    bool handshake = false;
    bool networkConnected = false;
    // Set by dialog-side pumps after each send: the next Day/Night camera reply
    // (or length-mode frame) belongs to the picture-control dialog.
    bool replyWanted = false;
    // Set by the screen privacy zone dialog before a command it wants answered.
    bool privacyReplyWanted = false;
    // The main panel's last preset query ended with '?': a 'P' reply is its answer.
    bool presetQueryPending = false;
    // A preset-name question ("cdS") went out a moment ago and has not been
    // answered: only then is a 'd' reply taken for a preset's name.
    bool presetNameQuestionWaiting = false;
    // An address query ("A?", the link frame, "rs") went out a moment ago:
    // cameras send the "A" reply only in answer, so only then does it move
    // the console to another address.
    bool addressQueryOutstanding = false;
    // The camera has told its firmware version (the Setup dialog asked for it).
    bool versionReceived = false;

    bool stxMode() const { return frameMode == 0; }
    bool lengthMode() const { return !framedSend && !handshake; }
    bool isMakersCamera() const { return CameraType::isMakers(cameraType); }
};

} // namespace tarn
