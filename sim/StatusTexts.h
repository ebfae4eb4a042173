#pragma once

#include <string>

namespace tarn::sim {

class CameraState;

// The reply texts that report the camera's state. Positions are counted from
// the reply letter (text position 0); the console reads most of them at
// fixed places, so their layout is the contract.
namespace StatusTexts {

// "A" + the address as 4 digits (5 with protocol 5).
std::string address(const CameraState& state);
// "L" + status byte + "A" + focus byte (see lensStatusByte / focusStatusByte).
std::string lensStatus(const CameraState& state);
// "H" + heater digit + "L" + status byte + "A" + focus byte.
std::string housingStatus(const CameraState& state);
// The "b" setup status: L/A at text 1..4, P at 9..10, v at 11..12, p at
// 13..14, F at 36..37 (frame bytes 3, 5, 11, 13, 15, 38 with a one-byte address).
std::string setupStatus(const CameraState& state);
// The day/night camera status, a run of letter + value fields with L at 21,
// A at 23, P at 29 and v at 31; then the zoom position (V + 4), the
// aperture (a + mode + 16 + level twice), the poll flag and the zoom
// magnification as a byte (z), last since it may be a control byte.
std::string dayNightStatus(const CameraState& state);

// The zoom as the picture settings see it: magnification 1..35 and position
// 0..0x2760 (four upper-case hexadecimal characters), both spread over the
// lens's travel.
inline constexpr int HighestMagnification = 35;
inline constexpr int DspZoomTop = 0x2760;
int zoomMagnification(const CameraState& state);
std::string dspZoomPosition(const CameraState& state);
// "cP" + pan + tilt, 4 decimal digits each.
std::string panTiltDecimal(const CameraState& state);
// "P" + pan + tilt, 3 hexadecimal digit characters each.
std::string panTiltNibbles(const CameraState& state);
// "V" + zoom + focus, 3 hexadecimal digit characters each.
std::string lensPosition(const CameraState& state);
// "dS" + preset code + the 24-character name.
std::string presetName(const CameraState& state, int index);

// 0x40 + the status bits: always a letter '@'..'O', never the '8' by which a
// status reply asks the console for the link frame.
char lensStatusByte(const CameraState& state);
// '1' while focus is manual, '0' while auto focus runs.
char focusStatusByte(const CameraState& state);
// Tilt as the console shows it: 0..900 downwards, 3600 minus the angle upwards.
int tiltOnTheWire(const CameraState& state);

} // namespace StatusTexts
} // namespace tarn::sim
