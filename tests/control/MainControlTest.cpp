#include "control/MainControl.h"

#include "platform/MemoryProfileStore.h"
#include "platform/Platform.h"
#include "platform/QueuedPoster.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "support/FakePortServer.h"
#include "support/PseudoTerminal.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

class MainControlStartUp : public ::testing::Test {
protected:
    VirtualClock clock;
    ScriptedPrompter prompter;
    MemoryProfileStore profile;
    QueuedPoster poster;
    test::FakePortServer sockets;
    Platform platform{clock, prompter, profile, poster, sockets};
};

TEST_F(MainControlStartUp, missingPortGivesExactlyOneMessageAndTheConsoleRunsOn)
{
    Settings settings;
    settings.port = 7;
    MainControl control(platform, settings, [](int) { return std::string("/nonexistent/ttyX"); });
    EXPECT_TRUE(control.isBusy());

    control.initialise();

    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].text, "Port COM7 does not exist!");
    EXPECT_EQ(prompter.shown()[0].title, "");
    EXPECT_FALSE(control.isBusy());
    EXPECT_FALSE(control.serialPort().isOpen());
    poster.runPending();
    EXPECT_EQ(prompter.shown().size(), 1u);
}

TEST_F(MainControlStartUp, configuredPortIsOpenedWithItsThreadAndTheSettingsBaud)
{
    test::PseudoTerminal pty;
    ASSERT_TRUE(pty.isValid());
    Settings settings;
    settings.port = 3;
    settings.baud = 6;
    int askedPort = 0;
    MainControl control(platform, settings, [&](int port) {
        askedPort = port;
        return pty.slavePath();
    });

    control.initialise();

    EXPECT_EQ(askedPort, 3);
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_TRUE(control.serialPort().isOpen());
    EXPECT_TRUE(control.serialPort().isThreadAlive());
    EXPECT_EQ(control.serialPort().portNumber(), 3);
    EXPECT_FALSE(control.isBusy());
}

TEST_F(MainControlStartUp, exitSendsTheLastCommandOnceAndNothingAfterIt)
{
    test::PseudoTerminal pty;
    ASSERT_TRUE(pty.isValid());
    Settings settings; // an "AlderSD": it is given "mNd" at exit
    MainControl control(platform, settings, [&](int) { return pty.slavePath(); });
    control.initialise();
    control.panel().toggleStatusPolling();
    control.link().enqueue("L?", 500);
    (void)pty.receive(64, std::chrono::milliseconds(50));

    EXPECT_EQ(control.exit(), 500);
    EXPECT_EQ(control.exit(), 0);
    EXPECT_TRUE(control.hasExited());
    clock.advance(10000); // the wait: polls, the queue and the search stay quiet
    const auto sent = pty.receive(64, std::chrono::milliseconds(300));
    const std::vector<std::uint8_t> mNd = {0xF8, 0x01, 'm', 'N', 'd', 0x80 | ((0x01 ^ 'm' ^ 'N' ^ 'd') & 0x0F)};
    EXPECT_EQ(sent, mNd);
}

} // namespace
} // namespace tarn
