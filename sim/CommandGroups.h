#pragma once

namespace tarn::sim {

class CameraState;
class CommandTable;

// The camera's command vocabulary, one group per concern. Each handler
// captures the state it works on, which must outlive the table.

// Address, status requests and replies, latching lens functions, NTCIP mode.
void addStatusCommands(CommandTable& table, CameraState& state);
// Pan/tilt (fixed and proportional speeds, nudges), zoom, focus, iris,
// position gotos and position requests.
void addMotionCommands(CommandTable& table, CameraState& state);
// Preset store/recall/names.
void addPresetCommands(CommandTable& table, CameraState& state);
// Camera ID: the overlay text lines, their enables and places, the alarm
// presets, and the requests that read them back.
void addCameraIdCommands(CommandTable& table, CameraState& state);
// What the Setup dialog programs and reads back: firmware, serial number,
// pan/tilt type and direction, Javelin options, protocol, video standard,
// line speed, elevation, flip, NTCIP state.
void addSetupCommands(CommandTable& table, CameraState& state);
// Picture settings of the day/night block, DSP registers, zoom magnification
// and position.
void addDspCommands(CommandTable& table, CameraState& state);
// Lens maintenance (lens drive, line-lock phase, 2X, IR) and the other
// service commands: heater, freeze, virtual home, barrel temperature and
// pressure, calibration words, clearing the setup memory.
void addMaintenanceCommands(CommandTable& table, CameraState& state);
// Sectors, privacy zones and tours: programming, read-back, tour start/stop.
void addSectorTourCommands(CommandTable& table, CameraState& state);
// The thermal imager's "t" commands and its "tDS" status; only a thermal
// module has them.
void addThermalCommands(CommandTable& table, CameraState& state);
// The housing's wiper and washer: run once, their settings and read-back.
void addAccessoryCommands(CommandTable& table, CameraState& state);
// North direction, the direction read-outs and the automatic responses.
void addAzimuthCommands(CommandTable& table, CameraState& state);
// The camera module's screen privacy zones: selection, mode, size, colour
// and the selected zone's settings.
void addScreenPrivacyCommands(CommandTable& table, CameraState& state);

} // namespace tarn::sim
