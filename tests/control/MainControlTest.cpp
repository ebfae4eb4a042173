#include "control/MainControl.h"

#include "platform/GuardedPrompter.h"
#include "platform/MemoryProfileStore.h"
#include "platform/Platform.h"
#include "platform/QueuedPoster.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "support/FakePortServer.h"
#include "support/PseudoTerminal.h"
#include "support/TemporaryFolder.h"

#include "core/Messages.h"
#include "support/HandBuiltFrames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include <unistd.h>

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
    EXPECT_EQ(prompter.shown()[0].text, "Port COM7 does not exist!\n/nonexistent/ttyX");
    EXPECT_EQ(prompter.shown()[0].title, "");
    EXPECT_FALSE(control.isBusy());
    EXPECT_FALSE(control.serialPort().isOpen());
    poster.runPending();
    EXPECT_EQ(prompter.shown().size(), 1u);

    // The Setup dialog's reopen says it in its own words.
    EXPECT_FALSE(control.reopenSerialPort());
    EXPECT_EQ(prompter.texts().back(), "Port not found\n/nonexistent/ttyX");
}

TEST_F(MainControlStartUp, repairedSettingsAreSaidOnceAndTheCameraIsSearchedFor)
{
    test::PseudoTerminal pty;
    ASSERT_TRUE(pty.isValid());
    profile.writeInt("Setup", "CommPort", 7);
    profile.writeInt("Setup", "RxType", 1000);
    MainControl control(platform, Settings::load(profile), [&](int) { return pty.slavePath(); });
    control.initialise();
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].text,
              "Some settings were outside their lists and were replaced by their defaults:\n"
              "CommPort=7 is now 0\nRxType=1000 is now 1");
    // Serial link, an "AlderSD": the search starts with the link frame.
    clock.advance(5);
    EXPECT_EQ(pty.receive(6, std::chrono::milliseconds(300)),
              (std::vector<std::uint8_t>{0x7E, 0x01, 0x00, 0x00, 0x41, 0x7E}));
}

TEST_F(MainControlStartUp, exitPathOpensNoBoxWhateverFails)
{
    std::string logged;
    GuardedPrompter guarded(prompter, [&](std::string_view line) { logged += line; });
    Platform guardedPlatform{clock, guarded, profile, poster, sockets};
    Settings settings; // an "AlderSD": it is given "mNd" at exit
    MainControl control(guardedPlatform, settings, [](int) { return std::string("/nonexistent/ttyX"); });
    control.setExitStarting([&] { guarded.beginClosing(); });
    control.initialise();
    prompter.clear();
    control.link().state().address = 9000; // the exit command is refused

    control.exit();
    clock.advance(10000);
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(logged, "tarn-console: Exceeding Camera Address Range\n");
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
    control.link().SendCommand("mtS"); // a dialog's pump, still running
    clock.advance(10000); // the wait: polls, the queue and the search stay quiet
    const auto sent = pty.receive(64, std::chrono::milliseconds(300));
    const std::vector<std::uint8_t> mNd = {0xF8, 0x01, 'm', 'N', 'd', 0x80 | ((0x01 ^ 'm' ^ 'N' ^ 'd') & 0x0F)};
    EXPECT_EQ(sent, mNd);
}

TEST_F(MainControlStartUp, aHeldLensButtonAndAMovingPadAreStoppedBeforeTheLastCommand)
{
    test::PseudoTerminal pty;
    ASSERT_TRUE(pty.isValid());
    Settings settings; // an "AlderSD": it is given "mNd" at exit
    settings.camType = 1;
    MainControl control(platform, settings, [&](int) { return pty.slavePath(); });
    control.initialise();
    control.panel().lensPressed(LensButton::ZoomIn);
    control.panel().ptCommand("PR20TS");
    clock.advance(1000);
    (void)pty.receive(256, std::chrono::milliseconds(100));

    control.exit();
    // The widgets let go only after the exit path: nothing more then.
    control.panel().lensReleased();
    control.panel().ptCommand(MainPanel::PadStop);
    clock.advance(10000);
    std::vector<std::uint8_t> expected = test::handBuiltFrame(0x01, "ZS");
    for (const char* text : {"PSTS", "mNd"}) {
        const std::vector<std::uint8_t> frame = test::handBuiltFrame(0x01, text);
        expected.insert(expected.end(), frame.begin(), frame.end());
    }
    EXPECT_EQ(pty.receive(64, std::chrono::milliseconds(300)), expected);
}

