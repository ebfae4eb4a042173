#pragma once

#include "link/ByteTransport.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tarn {

// What the port-server link needs of a TCP socket. Writes go out as they are;
// events come back through Listener on the main thread.
class PortServerSocket : public ByteTransport {
public:
    class Listener {
    public:
        // The connect attempt ended: errorCode 0 = connected.
        virtual void socketConnected(int errorCode) = 0;
        virtual void socketDataReceived(std::span<const std::uint8_t> bytes) = 0;
        virtual void socketReceiveFailed() = 0;
        // The server closed the connection.
        virtual void socketClosedByPeer() = 0;

    protected:
        ~Listener() = default;
    };

    // Starts connecting; completion is reported later.
    virtual void connectTo(const std::string& address, int port) = 0;
    // Shuts the sending side down and closes. No events after this.
    virtual void close() = 0;
};

// Makes sockets for the link; the program's makes Qt sockets.
class PortServerSocketFactory {
public:
    virtual ~PortServerSocketFactory() = default;
    virtual std::unique_ptr<PortServerSocket> create(PortServerSocket::Listener& listener) = 0;
};

} // namespace tarn
