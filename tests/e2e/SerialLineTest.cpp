// The console core against tarn-camsim over a real pseudo-terminal.

#include "SimulatorLine.h"

#include "core/Settings.h"

#include <filesystem>

namespace tarn::e2e {
namespace {

using namespace std::chrono_literals;

const Bytes BroadcastProbe = {0xF8, 0xFF, 0x41, 0x3F, 0x81};
const Bytes Ack = {0x06};

class SerialLine : public SimulatorLine {};

TEST_F(SerialLine, BroadcastProbeFindsTheCameraAddress)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty({"--address", "37"}));
    console->state().broadcastNext = true;
    console->link().SendCommand("A?");

    ASSERT_TRUE(console->runUntil([&] { return !console->events().connections.empty(); }));
    EXPECT_EQ(console->events().connections, std::vector<int>{37});
    EXPECT_EQ(console->state().address, 37);
    EXPECT_EQ(console->responseTimeouts(), 0);
    EXPECT_EQ(received(), std::vector<Bytes>{BroadcastProbe});
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0xF8, 0x25, 0x41, 0x30, 0x30, 0x33, 0x37, 0x80}}));
}

TEST_F(SerialLine, AcknowledgementsMoveTheQueueOn)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty());
    for (const char* command : {"LL", "ZI", "ZS", "PRTS", "PSTS", "L?"})
        console->link().enqueue(command);

    ASSERT_TRUE(console->runUntil(
        [&] { return console->settled() && console->events().statusReplies.size() == 1; }));
    EXPECT_EQ(console->responseTimeouts(), 0) << "every command was answered in time";
    // "LL" switched lens fast on: bit 2 of the status byte.
    EXPECT_EQ(console->events().statusReplies[0], (Bytes{0xF8, 0x01, 0x4C, 0x46, 0x41, 0x30, 0x8A}));
    EXPECT_EQ(sent(), (std::vector<Bytes>{Ack, Ack, Ack, Ack, Ack, console->events().statusReplies[0]}));
    ASSERT_EQ(received().size(), 6u);
    EXPECT_EQ(received()[3], (Bytes{0xF8, 0x01, 0x50, 0x52, 0x54, 0x53, 0x84}));
    EXPECT_TRUE(console->prompter().shown().empty());
}

TEST_F(SerialLine, DayNightStatusAndPositionReachThePanel)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty({"--module", "daynight", "--protocol", "3"}));
    console->state().moduleType = 1;
    for (const char* command : {"L1", "cp01230456", "cDS", "cPS"})
        console->link().enqueue(command);

    ASSERT_TRUE(console->runUntil([&] {
        return console->events().fields.size() == 1 && console->events().positions.size() == 1;
    }));
    const StatusFields& fields = console->events().fields[0];
    EXPECT_TRUE(fields.dayNightForm);
    EXPECT_EQ(fields.lens, 0x42) << "camera power only";
    EXPECT_EQ(fields.autoFocus, '1') << "manual focus, switched on by L1";
    EXPECT_EQ(console->events().positions[0], (std::pair<int, int>{123, 456}));
    // The protocol digit of the status reply became the console's protocol.
    EXPECT_EQ(console->state().protocolIndex, 3);
    EXPECT_EQ(console->profile().readInt(SettingsSection::Setup, SettingsKey::CommProtocol, -1), 3);
}

TEST_F(SerialLine, ServesAgainAfterThePortIsReopened)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty());
    console->link().enqueue("L?");
    ASSERT_TRUE(console->runUntil([&] { return console->events().statusReplies.size() == 1; }));

    ASSERT_TRUE(console->openSerial(simulator->where()));
    console->link().enqueue("L?");
    ASSERT_TRUE(console->runUntil([&] { return console->events().statusReplies.size() == 2; }));
    EXPECT_EQ(console->events().statusReplies[1], (Bytes{0xF8, 0x01, 0x4C, 0x42, 0x41, 0x30, 0x8E}));
    EXPECT_TRUE(console->prompter().shown().empty());
}

