#pragma once

#include "link/PortServerSocket.h"

#include <QPointer>

class QTcpSocket;

namespace tarn {

// The port-server socket on Qt's TCP socket. Events arrive on the main thread
// through the listener; the socket object is released with deleteLater, since
// the listener may drop the link from inside one of its events.
class PortServerLink final : public PortServerSocket {
public:
    static constexpr qint64 ReadSize = 1024;

    explicit PortServerLink(Listener& listener);
    ~PortServerLink() override;

    void connectTo(const std::string& address, int port) override;
    void close() override;
    void write(std::span<const std::uint8_t> bytes) override;
    // Only a connected socket sends; before and after, frames stay here.
    bool canSend() const override;

private:
    void readAll();

    Listener& m_listener;
    QPointer<QTcpSocket> m_socket;
    bool m_connected = false;
};

class QtPortServerSocketFactory final : public PortServerSocketFactory {
public:
    std::unique_ptr<PortServerSocket> create(PortServerSocket::Listener& listener) override
    {
        return std::make_unique<PortServerLink>(listener);
    }
};

} // namespace tarn
