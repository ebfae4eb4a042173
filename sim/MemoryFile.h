#pragma once

#include <string>

namespace tarn::sim {

class CameraState;

// The file where one dome keeps what it was programmed with (--memory):
// read at start, written whole after every change, never half written.
class MemoryFile {
public:
    // No file at all when `path` is empty.
    explicit MemoryFile(std::string path) : m_path(std::move(path)) {}

    // Fills `state` from the file, if there is one.
    void restore(CameraState& state);
    // Writes the state out when it differs from what the file holds.
    void keep(const CameraState& state);

private:
    std::string m_path;
    std::string m_written;
};

} // namespace tarn::sim
