#pragma once

#include "link/PortServerSocket.h"

#include <memory>
#include <thread>

namespace tarn {
class MainThreadPoster;
}

namespace tarn::e2e {

// The port-server socket on plain POSIX TCP, standing in for the console's
// Qt socket in the Qt-free builds. A reader thread posts what arrives to the
// main thread, where the listener hears of it, as the Qt socket's signals do.
class PosixPortServerSocket final : public PortServerSocket {
public:
    PosixPortServerSocket(MainThreadPoster& poster, Listener& listener);
    ~PosixPortServerSocket() override;

    void connectTo(const std::string& address, int port) override;
    void close() override;
    void write(std::span<const std::uint8_t> bytes) override;

private:
    void readUntilClosed(int fd);
    // Runs `event` on the main thread unless the socket was closed by then.
    template <typename Event>
    void postEvent(Event event);

    MainThreadPoster& m_poster;
    Listener& m_listener;
    int m_fd = -1;
    std::thread m_reader;
    // Read and written on the main thread only: posted events check it.
    std::shared_ptr<bool> m_open = std::make_shared<bool>(true);
};

class PosixPortServerSocketFactory final : public PortServerSocketFactory {
public:
    explicit PosixPortServerSocketFactory(MainThreadPoster& poster) : m_poster(poster) {}
    std::unique_ptr<PortServerSocket> create(PortServerSocket::Listener& listener) override
    {
        return std::make_unique<PosixPortServerSocket>(m_poster, listener);
    }

private:
    MainThreadPoster& m_poster;
};

} // namespace tarn::e2e
