#include "core/Messages.h"
#include "link/FrameBuilder.h"
#include "platform/TimerIds.h"
#include "support/LinkFixture.h"

#include <algorithm>

namespace tarn::test {
namespace {

class SendOperations : public LinkFixture {};

TEST_F(SendOperations, tarnFramesMatchTheGoldenBytes)
{
    struct Row {
        int protocol;
        int address;
        bool broadcastNext;
        std::string command;
        Bytes expected;
    };
    const Row rows[] = {
        {1, 1, false, "A?", {0xF8, 0x01, 0x41, 0x3F, 0x8F}},
        {1, 1000, false, "A?", {0xF8, 0xFE, 0x31, 0x30, 0x30, 0x30, 0x41, 0x3F, 0x81}},
        {1, 1, true, "cDS", {0xF8, 0xFF, 0x63, 0x44, 0x53, 0x8B}},
        {1, 1, true, "A?", {0xF8, 0xFF, 0x41, 0x3F, 0x81}},
        {1, 223, false, "A?", {0xF8, 0xDF, 0x41, 0x3F, 0x80 | ((0xDF ^ 0x41 ^ 0x3F) & 0x0F)}},
        // 255 is the broadcast byte even with the flag clear.
        {1, 255, false, "A?", {0xF8, 0xFF, 0x41, 0x3F, 0x81}},
        // Address 0 goes out as 1; the current address stays 0.
        {1, 0, false, "A?", {0xF8, 0x01, 0x41, 0x3F, 0x8F}},
        {3, 300, false, "L?", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.address);
        serial.writes.clear();
        link.state().protocolIndex = row.protocol;
        link.state().address = row.address;
        link.state().broadcastNext = row.broadcastNext;
        link.SendCommand(row.command);
        if (!row.expected.empty()) {
            EXPECT_EQ(serial.last(), row.expected);
        }
        EXPECT_FALSE(link.state().broadcastNext);
        EXPECT_EQ(link.state().address, row.address);
    }
}

TEST_F(SendOperations, extendedAddressDigits)
{
    struct Row {
        int protocol;
        int address;
        std::string digits; // after FE
    };
    const Row rows[] = {
        {1, 224, "0224"}, {3, 300, "0300"}, {5, 16384, "16384"}, {5, 224, "00224"},
        // Above 9999 with four digits the thousands place goes past '9'.
        {0, 16384, "@384"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.address);
        link.state().protocolIndex = row.protocol;
        link.state().address = row.address;
        link.SendCommand("A?");
        const Bytes frame = serial.last();
        ASSERT_GE(frame.size(), 2 + row.digits.size());
        EXPECT_EQ(frame[1], 0xFE);
        EXPECT_EQ(std::string(frame.begin() + 2, frame.begin() + 2 + row.digits.size()), row.digits);
        std::uint8_t sum = 0;
        for (std::size_t i = 1; i + 1 < frame.size(); ++i)
            sum ^= frame[i];
        EXPECT_EQ(frame.back(), 0x80 | (sum & 0x0F));
    }
}

TEST_F(SendOperations, addressRefusalsShowTheProtocolsMessageAndSendNothing)
{
    struct Row {
        int protocol;
        int address;
        const char* sendCommandMessage;  // nullptr: sent
        const char* cameraCommandMessage;
    };
    const Row rows[] = {
        {1, 8191, nullptr, nullptr},
        {1, 8192, "Exceeding Camera Address Range", "Exceeding Camera Address Range"},
        {2, 254, nullptr, nullptr},
        {2, 255, "Exceeding Camera Address Range of 254", "Exceeding Camera Address Range"},
        {3, 32, nullptr, nullptr},
        {3, 100, "Exceeding Camera Address Range of 32, use broadcast address 255",
         "Exceeding Camera Address Range"},
        {3, 255, nullptr, nullptr},
        {3, 300, nullptr, nullptr},
        {4, 8191, nullptr, nullptr},
        {4, 8192, "Exceeding Camera Address Range of 999", "Exceeding Camera Address Range"},
        {5, 16384, nullptr, nullptr},
        {5, 16385, "Exceeding Camera Address Range of 16384", "Exceeding Camera Address Range of 16384"},
        {6, 256, "Exceeding Camera Address Range of 255", "Exceeding Camera Address Range of 255"},
        {7, 256, "Exceeding Camera Address Range of 255", "Exceeding Camera Address Range of 255"},
        {8, 99, nullptr, nullptr},
        {8, 100, "Exceeding Camera Address Range of 99", "Exceeding Camera Address Range of 99"},
        {0, 16384, nullptr, nullptr},
        {9, 16000, nullptr, nullptr},
        {10, 16000, nullptr, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "protocol " << row.protocol << " address " << row.address);
        link.state().protocolIndex = row.protocol;
        link.state().address = row.address;
        for (const bool camera : {false, true}) {
            serial.writes.clear();
            prompter.clear();
            clock.stop(link, TimerId::ResponseTimeout);
            if (camera)
                link.SendCameraCommand("DS");
            else
                link.SendCommand("L?");
            const char* message = camera ? row.cameraCommandMessage : row.sendCommandMessage;
            if (message) {
                ASSERT_EQ(prompter.shown().size(), 1u);
                EXPECT_EQ(prompter.shown()[0].text, message);
                EXPECT_EQ(prompter.shown()[0].title, "");
                EXPECT_TRUE(serial.writes.empty());
                EXPECT_FALSE(clock.isRunning(link, TimerId::ResponseTimeout));
            } else {
                EXPECT_TRUE(prompter.shown().empty());
                EXPECT_EQ(serial.writes.size(), 1u);
                EXPECT_EQ(clock.remainingMs(link, TimerId::ResponseTimeout), 100);
            }
        }
    }
}

TEST_F(SendOperations, busyRefusesAllThreeSilently)
{
    link.state().busy = true;
    link.SendCommand("A?");
    link.SendCameraCommand("DS");
    const Bytes linkFrame = {0x7E, 0x01, 0x00, 0x00, 0x41, 0x7E};
    link.SendRawBytes(linkFrame);
    EXPECT_TRUE(serial.writes.empty());
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(link.monitor().transmitLine(), " Transmit data");
}

TEST_F(SendOperations, aRefusedBroadcastDoesNotFallToTheNextCommand)
{
    // The probe "A?" refused while the line is not ready, locked, or the
    // address out of the protocol's range: the next command goes to the
    // one camera, not to every dome on the line.
    struct Row {
        const char* name;
        bool busy;
        bool sendLock;
        int address;
        bool camera; // SendCameraCommand, else SendCommand
    };
    const Row rows[] = {
        {"busy", true, false, 5, false},
        {"locked", false, true, 5, false},
        {"address out of range", false, false, 8192, false},
        {"busy, camera command", true, false, 5, true},
        {"address out of range, camera command", false, false, 8192, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        serial.writes.clear();
        link.state().busy = row.busy;
        link.state().sendLock = row.sendLock;
        link.state().address = row.address;
        link.state().broadcastNext = true;
        if (row.camera)
            link.SendCameraCommand("DS");
        else
            link.SendCommand("A?");
        EXPECT_TRUE(serial.writes.empty());
        EXPECT_FALSE(link.state().broadcastNext);

        link.state().busy = false;
        link.state().sendLock = false;
        link.state().address = 5;
        link.SendCommand("L?");
        ASSERT_EQ(serial.writes.size(), 1u);
        EXPECT_EQ(serial.last()[1], 0x05) << "addressed, not broadcast";
    }
}

TEST_F(SendOperations, thermalCommandLocksSendCommandButNotSendCameraCommand)
{
    link.SendCommand("tPe1");
    ASSERT_EQ(serial.writes.size(), 1u);
    EXPECT_TRUE(link.state().sendLock);
    link.SendCommand("L?");
    EXPECT_EQ(serial.writes.size(), 1u);
    EXPECT_TRUE(prompter.shown().empty());
    link.SendCameraCommand("DS");
    ASSERT_EQ(serial.writes.size(), 2u);
    EXPECT_EQ(serial.last()[2], 'c');
}

TEST_F(SendOperations, vCommandsAreCutToSevenCharactersInTheCallersBuffer)
{
    std::string command = "v0:000012";
    std::vector<std::uint8_t> buffer(command.begin(), command.end());
    buffer.push_back(0);
    link.SendCommand(std::span(buffer));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data())), "v0:0000");
    const Bytes frame = serial.last();
    EXPECT_EQ(std::string(frame.begin() + 2, frame.end() - 1), "v0:0000");
    // Other commands keep their length.
    link.SendCommand("cp00050900");
    EXPECT_EQ(serial.last().size(), 2 + 10 + 1u);
}

