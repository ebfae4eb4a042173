#pragma once

#include "sim/FileDescriptor.h"

#include <string>

namespace tarn::sim {

class Simulator;

// Serves the simulator on a pseudo-terminal: the console opens the slave as
// its serial port. The server keeps a slave descriptor of its own, so the
// line stays up (no hang-up on the master) while the console closes and
// reopens the port. The rate the console sets the port to decides which
// domes hear it.
class PtyServer {
public:
    // Returns an error text, empty on success.
    std::string open();
    const std::string& slavePath() const { return m_slavePath; }

    // Serves until `stopFd` becomes readable.
    void serve(Simulator& simulator, int stopFd);

private:
    // The rate the console set the port to; 0 when it is none a dome knows.
    int lineBaud() const;

    FileDescriptor m_master;
    FileDescriptor m_slave;
    std::string m_slavePath;
};

} // namespace tarn::sim
