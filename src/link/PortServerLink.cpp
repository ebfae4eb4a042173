#include "link/PortServerLink.h"

#include <QHostAddress>
#include <QTcpSocket>

#include <array>

namespace tarn {

PortServerLink::PortServerLink(Listener& listener)
    : m_listener(listener)
    , m_socket(new QTcpSocket) // released by close() with deleteLater
{
    QObject::connect(m_socket, &QTcpSocket::connected, m_socket, [this] {
        m_phase = Phase::Connected;
        m_listener.socketConnected(0);
    });
    QObject::connect(m_socket, &QTcpSocket::readyRead, m_socket, [this] { readAll(); });
    QObject::connect(m_socket, &QTcpSocket::errorOccurred, m_socket,
                     [this](QAbstractSocket::SocketError error) {
                         if (m_phase == Phase::Connecting) {
                             m_phase = Phase::Gone;
                             // Error codes start at 0 for "refused": report them as 1 and up.
                             m_listener.socketConnected(static_cast<int>(error) + 1);
                         } else {
                             dropped(error == QAbstractSocket::RemoteHostClosedError ? Drop::ClosedByPeer
                                                                                     : Drop::ReceiveFailed);
                         }
                     });
    QObject::connect(m_socket, &QTcpSocket::disconnected, m_socket, [this] { dropped(Drop::ClosedByPeer); });
}

PortServerLink::~PortServerLink()
{
    close();
}

void PortServerLink::connectTo(const std::string& address, int port)
{
    if (!m_socket)
        return;
    m_socket->connectToHost(QHostAddress(QString::fromStdString(address)),
                            static_cast<quint16>(port));
}

void PortServerLink::close()
{
    if (!m_socket)
        return;
    QTcpSocket* socket = m_socket;
    m_socket = nullptr;
    m_phase = Phase::Gone;
    QObject::disconnect(socket, nullptr, nullptr, nullptr);
    socket->disconnectFromHost();
    socket->deleteLater();
}

void PortServerLink::write(std::span<const std::uint8_t> bytes)
{
    // Like a plain socket send: nothing goes out before the connection is up,
    // and a failed send is not retried.
    if (!m_socket || m_phase != Phase::Connected)
        return;
    m_socket->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    m_socket->flush();
}

bool PortServerLink::canSend() const
{
    return m_socket && m_phase == Phase::Connected;
}

void PortServerLink::dropped(Drop how)
{
    if (m_phase != Phase::Connected)
        return;
    m_phase = Phase::Gone;
    // After whatever was read before it.
    later([this, how] {
        if (how == Drop::ClosedByPeer)
            m_listener.socketClosedByPeer();
        else
            m_listener.socketReceiveFailed();
    });
}

void PortServerLink::later(std::function<void()> event)
{
    QMetaObject::invokeMethod(
        m_socket,
        [alive = std::weak_ptr<bool>(m_alive), event = std::move(event)] {
            if (!alive.expired())
                event();
        },
        Qt::QueuedConnection);
}

void PortServerLink::readAll()
{
    // Qt does not tell readyRead again while its handler runs, and a reply's
    // receiver may open a box (an event loop) while it is handed on: the
    // bytes go on from the event loop instead, so a read while that box is
    // open is told at once. Each read stays a block of its own.
    std::array<char, ReadSize> buffer;
    while (m_socket && m_socket->bytesAvailable() > 0) {
        const qint64 got = m_socket->read(buffer.data(), ReadSize);
        if (got < 0) {
            dropped(Drop::ReceiveFailed);
            return;
        }
        if (got == 0)
            return;
        later([this, block = std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + got)] {
            if (m_socket)
                m_listener.socketDataReceived(block);
        });
    }
}

} // namespace tarn