TEST_F(SendOperations, cameraFrameInsertsTheLetterCAndEndsWithEtxInStxMode)
{
    link.state().address = 300; // low 8 bits only, no extended form
    link.SendCameraCommand("DS");
    const std::uint8_t check = 0x80 | ((0x2C ^ 'c' ^ 'D' ^ 'S') & 0x0F);
    EXPECT_EQ(serial.last(), (Bytes{0xF8, 0x2C, 'c', 'D', 'S', check}));

    link.state().frameMode = 0;
    link.state().broadcastNext = true;
    link.SendCameraCommand("DS");
    EXPECT_EQ(serial.last(), (Bytes{0xF8, 0xFF, 'c', 'D', 'S', 0x8B, 0x03}));
    EXPECT_FALSE(link.state().broadcastNext);
}

TEST_F(SendOperations, passThroughFrameTakesTheAddressAndATwosComplementChecksum)
{
    link.state().address = 5;
    link.state().protocolIndex = 4;
    Bytes caller = {0xFF, 0x06, 0x07, 0x03, 0x01, 0x01, 0x00, 0x00};
    link.SendCommand(std::span(caller));
    EXPECT_EQ(serial.last(), (Bytes{0xFF, 0x06, 0x07, 0x03, 0x00, 0x05, 0x00, 0xEB}));
    EXPECT_EQ(caller[4], 0x00);
    EXPECT_EQ(caller[5], 0x05);
    EXPECT_FALSE(link.state().framedSend);
    EXPECT_TRUE(link.queue().dataReplyDone);
    // The queue's pump starts the time-out, not the send.
    EXPECT_FALSE(clock.isRunning(link, TimerId::ResponseTimeout));
    EXPECT_EQ(link.monitor().transmitLine(), " FF  06  07  03  00  05  00  EB ");
}

