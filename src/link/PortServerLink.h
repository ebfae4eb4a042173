#pragma once

#include "link/PortServerSocket.h"

#include <QPointer>

#include <functional>
#include <memory>

class QTcpSocket;

namespace tarn {

// The port-server socket on Qt's TCP socket. Events arrive on the main thread
// through the listener, posted in the order they happened, never from inside
// Qt's own socket signals; the socket object is released with deleteLater,
// since the listener may drop the link from inside one of its events.
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
    // How a connection that was up ended.
    enum class Drop { ClosedByPeer, ReceiveFailed };
    // Qt tells one drop more than once (an error, then the disconnect, or a
    // failed read as well): the first is the drop, and nothing after it.
    void dropped(Drop how);
    void readAll();
    // Told to the listener from the event loop, in order; not at all once
    // this link is gone.
    void later(std::function<void()> event);

    Listener& m_listener;
    QPointer<QTcpSocket> m_socket;
    enum class Phase { Connecting, Connected, Gone };
    Phase m_phase = Phase::Connecting;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

class QtPortServerSocketFactory final : public PortServerSocketFactory {
public:
    std::unique_ptr<PortServerSocket> create(PortServerSocket::Listener& listener) override
    {
        return std::make_unique<PortServerLink>(listener);
    }
};

} // namespace tarn
