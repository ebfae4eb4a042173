#pragma once

#include "sim/FileDescriptor.h"

#include <string>

namespace tarn::sim {

class Simulator;

// Serves the simulator as a serial port server on TCP: one client at a time;
// when it goes, the next waiting one is taken.
class TcpServer {
public:
    // `host` is a numeric IPv4 address or a name; port 0 picks a free port.
    // Returns an error text, empty on success.
    std::string listen(const std::string& host, int port);
    // "127.0.0.1:40123": where the server really listens.
    const std::string& boundAddress() const { return m_bound; }

    // Serves until `stopFd` becomes readable.
    void serve(Simulator& simulator, int stopFd);

private:
    // Returns false when `stopFd` asked to stop.
    bool serveClient(Simulator& simulator, int client, int stopFd);

    FileDescriptor m_listener;
    std::string m_bound;
};

} // namespace tarn::sim
