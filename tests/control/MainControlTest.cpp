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

TEST_F(MainControlStartUp, setupOkWritesItsKeysAndReopensThePortOnlyOnAChange)
{
    test::PseudoTerminal pty;
    ASSERT_TRUE(pty.isValid());
    Settings settings;
    settings.rxType = 0;
    settings.camType = 1;
    settings.port = 3;
    std::vector<int> opened;
    MainControl control(platform, settings, [&](int port) {
        opened.push_back(port);
        return port == 9 ? std::string("/nonexistent/ttyX") : pty.slavePath();
    });
    control.initialise();
    const int writesAtStart = profile.writeCount();

    SetupValues values = control.openingSetup();
    EXPECT_EQ(values.portNumber, 3);
    values.cameraType = 6; // no camera model: protocol and video type stay as they are
    values.background = 2;
    values.ptType = 2;
    values.maxPanSpeed = 10;
    values.cameraProtocol = 2;
    control.acceptSetup(values, nullptr);
    EXPECT_EQ(opened, std::vector<int>{3});
    for (const auto& [key, value] : std::vector<std::pair<const char*, int>>{
             {"PTImage", 2}, {"RxType", 6}, {"CamType", 1}, {"PTType", 2}, {"Mode", 1}, {"PSpeed", 63}, {"TSpeed", 63}})
        EXPECT_EQ(profile.readInt("Setup", key, -1), value) << key;
    for (const char* key : {"Port", "Port Index", "Baud", "CommPort", "Comm. Protocol", "Video Type"})
        EXPECT_FALSE(profile.contains("Setup", key)) << key;
    EXPECT_EQ(profile.writeCount() - writesAtStart, 7);
    EXPECT_EQ(control.panel().enabling(), PanelEnabling::forCameraType(6));
    EXPECT_EQ(control.panel().ptType(), 2);

    // A maker's camera takes the protocol; a new rate reopens the port.
    values.cameraType = 0;
    values.baudIndex = 6;
    values.videoStandard = 1;
    control.acceptSetup(values, nullptr);
    EXPECT_EQ(opened, (std::vector<int>{3, 3}));
    EXPECT_EQ(profile.readInt("Setup", "Baud", -1), 6);
    EXPECT_EQ(profile.readInt("Setup", "Comm. Protocol", -1), 2);
    EXPECT_EQ(profile.readInt("Setup", "Video Type", -1), 1);
    EXPECT_EQ(control.link().state().protocolIndex, 2);

    // A port that cannot be opened is reported once.
    values.portNumber = 9;
    values.portIndex = 1;
    control.acceptSetup(values, nullptr);
    EXPECT_EQ(opened, (std::vector<int>{3, 3, 9}));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Port not found"});
    EXPECT_EQ(profile.readInt("Setup", "Port", -1), 9);
    EXPECT_EQ(profile.readInt("Setup", "Port Index", -1), 1);
}

TEST_F(MainControlStartUp, afterSetupTheCameraKeepsItsAddressWhileTheRangeHoldsIt)
{
    Settings settings;
    settings.rxType = 0;
    MainControl control(platform, settings, [](int) { return std::string("/nonexistent/ttyX"); });
    control.initialise();
    prompter.clear();
    LinkState& state = control.link().state();
    struct Row {
        int protocol;
        int address;
        int after;
    };
    const Row rows[] = {{1, 5, 5}, {3, 5, 5}, {3, 100, 0}, {0, 300, 300}};
    for (const Row& row : rows) {
        state.protocolIndex = row.protocol;
        state.address = row.address;
        control.setupClosed();
        EXPECT_EQ(state.address, row.after) << row.protocol << " " << row.address;
    }
}

} // namespace
} // namespace tarn
