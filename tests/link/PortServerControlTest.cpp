#include "core/Messages.h"
#include "link/PortServerControl.h"
#include "platform/TimerIds.h"
#include "support/FakePortServer.h"
#include "support/LinkFixture.h"

namespace tarn::test {
namespace {

using Controls = PortServerControl::Controls;
constexpr Controls AllOff{false, false, false, false};
constexpr Controls ReadyToConnect{true, false, true, true};
constexpr Controls Connected{false, true, false, false};
constexpr std::array<std::uint8_t, 4> Server = {127, 0, 0, 1};

class PortServer : public LinkFixture {
protected:
    FakePortServer sockets;
    PortServerControl control{link, prompter, profile, sockets};
    int probes = 0;

    PortServer()
    {
        control.setProbeRequest([this] { ++probes; });
    }
    PortServerSocket::Listener& server() { return sockets.live->listener; }
};

TEST_F(PortServer, controlsFollowTheLinkModeAndTheChoiceIsStoredAtOnce)
{
    control.initialise();
    EXPECT_EQ(control.controls(), AllOff);

    control.chooseNetwork();
    EXPECT_EQ(control.controls(), ReadyToConnect);
    EXPECT_EQ(link.state().linkMode, 1);
    EXPECT_EQ(profile.readInt("Setup", "CommPort", -1), 1);

    control.connect(Server, "4001");
    server().socketConnected(0);
    EXPECT_EQ(control.controls(), Connected);

    control.chooseSerial();
    EXPECT_FALSE(control.hasSocket());
    EXPECT_EQ(control.controls(), AllOff);
    EXPECT_EQ(profile.readInt("Setup", "CommPort", -1), 0);
    EXPECT_EQ(link.state().linkMode, 0);

    link.state().linkMode = 1;
    control.initialise();
    EXPECT_EQ(control.controls(), ReadyToConnect);
}

TEST_F(PortServer, connectTwiceMakesOneSocketAndProbesOnce)
{
    control.chooseNetwork();
    control.connect(Server, "1234");
    control.connect(Server, "1234");
    EXPECT_EQ(sockets.created, 1);
    EXPECT_EQ(sockets.live->address, "127.0.0.1");
    EXPECT_EQ(sockets.live->port, 1234);
    EXPECT_EQ(probes, 1);
    EXPECT_TRUE(link.state().networkConnected);

    server().socketConnected(0);
    EXPECT_FALSE(clock.isRunning(control, TimerId::PortServerConnect));
    link.SendCommand("A?");
    EXPECT_EQ(sockets.writes, (std::vector<Bytes>{{0, 0, 0, 5}, {0xF8, 0x01, 0x41, 0x3F, 0x8F}}));
    EXPECT_TRUE(serial.writes.empty());
}

TEST_F(PortServer, portTextThatIsNotANumberMeansPortZero)
{
    EXPECT_EQ(PortServerControl::parsePort("1233"), 1233);
    EXPECT_EQ(PortServerControl::parsePort("abc"), 0);
    EXPECT_EQ(PortServerControl::parsePort(""), 0);
    EXPECT_EQ(PortServerControl::parsePort("12x"), 12);
}

TEST_F(PortServer, noConnectionWithinOneSecondIsReportedAndTheSocketGoes)
{
    control.chooseNetwork();
    control.connect(Server, "4001");
    clock.advance(999);
    EXPECT_TRUE(prompter.shown().empty());
    clock.advance(1);
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].text, "Cannot find the Port Server IP Address, Disconnecting");
    EXPECT_EQ(prompter.shown()[0].title, "Network Error");
    EXPECT_FALSE(control.hasSocket());
    EXPECT_EQ(control.controls(), ReadyToConnect);
    EXPECT_FALSE(link.state().networkConnected);
    clock.advance(5000);
    EXPECT_EQ(prompter.shown().size(), 1u);
}

