#include "PosixPortServerSocket.h"

#include "platform/MainThreadPoster.h"

#include <array>
#include <cerrno>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarn::e2e {

PosixPortServerSocket::PosixPortServerSocket(MainThreadPoster& poster, Listener& listener)
    : m_poster(poster)
    , m_listener(listener)
{
}

PosixPortServerSocket::~PosixPortServerSocket()
{
    close();
}

template <typename Event>
void PosixPortServerSocket::postEvent(Event event)
{
    m_poster.post([open = m_open, event = std::move(event)]() mutable {
        if (*open)
            event();
    });
}

void PosixPortServerSocket::connectTo(const std::string& address, int port)
{
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(static_cast<std::uint16_t>(port));
    int error = 0;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::inet_pton(AF_INET, address.c_str(), &server.sin_addr) != 1)
        error = fd < 0 ? errno : EINVAL;
    else if (::connect(fd, reinterpret_cast<const sockaddr*>(&server), sizeof server) != 0)
        error = errno;
    if (error != 0) {
        if (fd >= 0)
            ::close(fd);
    } else {
        // The console's frames are small and each must go out on its own.
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        m_fd = fd;
        m_reader = std::thread([this, fd] { readUntilClosed(fd); });
    }
    // Loopback connects at once, but the console hears of it later, as from Qt.
    postEvent([&listener = m_listener, error] { listener.socketConnected(error); });
}

void PosixPortServerSocket::close()
{
    *m_open = false;
    if (m_fd >= 0)
        ::shutdown(m_fd, SHUT_RDWR); // wakes the reader with end of stream
    if (m_reader.joinable())
        m_reader.join();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void PosixPortServerSocket::write(std::span<const std::uint8_t> bytes)
{
    while (m_fd >= 0 && !bytes.empty()) {
        const ssize_t sent = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return;
        bytes = bytes.subspan(static_cast<std::size_t>(sent));
    }
}

void PosixPortServerSocket::readUntilClosed(int fd)
{
    std::array<std::uint8_t, 1024> buffer{};
    for (;;) {
        const ssize_t got = ::recv(fd, buffer.data(), buffer.size(), 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            postEvent([&listener = m_listener] { listener.socketReceiveFailed(); });
            return;
        }
        if (got == 0) {
            postEvent([&listener = m_listener] { listener.socketClosedByPeer(); });
            return;
        }
        postEvent([&listener = m_listener,
                   block = std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + got)] {
            listener.socketDataReceived(block);
        });
    }
}

} // namespace tarn::e2e
