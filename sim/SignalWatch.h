#pragma once

#include "sim/FileDescriptor.h"

namespace tarn::sim {

// SIGTERM and SIGINT as a readable descriptor, so the servers can stop
// between two polls instead of in a signal handler. Construct it before any
// thread starts: it blocks the two signals for the process.
class SignalWatch {
public:
    SignalWatch();
    bool valid() const { return m_fd.valid(); }
    int fd() const { return m_fd.get(); }

private:
    FileDescriptor m_fd;
};

} // namespace tarn::sim
