#include "core/Messages.h"
#include "link/PortServerControl.h"
#include "link/PortServerLink.h"
#include "support/LinkBench.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QEventLoop>
#include <QTest>

#include <memory>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarn {

// The real Qt socket against a loopback server; the link's timers stay on the
// virtual clock so only the network is real.
class PortServerLinkTest : public QObject, private test::LinkBench {
    Q_OBJECT

private:
    QtPortServerSocketFactory sockets;
    std::unique_ptr<CameraLink> link;
    std::unique_ptr<PortServerControl> control;
    QTcpServer server;
    static constexpr std::array<std::uint8_t, 4> Loopback = {127, 0, 0, 1};

    QTcpSocket* acceptClient()
    {
        if (!server.hasPendingConnections() && !server.waitForNewConnection(5000))
            return nullptr;
        return server.nextPendingConnection();
    }

    // The descriptor of the console's end of the connection, found by its port.
    static int consoleEnd(quint16 localPort)
    {
        for (int fd = 3; fd < 1024; ++fd) {
            sockaddr_in address{};
            socklen_t size = sizeof address;
            if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0 && address.sin_family == AF_INET
                && ntohs(address.sin_port) == localPort)
                return fd;
        }
        return -1;
    }

private slots:
    void init()
    {
        link = freshLink();
        link->state().busy = false;
        link->state().address = 1;
        control = std::make_unique<PortServerControl>(*link, prompter, profile, sockets);
        control->chooseNetwork();
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    }

    void cleanup()
    {
        control.reset();
        link.reset();
        server.close();
    }

    void framesGoOutWithTheLengthHeaderAndRepliesComeBack()
    {
        // Port 1234 switches the header on; the test server cannot always have
        // that port, so the link's port number is set the way connect() sets it.
        control->connect(Loopback, std::to_string(server.serverPort()));
        QTcpSocket* client = acceptClient();
        QVERIFY(client);
        QTRY_COMPARE(control->controls().disconnect, true);
        link->state().portServerPort = 1234;

        link->SendCommand("A?");
        link->SendCameraCommand("DS");
        const QByteArray expected = QByteArray::fromHex("00000005F801413F8F") + QByteArray::fromHex("F801634453")
            + QByteArray(1, static_cast<char>(0x80 | ((0x01 ^ 'c' ^ 'D' ^ 'S') & 0x0F)));
        QByteArray received;
        QTRY_VERIFY((received += client->readAll()).size() >= expected.size());
        QCOMPARE(received.toHex(), expected.toHex());

        // Two frames in one read, both processed in order.
        client->write(QByteArray::fromHex("F801413030303181F801413030303282"));
        QTRY_COMPARE(link->monitor().receiveLine(), std::string(" F8 01 A0002 82 "));
    }

    void serverClosingIsToldOnceAndConnectWorksAgain()
    {
        control->connect(Loopback, std::to_string(server.serverPort()));
        QTcpSocket* client = acceptClient();
        QVERIFY(client);
        QTRY_VERIFY(control->controls().disconnect);
        link->SendCommand("L?");
        QVERIFY(!link->monitor().transmitLine().ends_with(Messages::NotSentMark));
        client->close();
        QTRY_VERIFY(!control->hasSocket());
        QVERIFY(control->controls().connect);
        QVERIFY(!link->state().networkConnected);
        QTest::qWait(100); // the socket's error and its disconnect may both arrive
        const std::string closed = "Port server 127.0.0.1:" + std::to_string(server.serverPort())
            + " closed the connection \u2013 disconnected";
        QCOMPARE(prompter.texts(), std::vector<std::string>{closed});
        link->SendCommand("L?");
        QVERIFY(link->monitor().transmitLine().ends_with(Messages::NotSentMark));

        control->connect(Loopback, std::to_string(server.serverPort()));
        QVERIFY(acceptClient());
        QTRY_VERIFY(control->controls().disconnect);
        QCOMPARE(prompter.shown().size(), std::size_t{1});
    }

    // A reply's receiver opens a box, whose event loop runs inside the
    // socket's read: replies the server sends meanwhile are still read,
    // recorded and routed while it is open.
    void repliesArriveWhileAReplysBoxIsOpen()
    {
        control->connect(Loopback, std::to_string(server.serverPort()));
        QTcpSocket* client = acceptClient();
        QVERIFY(client);
        QTRY_VERIFY(control->controls().disconnect);
        struct BoxOpening : ReplyReceiver {
            QTcpSocket* server = nullptr;
            std::vector<std::vector<std::uint8_t>> frames;
            std::size_t seenWhileOpen = 0;
            void replyReceived(std::span<const std::uint8_t> frame) override
            {
                frames.emplace_back(frame.begin(), frame.end());
                if (frames.size() > 1)
                    return;
                server->write(QByteArray::fromHex("F801533183"));
                QEventLoop box;
                QTimer::singleShot(2000, &box, &QEventLoop::quit);
                QTimer check;
                QObject::connect(&check, &QTimer::timeout, &box, [&] {
                    if (frames.size() > 1)
                        box.quit();
                });
                check.start(10);
                box.exec();
                seenWhileOpen = frames.size();
            }
        } boxOpening;
        boxOpening.server = client;
        link->state().framedSend = true; // F8 replies, not length mode
        link->router().setReceiver(ReceiverSlot::Setup, &boxOpening);
        client->write(QByteArray::fromHex("F801533082"));
        QTRY_VERIFY2(boxOpening.seenWhileOpen == 2, (std::to_string(boxOpening.frames.size()) + link->monitor().receiveLine()).c_str());
        QCOMPARE(link->monitor().receiveLine(), std::string(" F8 01 S1 83 "));
        link->router().setReceiver(ReceiverSlot::Setup, nullptr);
    }

    // However the connection ends (the server closes it, resets it, or the
    // console's end cannot be read any more), Qt may tell it more than once:
    // an error, then the disconnect. One drop is one message, and "Connect"
    // is offered again.
    void aDropIsToldOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<std::string>("told");
        QTest::newRow("closed") << QStringLiteral("closed") << std::string("closed the connection");
        QTest::newRow("reset") << QStringLiteral("reset") << std::string("closed the connection");
        QTest::newRow("read error") << QStringLiteral("read error") << std::string("Could not Recieve");
    }
    void aDropIsToldOnce()
    {
        QFETCH(QString, how);
        QFETCH(std::string, told);
        control->connect(Loopback, std::to_string(server.serverPort()));
        QTcpSocket* client = acceptClient();
        QVERIFY(client);
        QTRY_VERIFY(control->controls().disconnect);
        link->SendCommand("L?");
        QTRY_VERIFY(client->bytesAvailable() > 0 || client->waitForReadyRead(100));
        if (how == QStringLiteral("closed")) {
            client->close();
        } else if (how == QStringLiteral("reset")) {
            // Lingering for no time: the kernel answers the close with a reset.
            const ::linger now{1, 0};
            QCOMPARE(::setsockopt(static_cast<int>(client->socketDescriptor()), SOL_SOCKET, SO_LINGER, &now,
                                  sizeof now),
                     0);
            client->abort();
        } else {
            // A directory where the console's socket was: every read fails
            // (Qt's network error), and Qt drops the connection after it.
            const int fd = consoleEnd(client->peerPort());
            QVERIFY(fd >= 0);
            const int directory = ::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            QVERIFY(::dup2(directory, fd) == fd);
            ::close(directory);
        }
        QTRY_VERIFY(!control->hasSocket());
        QTest::qWait(200); // anything else the socket would tell
        QCOMPARE(prompter.shown().size(), std::size_t{1});
        QVERIFY2(prompter.shown()[0].text.find(told) != std::string::npos, prompter.shown()[0].text.c_str());
        QVERIFY(control->controls().connect);
        QVERIFY(!link->state().networkConnected);
    }

    void refusedConnectionIsReportedAfterOneSecond()
    {
        const quint16 port = server.serverPort();
        server.close(); // nothing listens there now
        control->connect(Loopback, std::to_string(port));
        QTRY_VERIFY(!control->hasSocket());
        QVERIFY(prompter.shown().empty());
        clock.advance(1000);
        QCOMPARE(prompter.texts(),
                 std::vector<std::string>{"Cannot find the Port Server IP Address, Disconnecting"});
    }
};

} // namespace tarn

QTEST_MAIN(tarn::PortServerLinkTest)
#include "PortServerLinkTest.moc"
