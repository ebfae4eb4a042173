#include "core/Messages.h"
#include "link/PortServerControl.h"
#include "link/PortServerLink.h"
#include "support/LinkBench.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

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