TEST_F(SendOperations, passThroughFrameGoesOverTheNetworkWhenThatIsTheLink)
{
    link.state().linkMode = 1;
    link.state().portServerPort = 1234;
    link.setNetworkTransport(&network);
    Bytes caller = {0xFF, 0x06, 0x07, 0x03, 0x01, 0x01, 0x00, 0x00};
    link.SendCommand(std::span(caller));
    EXPECT_TRUE(serial.writes.empty());
    // No length header: that belongs to Tarn frames.
    ASSERT_EQ(network.writes.size(), 1u);
    EXPECT_EQ(network.last().size(), 8u);
}

TEST_F(SendOperations, shortPassThroughBufferIsNeverReadPastItsEnd)
{
    Bytes caller = {0xFF, 0x20};
    link.SendCommand(std::span(caller));
    const Bytes frame = serial.last();
    ASSERT_EQ(frame.size(), 0x22u);
    EXPECT_EQ(frame[0x21], static_cast<std::uint8_t>(-0x20));
}

TEST_F(SendOperations, portServerGetsTheLengthHeaderOnlyOnPort1234AndOnlyForSendCommand)
{
    link.state().linkMode = 1;
    link.setNetworkTransport(&network);
    link.state().portServerPort = 1234;
    link.SendCommand("A?");
    link.SendCameraCommand("DS");
    link.state().portServerPort = 1233;
    link.SendCommand("A?");
    ASSERT_EQ(network.writes.size(), 4u);
    EXPECT_EQ(network.writes[0], (Bytes{0, 0, 0, 5}));
    EXPECT_EQ(network.writes[1], (Bytes{0xF8, 0x01, 0x41, 0x3F, 0x8F}));
    EXPECT_EQ(network.writes[2].size(), 6u);
    EXPECT_EQ(network.writes[3], (Bytes{0xF8, 0x01, 0x41, 0x3F, 0x8F}));
    EXPECT_TRUE(serial.writes.empty());
}

