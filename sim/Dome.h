#pragma once

#include "sim/BaudRate.h"
#include "sim/Camera.h"
#include "sim/MemoryFile.h"

#include <string>

namespace tarn::sim {

// One dome as the command line describes it.
struct DomeSettings {
    CameraState::Identity identity;
    // It hears the line only at this rate.
    int baud = BaudRate::Default;
    // Where it keeps what it was programmed with; none when empty.
    std::string memoryPath;
};

// One dome on the line: its camera, which listens at one rate, and the file
// it remembers its programming in.
class Dome {
public:
    Dome(const DomeSettings& settings, bool stxReplies, bool ntcip);
    Dome(const Dome&) = delete;
    Dome& operator=(const Dome&) = delete;

    Camera& camera() { return m_camera; }
    const Camera& camera() const { return m_camera; }
    // Set by the command line, then by the camera's baud command.
    int baud() const { return m_camera.state().setup.baud; }

    void keepMemory() { m_memory.keep(m_camera.state()); }

private:
    Camera m_camera;
    MemoryFile m_memory;
};

} // namespace tarn::sim
