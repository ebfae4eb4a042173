// The sweep on the console's own link, port server after port server, with
// the virtual clock and sockets the test connects by hand.

#include "control/CommissioningSweep.h"
#include "control/LinkSweepLine.h"
#include "control/MainControl.h"

#include "platform/MemoryProfileStore.h"
#include "platform/Platform.h"
#include "platform/QueuedPoster.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "support/FakePortServer.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarn {
namespace {

class LinkSweepOverPortServers : public ::testing::Test {
protected:
    VirtualClock clock;
    ScriptedPrompter prompter;
    MemoryProfileStore profile;
    QueuedPoster poster;
    test::FakePortServer sockets;
    Platform platform{clock, prompter, profile, poster, sockets};
    std::unique_ptr<MainControl> control;

    // The console on its port server 10.0.0.5:4001, at address 37.
    void SetUp() override
    {
        Settings settings;
        settings.commPort = 1;
        control = std::make_unique<MainControl>(platform, settings, [](int) { return std::string("/nonexistent/ttyX"); });
        control->initialiseWithoutSearch();
        control->link().state().address = 37;
        control->portServer().connect({10, 0, 0, 5}, "4001");
        sockets.live->listener.socketConnected(0);
    }

    std::string server() const
    {
        return sockets.live ? sockets.live->address + ':' + std::to_string(sockets.live->port) : std::string();
    }
};

TEST_F(LinkSweepOverPortServers, eachServerIsConnectedInTurnOneThatDoesNotAnswerIsToldAndTheOwnComesBack)
{
    LinkSweepLine line(*control);
    CommissioningSweep sweep(line, clock, {{"10.0.0.5:4001", "10.0.0.6:4002", "10.0.0.7:4003"}, {0, 1}, {1}, 1, 3},
                             100);
    line.setSweep(&sweep);
    sweep.start();
    // The server in use is swept as it is, at its own rate only.
    clock.advance(250);
    EXPECT_EQ(sockets.created, 1);
    EXPECT_EQ(sweep.statusQuestionsAsked(), 3);
    clock.advance(50);
    // Then the next is connected, and nothing is asked until it is there.
    EXPECT_EQ(sockets.created, 2);
    EXPECT_EQ(server(), "10.0.0.6:4002");
    EXPECT_TRUE(sweep.connecting());
    const std::size_t writes = sockets.writes.size();
    clock.advance(50);
    EXPECT_EQ(sockets.writes.size(), writes);
    sockets.live->listener.socketConnected(0);
    EXPECT_EQ(sockets.writes.size(), writes + 1);
    clock.advance(300);
    EXPECT_EQ(sweep.statusQuestionsAsked(), 6);
    // The third never answers: its time-out is told by the sweep, in no box.
    EXPECT_EQ(server(), "10.0.0.7:4003");
    clock.advance(1000);
    EXPECT_FALSE(sweep.running());
    EXPECT_EQ(sweep.problems(), (std::vector<SweepProblem>{{"10.0.0.7:4003", "no connection within 1 s"}}));
    EXPECT_EQ(sweep.statusQuestionsAsked(), 6);
    EXPECT_EQ(sweep.progressPercent(), 100);
    // The console's own server is connected again, at its address.
    EXPECT_EQ(sockets.created, 4);
    EXPECT_EQ(server(), "10.0.0.5:4001");
    EXPECT_EQ(control->link().state().linkMode, 1);
    EXPECT_EQ(control->link().state().address, 37);
    sockets.live->listener.socketConnected(0);
    clock.advance(5000);
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(LinkSweepOverPortServers, cancelWhileConnectingStopsAtOnceAndReconnectsTheOwnServer)
{
    LinkSweepLine line(*control);
    CommissioningSweep sweep(line, clock, {{"10.0.0.6:4002"}, {0}, {1}, 1, 254}, 100);
    line.setSweep(&sweep);
    sweep.start();
    clock.advance(300);
    ASSERT_TRUE(sweep.connecting());
    EXPECT_EQ(server(), "10.0.0.6:4002");
    sweep.cancel();
    EXPECT_FALSE(sweep.running());
    EXPECT_EQ(sweep.statusQuestionsAsked(), 0);
    EXPECT_EQ(server(), "10.0.0.5:4001");
    EXPECT_TRUE(sockets.writes.empty());
    sockets.live->listener.socketConnected(0);
    clock.advance(5000);
    // The connect given up on is not told later; the console looks for its
    // camera on its own server as after any connect.
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_TRUE(sweep.problems().empty());
}

TEST_F(LinkSweepOverPortServers, aLinkThatIsNoPortIsToldAndTheRestIsSwept)
{
    LinkSweepLine line(*control);
    CommissioningSweep sweep(line, clock, {{"somewhere", "10.0.0.5:4001"}, {0}, {1}, 1, 2}, 100);
    line.setSweep(&sweep);
    sweep.start();
    clock.advance(300);
    EXPECT_FALSE(sweep.running());
    ASSERT_EQ(sweep.problems().size(), 1u);
    EXPECT_EQ(sweep.problems()[0].link, "somewhere");
    EXPECT_EQ(sweep.statusQuestionsAsked(), 2);
    EXPECT_EQ(sockets.created, 1); // the server in use was never dropped
}

TEST_F(LinkSweepOverPortServers, aServerThatClosesTheConnectionIsToldOnceAndTheNextIsSwept)
{
    LinkSweepLine line(*control);
    CommissioningSweep sweep(line, clock, {{"10.0.0.6:4002", "10.0.0.7:4003"}, {0, 1}, {1}, 1, 10}, 100);
    line.setSweep(&sweep);
    sweep.start();
    sockets.live->listener.socketConnected(0);
    clock.advance(350);
    EXPECT_EQ(sweep.statusQuestionsAsked(), 4);
    sockets.live->listener.socketClosedByPeer();
    // Straight on to the next server.
    EXPECT_EQ(server(), "10.0.0.7:4003");
    sockets.live->listener.socketConnected(0);
    clock.advance(1000);
    EXPECT_FALSE(sweep.running());
    EXPECT_EQ(sweep.problems(), (std::vector<SweepProblem>{{"10.0.0.6:4002", "the connection went during the sweep"}}));
    EXPECT_EQ(sweep.statusQuestionsAsked(), 4 + 10);
    EXPECT_EQ(sweep.progressPercent(), 100);
    EXPECT_TRUE(prompter.shown().empty()) << "told by the sweep, in no box";
    EXPECT_EQ(server(), "10.0.0.5:4001");
}

TEST_F(LinkSweepOverPortServers, aSerialPortOnTheWayIsToldAndTheConsoleGoesBackToItsServer)
{
    LinkSweepLine line(*control);
    CommissioningSweep sweep(line, clock, {{"COM3", "10.0.0.6:4002"}, {0}, {1}, 1, 2}, 100);
    line.setSweep(&sweep);
    sweep.start();
    EXPECT_EQ(control->link().state().linkMode, 1); // on to the next server
    EXPECT_EQ(server(), "10.0.0.6:4002");
    sockets.live->listener.socketConnected(0);
    clock.advance(300);
    EXPECT_FALSE(sweep.running());
    EXPECT_EQ(sweep.problems(), (std::vector<SweepProblem>{{"COM3", "the port cannot be opened"}}));
    EXPECT_EQ(sweep.statusQuestionsAsked(), 2);
    EXPECT_EQ(server(), "10.0.0.5:4001");
    EXPECT_EQ(control->link().state().linkMode, 1);
    EXPECT_FALSE(control->serialPort().isOpen());
    EXPECT_EQ(profile.readInt("Setup", "CommPort", -1), 1);
}

} // namespace
} // namespace tarn