// Counts what the traffic record would get, by kind.
struct TrafficKinds : TrafficObserver {
    std::vector<TrafficKind> kinds;
    void traffic(const TrafficEvent& event) override { kinds.push_back(event.kind); }
    void replyRouted(ReplyDestination) override {}
    long count(TrafficKind kind) const { return std::count(kinds.begin(), kinds.end(), kind); }
};

TEST_F(SendOperations, aFrameThatCannotLeaveIsShownOnceAndNoAnswerIsWaitedFor)
{
    TrafficKinds record;
    link.setTrafficObserver(&record);
    link.state().linkMode = 1; // network, without a socket
    link.SendCommand("A?");
    EXPECT_TRUE(serial.writes.empty());
    EXPECT_EQ(link.monitor().transmitLine(), " F8 01 A? 8F" + std::string(Messages::NotSentMark));
    EXPECT_FALSE(clock.isRunning(link, TimerId::ResponseTimeout));

    // Queued: each goes by as not sent, the queue does not wait on them.
    link.enqueue("L?");
    link.enqueue("cDS");
    link.SendCameraCommand("PS");
    clock.advance(1000);
    EXPECT_TRUE(link.queue().empty());
    EXPECT_TRUE(link.queue().queueReady);
    EXPECT_EQ(record.count(TrafficKind::TimeOut), 0);
    EXPECT_EQ(record.count(TrafficKind::Tarn) + record.count(TrafficKind::Camera), 4);
    link.setTrafficObserver(nullptr);
}

TEST_F(SendOperations, rawBytesGoToTheSerialPortOnly)
{
    const Bytes linkFrame = {0x7E, 0x01, 0x00, 0x00, 0x41, 0x7E};
    link.SendRawBytes(linkFrame);
    EXPECT_EQ(serial.last(), linkFrame);
    EXPECT_FALSE(clock.isRunning(link, TimerId::ResponseTimeout));
    EXPECT_EQ(link.monitor().transmitLine(), " Transmit data");

    link.state().linkMode = 1;
    link.setNetworkTransport(&network);
    link.SendRawBytes(linkFrame);
    EXPECT_TRUE(network.writes.empty());
    EXPECT_EQ(serial.writes.size(), 1u);
}

TEST(FrameBuilder, checksumAlwaysHasBitSevenSet)
{
    for (int value = 0; value < 256; ++value) {
        const std::uint8_t byte = static_cast<std::uint8_t>(value);
        const std::uint8_t check = FrameBuilder::checksum(std::span(&byte, 1));
        EXPECT_GE(check, 0x80);
        EXPECT_LE(check, 0x8F);
    }
}

TEST(FrameBuilder, overlongCommandsStillFitTheFrameBuffer)
{
    const std::string longCommand(200, 'x');
    const Frame frame = FrameBuilder::tarnFrame(12345, false, 5, longCommand);
    EXPECT_EQ(frame.size, 1 + 1 + 5 + FrameBuilder::MaxCommandLength + 1);
}

} // namespace
} // namespace tarn::test
