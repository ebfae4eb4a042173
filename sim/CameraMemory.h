#pragma once

#include <string>
#include <string_view>

namespace tarn::sim {

class CameraState;

// What a dome keeps when its power goes: stored presets with their names,
// sectors, privacy zones and tours. As text, one line per entry:
//   preset INDEX PAN TILT ZOOM FOCUS NAME-IN-HEX
//   sector INDEX LEFT RIGHT ENABLED ID-TEXT-IN-HEX
//   zone INDEX LEFT RIGHT ENABLED
//   tour INDEX PRESET,DWELL ... (33 steps)
// Lines that do not read are passed over.
namespace CameraMemory {

std::string serialise(const CameraState& state);
void restore(CameraState& state, std::string_view text);

} // namespace CameraMemory
} // namespace tarn::sim