TEST_F(MainControlStartUp, aSwitchOnTheSameLineStopsTheCameraLeftThenChangesOnlyTheAddress)
{
    test::PseudoTerminal pty;
    ASSERT_TRUE(pty.isValid());
    Settings settings;
    settings.camType = 1;
    MainControl control(platform, settings, [&](int) { return pty.slavePath(); });
    control.initialise();
    control.link().state().address = 5;
    control.panel().lensPressed(LensButton::ZoomIn);
    clock.advance(1000);
    (void)pty.receive(256, std::chrono::milliseconds(100));
    std::vector<int> told;
    control.setAddressChanged([&](int address) { told.push_back(address); });

    SiteCamera chosen = control.currentCamera();
    EXPECT_EQ(chosen.link, "COM1");
    EXPECT_EQ(chosen.address, 5);
    chosen.name = "Lobby";
    chosen.address = 7;
    ASSERT_TRUE(control.switchToCamera(chosen));
    EXPECT_EQ(control.link().state().address, 7);
    EXPECT_EQ(told, std::vector<int>{7});
    EXPECT_TRUE(control.serialPort().isOpen()); // not reopened: same port, same rate
    // The zoom's stop to dome 5, then the new dome's status within 50 ms.
    clock.advance(50);
    std::vector<std::uint8_t> expected = test::handBuiltFrame(0x05, "ZS");
    const std::vector<std::uint8_t> status = test::handBuiltFrame(0x07, "L?");
    expected.insert(expected.end(), status.begin(), status.end());
    // (The search for a camera that never answered goes on behind them.)
    auto sent = pty.receive(expected.size(), std::chrono::milliseconds(300));
    sent.resize(std::min(sent.size(), expected.size()));
    EXPECT_EQ(sent, expected);
    control.panel().lensReleased(); // the widget lets go later: no second stop
    clock.advance(200);
    const auto later = pty.receive(64, std::chrono::milliseconds(50));
    const std::vector<std::uint8_t> secondStop = test::handBuiltFrame(0x07, "ZS");
    EXPECT_EQ(std::search(later.begin(), later.end(), secondStop.begin(), secondStop.end()), later.end());
}

TEST_F(MainControlStartUp, aSwitchToALinkThatCannotBeUsedChangesNothing)
{
    MainControl control(platform, Settings{}, [](int) { return std::string("/nonexistent/ttyX"); });
    control.initialise();
    prompter.clear();
    const SiteCamera before = control.currentCamera();
    for (const char* link : {"/dev/not-a-port-here", "nonsense", "COM0"}) {
        SCOPED_TRACE(link);
        SiteCamera chosen = before;
        chosen.name = "Gate";
        chosen.link = link;
        chosen.address = 9;
        EXPECT_FALSE(control.switchToCamera(chosen));
        EXPECT_EQ(control.currentCamera(), before);
    }
    ASSERT_EQ(prompter.shown().size(), 3u);
    EXPECT_EQ(prompter.shown()[0].text, "Camera \"Gate\" cannot be reached at /dev/not-a-port-here: it is not a COM "
                                        "port of the settings, a serial device that is present, or a port server.");
}

