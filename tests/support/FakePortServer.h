#pragma once

#include "link/PortServerSocket.h"

#include <memory>
#include <string>
#include <vector>

namespace tarn::test {

// Sockets that connect nowhere: the test plays the server's part.
class FakePortServer final : public PortServerSocketFactory {
public:
    struct Socket final : PortServerSocket {
        Listener& listener;
        FakePortServer& owner;
        std::string address;
        int port = 0;
        bool closed = false;
        Socket(Listener& l, FakePortServer& o) : listener(l), owner(o) {}
        ~Socket() override { owner.live = nullptr; }
        void connectTo(const std::string& a, int p) override
        {
            address = a;
            port = p;
        }
        void close() override { closed = true; }
        void write(std::span<const std::uint8_t> bytes) override
        {
            owner.writes.emplace_back(bytes.begin(), bytes.end());
        }
    };

    std::unique_ptr<PortServerSocket> create(PortServerSocket::Listener& listener) override
    {
        ++created;
        auto socket = std::make_unique<Socket>(listener, *this);
        live = socket.get();
        return socket;
    }

    int created = 0;
    Socket* live = nullptr; // the socket that exists, if any
    std::vector<std::vector<std::uint8_t>> writes;
};

} // namespace tarn::test