TEST_F(PortServer, refusedConnectionDropsTheSocketAndTheTimeoutStillTells)
{
    control.chooseNetwork();
    control.connect(Server, "4001");
    server().socketConnected(1);
    EXPECT_FALSE(control.hasSocket());
    EXPECT_FALSE(link.state().networkConnected);
    EXPECT_EQ(control.controls(), ReadyToConnect);
    EXPECT_TRUE(prompter.shown().empty());
    clock.advance(1000);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Cannot find the Port Server IP Address, Disconnecting"});
}

TEST_F(PortServer, serverClosingTheConnectionIsToldOnceAndConnectWorksAgain)
{
    std::vector<std::string> states;
    control.setStatusChanged([&](std::string_view text) { states.emplace_back(text); });
    control.chooseNetwork();
    control.connect(Server, "4001");
    server().socketConnected(0);
    PortServerSocket::Listener& listener = server();
    listener.socketClosedByPeer();
    listener.socketClosedByPeer(); // the socket's error and its disconnect both say so
    EXPECT_FALSE(control.hasSocket());
    EXPECT_FALSE(link.state().networkConnected);
    EXPECT_EQ(control.controls(), ReadyToConnect);
    EXPECT_FALSE(link.hasNetworkTransport());
    const std::string closed = "Port server 127.0.0.1:4001 closed the connection \u2013 disconnected";
    ASSERT_EQ(prompter.texts(), std::vector<std::string>{closed});
    EXPECT_EQ(prompter.shown()[0].title, "Network Error");
    EXPECT_EQ(states, (std::vector<std::string>{"Port server 127.0.0.1:4001 connected", closed}));

    // What is typed now is shown as not sent.
    link.SendCommand("L?");
    EXPECT_TRUE(link.monitor().transmitLine().ends_with(Messages::NotSentMark));

    control.connect(Server, "4001");
    EXPECT_EQ(sockets.created, 2);
    EXPECT_EQ(prompter.shown().size(), 1u);
}

TEST_F(PortServer, repliesReachTheLinkAndReceiveErrorsAreShown)
{
    control.chooseNetwork();
    control.connect(Server, "4001");
    server().socketConnected(0);
    link.enqueue("L?");
    clock.advance(5);
    EXPECT_FALSE(link.queue().queueReady);
    const Bytes ack = {0x06};
    server().socketDataReceived(ack);
    EXPECT_TRUE(link.queue().queueReady);
    EXPECT_EQ(link.monitor().receiveLine(), " Ack");

    // The socket goes with its error: told once, and "Connect" is offered again.
    server().socketReceiveFailed();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Could not Recieve"});
    EXPECT_FALSE(control.hasSocket());
    EXPECT_EQ(control.controls(), ReadyToConnect);
}

TEST_F(PortServer, aWatchedConnectIsToldHowItEndedAndOpensNoBox)
{
    using Outcome = PortServerControl::ConnectOutcome;
    std::vector<std::pair<Outcome, int>> told;
    control.setConnectWatch([&](Outcome outcome, int code) { told.emplace_back(outcome, code); });
    control.chooseNetwork();

    control.connect(Server, "4001");
    server().socketConnected(0);
    server().socketClosedByPeer(); // the server goes
    control.connect(Server, "4002");
    server().socketConnected(1); // refused
    clock.advance(2000);
    control.connect(Server, "4003");
    clock.advance(1000); // nothing within the time-out
    EXPECT_EQ(told, (std::vector<std::pair<Outcome, int>>{
                        {Outcome::Connected, 0}, {Outcome::Dropped, 0}, {Outcome::Failed, 1}, {Outcome::TimedOut, 0}}));
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_FALSE(control.hasSocket());
    EXPECT_EQ(control.serverAddress(), "127.0.0.1");

    // A connect given up on by "Disconnect" is not told later, watched or not.
    control.setConnectWatch({});
    control.connect(Server, "4004");
    control.disconnect();
    clock.advance(5000);
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(told.size(), 4u);
}

TEST_F(PortServer, disconnectWithoutSocketDoesNothing)
{
    control.chooseNetwork();
    control.disconnect();
    EXPECT_EQ(control.controls(), ReadyToConnect);
    EXPECT_EQ(sockets.created, 0);
}

} // namespace
} // namespace tarn::test