TEST_F(MainControlStartUp, setupShowsTheWorkingVideoStandardAndSwitchesTheLinkAsTheRadiosDo)
{
    profile.writeInt("Setup", "Video Type", 1); // stored 1, the run works with 0
    Settings settings;
    settings.rxType = 0;
    settings.commPort = 1; // a port server, while the serial port is not there
    MainControl control(platform, settings, [](int) { return std::string("/nonexistent/ttyX"); });
    control.initialise();
    SetupValues values = control.openingSetup();
    EXPECT_EQ(values.videoStandard, 0);
    EXPECT_FALSE(control.linkPaused());

    values.videoStandard = 1;
    values.linkMode = 0;
    control.acceptSetup(values, nullptr);
    EXPECT_EQ(control.openingSetup().videoStandard, 1);
    // The serial port it switched to is away: the queue waits at once and
    // the link line says why.
    EXPECT_TRUE(control.linkPaused());
    EXPECT_EQ(control.linkStatus(), control.serialPortWatch().statusText());
    EXPECT_FALSE(control.linkStatus().empty());
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
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Port not found\n/nonexistent/ttyX"});
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

// A stable device name, as a simulator's --link or /dev/serial/by-id gives
// one, pointing at whichever pty stands for the camera's line now.
class DeviceLink {
public:
    const std::string& path() const { return m_path; }
    void pointAt(const test::PseudoTerminal& pty)
    {
        ::unlink(m_path.c_str());
        ASSERT_EQ(0, ::symlink(pty.slavePath().c_str(), m_path.c_str()));
    }
    void remove() { ::unlink(m_path.c_str()); }

private:
    // The folder first: the link is made in it.
    test::TemporaryFolder m_directory;
    std::string m_path = m_directory.file("camera");
};

using Bytes = std::vector<std::uint8_t>;

bool contains(const Bytes& haystack, const Bytes& needle)
{
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

class PulledCable : public MainControlStartUp {
protected:
    DeviceLink device;
    std::unique_ptr<test::PseudoTerminal> line = std::make_unique<test::PseudoTerminal>();
    std::unique_ptr<MainControl> control;

    void start(Settings settings = dayNightDome())
    {
        control = std::make_unique<MainControl>(platform, settings, [this](int) { return device.path(); });
        control->initialise();
    }
    static Settings dayNightDome()
    {
        Settings settings;
        settings.rxType = 0; // AlderHD: no NTCIP, no question when the camera is not found
        settings.camType = 1;
        return settings;
    }
    // The worker tells of the loss from its own thread.
    void waitForLoss()
    {
        for (int i = 0; i < 100 && control->serialPortWatch().state() != SerialPortWatch::State::Lost; ++i)
            poster.waitAndRun(std::chrono::milliseconds(30));
        ASSERT_EQ(control->serialPortWatch().state(), SerialPortWatch::State::Lost);
    }
    void replug()
    {
        line = std::make_unique<test::PseudoTerminal>();
        ASSERT_TRUE(line->isValid());
        device.pointAt(*line);
    }
};

TEST_F(PulledCable, lostPortIsToldOnceEverythingWaitsAndItsReturnIsTakenUpByItself)
{
    device.pointAt(*line);
    start();
    control->panel().toggleStatusPolling();
    clock.advance(1100);
    EXPECT_TRUE(contains(line->receive(64, std::chrono::milliseconds(300)), test::handBuiltFrame(0x01, "L?")));

    line->closeMaster();
    ASSERT_NO_FATAL_FAILURE(waitForLoss());
    const std::string lost = "COM1 (" + device.path() + ") lost \u2013 waiting for it";
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].title, "Application Error");
    EXPECT_TRUE(prompter.shown()[0].text.starts_with("WARNING:  "));
    EXPECT_TRUE(prompter.shown()[0].text.ends_with("Port: 1\n" + device.path() + "\n\n" + lost));
    EXPECT_EQ(control->linkStatus(), lost);
    EXPECT_EQ(control->link().monitor().transmitLine(), " " + lost);

    // Polls, queued commands and the operator's buttons: nothing is tried.
    control->panel().lensPressed(LensButton::ZoomIn);
    control->panel().reset();
    EXPECT_TRUE(control->link().monitor().transmitLine().ends_with(Messages::NotSentMark));
    device.remove();
    clock.advance(10000);
    poster.runPending();
    EXPECT_EQ(prompter.shown().size(), 1u);
    EXPECT_TRUE(control->linkPaused());
    EXPECT_FALSE(control->link().queue().empty());
    EXPECT_TRUE(control->panel().statusPolling()); // still chosen, waiting

    replug();
    clock.advance(SerialPortWatch::CheckIntervalMs);
    EXPECT_EQ(control->linkStatus(), "COM1 (" + device.path() + ") reconnected");
    EXPECT_FALSE(control->linkPaused());
    // The queue goes on where it stopped, then the polls.
    clock.advance(1200);
    const Bytes sent = line->receive(64, std::chrono::milliseconds(300));
    EXPECT_TRUE(contains(sent, test::handBuiltFrame(0x01, "cZ0")));
    EXPECT_TRUE(contains(sent, test::handBuiltFrame(0x01, "L?")) || contains(sent, test::handBuiltFrame(0x01, "cDS")));
    EXPECT_EQ(prompter.shown().size(), 1u);
}