TEST_F(SerialLine, StxRepliesAndCameraFrames)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty({"--stx"}));
    console->state().frameMode = 0;
    console->state().broadcastNext = true;
    console->link().SendCommand("A?");
    ASSERT_TRUE(console->runUntil([&] { return console->events().connections.size() == 1; }));

    // A camera frame carries 03 after its checksum in STX mode.
    console->link().SendCameraCommand("PS");
    ASSERT_TRUE(console->runUntil([&] { return console->events().positions.size() == 1; }));
    EXPECT_EQ(sent().at(0), (Bytes{0x02, 0x01, 0x41, 0x30, 0x30, 0x30, 0x31, 0x81, 0x03}));
    EXPECT_EQ(console->responseTimeouts(), 0);
}

TEST_F(SerialLine, NtcipCameraAnswersOnlyTheLinkFrameUntilReleased)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty({"--ntcip", "--address", "12", "--model", "AlderSD"}));
    const Bytes linkFrame = {0x7E, 0x01, 0x00, 0x00, 0x41, 0x7E};
    // As the connection sequence does: the handshake flag is up while the
    // link frame waits for its answer.
    console->state().handshake = true;
    console->link().SendRawBytes(linkFrame);
    ASSERT_TRUE(console->runUntil([&] { return console->events().connections.size() == 1; }));
    EXPECT_EQ(console->events().connections[0], 12);

    console->state().handshake = false;
    console->state().broadcastNext = true;
    console->link().SendCommand("A?");
    ASSERT_TRUE(console->runUntil([&] { return console->responseTimeouts() == 1; }))
        << "the probe goes unanswered in NTCIP mode";

    console->link().enqueue("mNd");
    ASSERT_TRUE(console->runUntil([&] { return console->settled(); }));
    console->state().broadcastNext = true;
    console->link().SendCommand("A?");
    ASSERT_TRUE(console->runUntil([&] { return console->events().connections.size() == 2; }));

    const auto lines = log.lines("rx");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].bytes, linkFrame);
    EXPECT_EQ(lines[1].bytes, BroadcastProbe);
    EXPECT_EQ(lines[1].note, "ignored in NTCIP mode");
    EXPECT_EQ(lines[3].note, "");
}

struct JavelinModel {
    const char* model;
    int length;
};

// Test failures name the case rather than dump its bytes.
void PrintTo(const JavelinModel& value, std::ostream* out)
{
    *out << value.model;
}

class JavelinStatus : public SimulatorLine, public ::testing::WithParamInterface<JavelinModel> {};

TEST_P(JavelinStatus, StatusFrameReachesThePanel)
{
    ASSERT_NO_FATAL_FAILURE(startOnPty({"--address", "5", "--model", GetParam().model}));
    console->state().protocolIndex = 4;
    console->state().address = 5;
    const std::uint8_t manualFocusToggle[] = {0xFF, 0x06, 0x07, 0x06, 0x01, 0x01, 0x10, 0xFF};
    const std::uint8_t statusRequest[] = {0xFF, 0x06, 0x07, 0x03, 0x01, 0x01, 0x00, 0xFF};
    console->link().enqueue(manualFocusToggle);
    console->link().enqueue(statusRequest);

    ASSERT_TRUE(console->runUntil([&] { return !console->events().javelin.empty(); }));
    EXPECT_EQ(console->events().javelin[0], (std::pair<int, int>{GetParam().length, 0x50}))
        << "manual focus (bit 4) and camera power (bit 6)";
    EXPECT_EQ(received().at(1), (Bytes{0xFF, 0x06, 0x07, 0x03, 0x00, 0x05, 0x00, 0xEB}));
}

INSTANTIATE_TEST_SUITE_P(Models, JavelinStatus,
                         ::testing::Values(JavelinModel{"AlderHD", 8}, JavelinModel{"BirchSD", 10}),
                         [](const auto& info) { return std::string(info.param.model); });

class Shutdown : public ::testing::TestWithParam<int> {};

TEST_P(Shutdown, EndsCleanlyAndRemovesItsLink)
{
    TempDirectory directory;
    const std::string link = directory.file("camera");
    CamSimProcess simulator({"--pty", "--link", link});
    ASSERT_TRUE(simulator.started());
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), simulator.where());
    EXPECT_EQ(simulator.stop(GetParam()), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

INSTANTIATE_TEST_SUITE_P(Signals, Shutdown, ::testing::Values(SIGTERM, SIGINT),
                         [](const auto& info) { return info.param == SIGTERM ? "Term" : "Interrupt"; });

} // namespace
} // namespace tarn::e2e
