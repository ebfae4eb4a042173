#include "sim/TcpServer.h"

#include "sim/LineIo.h"
#include "sim/Simulator.h"

#include <array>
#include <cerrno>
#include <cstring>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarn::sim {

namespace {

constexpr std::size_t ReadChunk = 1024;

std::string failure(const char* call)
{
    return std::string(call) + ": " + std::strerror(errno);
}

} // namespace

std::string TcpServer::listen(const std::string& host, int port)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (const int error = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found); error != 0)
        return "cannot resolve " + host + ": " + ::gai_strerror(error);
    const sockaddr_in address = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    ::freeaddrinfo(found);

    m_listener.reset(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!m_listener.valid())
        return failure("socket");
    const int on = 1;
    ::setsockopt(m_listener.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(m_listener.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return failure("bind");
    if (::listen(m_listener.get(), 4) != 0)
        return failure("listen");

    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    if (::getsockname(m_listener.get(), reinterpret_cast<sockaddr*>(&bound), &length) != 0)
        return failure("getsockname");
    std::array<char, INET_ADDRSTRLEN> text{};
    ::inet_ntop(AF_INET, &bound.sin_addr, text.data(), text.size());
    m_bound = std::string(text.data()) + ":" + std::to_string(ntohs(bound.sin_port));
    return {};
}

void TcpServer::serve(Simulator& simulator, int stopFd)
{
    for (;;) {
        std::array<pollfd, 2> fds{{{stopFd, POLLIN, 0}, {m_listener.get(), POLLIN, 0}}};
        if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR)
            return;
        if (fds[0].revents != 0)
            return;
        if (!(fds[1].revents & POLLIN))
            continue;
        FileDescriptor client(
            ::accept4(m_listener.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (!client.valid())
            continue;
        // Small replies go out at once, as they would on a serial line.
        const int on = 1;
        ::setsockopt(client.get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        simulator.lineReset();
        if (!serveClient(simulator, client.get(), stopFd))
            return;
    }
}

bool TcpServer::serveClient(Simulator& simulator, int client, int stopFd)
{
    for (;;) {
        TimePoint now = Clock::now();
        std::array<pollfd, 2> fds{{{stopFd, POLLIN, 0}, {client, POLLIN, 0}}};
        const int ready = ::poll(fds.data(), fds.size(), LineIo::pollTimeout(simulator.nextDue(), now));
        if (ready < 0 && errno != EINTR)
            return true;
        if (fds[0].revents != 0)
            return false;

        now = Clock::now();
        if (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) {
            std::array<std::uint8_t, ReadChunk> buffer{};
            const ssize_t got = ::recv(client, buffer.data(), buffer.size(), 0);
            if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) {
                simulator.lineReset();
                return true; // the client went: wait for the next one
            }
            if (got > 0)
                simulator.receive(std::span(buffer.data(), static_cast<std::size_t>(got)), now);
        }
        for (const Bytes& bytes : simulator.takeDue(now)) {
            if (!LineIo::writeWithoutWaiting(client, bytes, true)) {
                simulator.lineReset();
                return true;
            }
        }
    }
}

} // namespace tarn::sim