TEST_F(PulledCable, portMissingAtStartIsWaitedForAndTheSearchBeginsWhenItComes)
{
    Settings settings; // an "AlderSD": not finding it would end in a question
    start(settings);
    ASSERT_EQ(prompter.texts(), std::vector<std::string>{"Port COM1 does not exist!\n" + device.path()});
    EXPECT_EQ(control->linkStatus(), "COM1 (" + device.path() + ") not found \u2013 waiting for it");
    clock.advance(30000);
    EXPECT_EQ(prompter.shown().size(), 1u);

    replug();
    clock.advance(SerialPortWatch::CheckIntervalMs + 10);
    EXPECT_EQ(control->linkStatus(), "COM1 (" + device.path() + ") reconnected");
    EXPECT_EQ(line->receive(6, std::chrono::milliseconds(300)), (Bytes{0x7E, 0x01, 0x00, 0x00, 0x41, 0x7E}));
}

TEST_F(PulledCable, portHeldByAnotherProgramSaysSo)
{
    device.pointAt(*line);
    SerialPort other(poster, prompter, [this](int) { return device.path(); });
    ASSERT_EQ(1, other.open(nullptr, 1, 9600, 'N', 8, 1, 0, 16));
    start();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Port COM1 is in use by another program!\n" + device.path()});
    EXPECT_EQ(control->linkStatus(),
              "COM1 (" + device.path() + ") in use by another program \u2013 waiting for it");
    other.close();
    clock.advance(SerialPortWatch::CheckIntervalMs);
    EXPECT_FALSE(control->serialPortWatch().isAway());
}

// A long RS-485 run picks up noise: it must not move the console to another
// camera, nor write into its settings beyond what intact frames say.
TEST_F(PulledCable, noiseOnTheLineLeavesTheCameraAndItsAddressAlone)
{
    device.pointAt(*line);
    Settings settings; // an "AlderSD", given its NTCIP mode back at exit
    start(settings);
    clock.advance(3000); // link frames, then the probe
    for (const std::uint8_t byte : test::handBuiltFrame(0x05, "A0005"))
        control->serialByteReceived(byte, 1);
    ASSERT_EQ(control->panel().address(), 5);
    // A forged address reply with a wrong checksum, over the real line and its
    // worker. The console's last writes are out first: each discards unread input.
    (void)line->receive(4096, std::chrono::milliseconds(300));
    ASSERT_TRUE(line->send({0xF8, 0x09, 0x41, 0x30, 0x30, 0x30, 0x37, 0x80}));
    const auto rejected = [this] {
        const TrafficRecord& record = control->traffic();
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (record.at(i).direction == TrafficDirection::Received
                && record.at(i).verdict == TrafficVerdict::BadChecksum)
                return true;
        }
        return false;
    };
    // The virtual clock stands still until the worker has passed every byte on:
    // nothing is sent meanwhile, so nothing discards them unread.
    int delivered = 0;
    for (int i = 0; i < 200 && delivered == 0; ++i)
        delivered = poster.waitAndRun(std::chrono::milliseconds(30));
    while (poster.waitAndRun(std::chrono::milliseconds(100)) > 0) {
    }
    clock.advance(25); // a frame that does not check waits 20 ms for a late checksum
    EXPECT_TRUE(rejected());
    EXPECT_EQ(control->panel().address(), 5);
    control->panel().toggleStatusPolling();
    clock.advance(5000);
    const int writesBefore = profile.writeCount();

    std::mt19937 noise(20240611);
    for (int kilobyte = 0; kilobyte < 1024; ++kilobyte) {
        for (int i = 0; i < 1024; ++i)
            control->serialByteReceived(static_cast<std::uint8_t>(noise()), 1);
        clock.advance(10);
    }
    EXPECT_EQ(control->panel().address(), 5);
    EXPECT_EQ(control->link().state().address, 5);
    EXPECT_EQ(profile.writeCount(), writesBefore) << "no preset name, no status field";

    (void)line->receive(4096, std::chrono::milliseconds(200));
    control->exit();
    const Bytes exitCommand = line->receive(6, std::chrono::milliseconds(300));
    ASSERT_EQ(exitCommand.size(), 6u);
    EXPECT_EQ(exitCommand[1], 0x05) << "the exit command goes to the camera found";
}

} // namespace
} // namespace tarn
