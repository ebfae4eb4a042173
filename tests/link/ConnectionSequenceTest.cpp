#include "link/ConnectionSequence.h"
#include "core/Settings.h"
#include "platform/TimerIds.h"
#include "support/LinkFixture.h"

namespace tarn::test {
namespace {

const Bytes LinkFrame = {0x7E, 0x01, 0x00, 0x00, 0x41, 0x7E};
const Bytes Probe = {0xF8, 0xFF, 0x41, 0x3F, 0x81};

// What crossed the line, with the virtual time it went out.
struct TimedTransport : ByteTransport {
    VirtualClock& clock;
    std::vector<std::pair<std::int64_t, Bytes>> writes;
    bool away = false;
    explicit TimedTransport(VirtualClock& c) : clock(c) {}
    bool canSend() const override { return !away; }
    void write(std::span<const std::uint8_t> bytes) override
    {
        writes.push_back({clock.nowMs(), Bytes(bytes.begin(), bytes.end())});
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const auto& [time, bytes] : writes) {
            if (bytes.size() < 4 || bytes[0] != 0xF8)
                continue;
            const std::size_t text = bytes[1] == 0xFE ? 6 : 2;
            result.emplace_back(bytes.begin() + text, bytes.end() - 1);
        }
        return result;
    }
};

Bytes reply(std::string_view text)
{
    return cameraReply(0x07, text);
}

class Connection : public LinkFixture, public LinkEvents {
protected:
    TimedTransport line{clock};
    Settings settings;
    std::unique_ptr<CameraLink> camera;
    std::unique_ptr<ConnectionSequence> sequence;

    // A console with the given camera type, a fresh link and the sequence started.
    void startWith(int cameraType)
    {
        sequence.reset();
        camera = std::make_unique<CameraLink>(clock, prompter, profile, *this);
        camera->setSerialTransport(&line);
        camera->state().linkMode = 0;
        camera->state().busy = false;
        camera->state().cameraType = cameraType;
        sequence = std::make_unique<ConnectionSequence>(*camera, prompter, profile, settings);
        sequence->start();
    }
    void answer(const Bytes& bytes)
    {
        for (const std::uint8_t byte : bytes)
            camera->serialByteReceived(byte, 1);
    }
    void connectionReply(int) override { sequence->connectionReply(); }
    void addressLinkFrameRequested() override { sequence->sendAddressLinkFrameSoon(); }

    std::vector<std::int64_t> timesOf(const Bytes& bytes) const
    {
        std::vector<std::int64_t> times;
        for (const auto& [time, sent] : line.writes)
            if (sent == bytes)
                times.push_back(time);
        return times;
    }
};

TEST_F(Connection, withoutACameraOtherTypesProbeFirstThenFallBackToBroadcastAfterSevenSeconds)
{
    startWith(0);
    clock.advance(7000);
    EXPECT_EQ(timesOf(Probe), (std::vector<std::int64_t>{5, 3020, 6035}));
    EXPECT_EQ(timesOf(LinkFrame), (std::vector<std::int64_t>{1010, 2015, 4025, 5030}));
    EXPECT_TRUE(line.texts().size() == 3u);
    clock.advance(40);
    // 7040 ms: the status poll goes to every camera.
    ASSERT_EQ(line.writes.back().first, 7040);
    EXPECT_EQ(line.writes.back().second, (Bytes{0xF8, 0xFF, 'L', '?', 0x80 | ((0xFF ^ 'L' ^ '?') & 0x0F)}));
    clock.advance(50);
    EXPECT_EQ(line.texts().back(), "cDS");
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(sequence->attempts(), 3);
}

TEST_F(Connection, anAReplyInAnyPhaseEndsTheSearchAndStartsTheStatusPoll)
{
    // Moments inside the first probe wait, a link frame wait, the second
    // attempt's probe wait and the last probe wait.
    for (const std::int64_t replyAfter : {500, 1500, 3500, 6500}) {
        SCOPED_TRACE(replyAfter);
        startWith(3);
        clock.advance(replyAfter);
        answer(reply("A0007"));
        EXPECT_EQ(camera->state().address, 7);
        line.writes.clear();
        clock.advance(499);
        EXPECT_TRUE(line.writes.empty());
        clock.advance(1);
        EXPECT_EQ(line.texts(), std::vector<std::string>{"L?"});
        EXPECT_EQ(line.writes.back().second[1], 7);
        clock.advance(2050);
        EXPECT_EQ(line.texts(), (std::vector<std::string>{"L?", "cDS", std::string("cdS\x10")}));
        clock.advance(10000);
        EXPECT_TRUE(timesOf(Probe).empty());
        EXPECT_TRUE(timesOf(LinkFrame).empty());
        EXPECT_TRUE(prompter.shown().empty());
    }
}

TEST_F(Connection, alderSdAnsweringTheLinkFrameIsTakenOverInNtcipModeAndGivenBackAtExit)
{
    startWith(CameraType::AlderSd);
    clock.advance(5);
    ASSERT_EQ(timesOf(LinkFrame), std::vector<std::int64_t>{5});
    EXPECT_TRUE(camera->state().handshake);
    answer(reply("A0300"));
    EXPECT_EQ(camera->state().address, 300);
    EXPECT_EQ(line.writes.back().second, (Bytes{0x7E, 0x01, 0x01, 0x2C, 0x44, 0x7E}));
    EXPECT_EQ(sequence->ntcipState(), 1);
    EXPECT_TRUE(sequence->ntcipWasOn());
    EXPECT_EQ(profile.readInt("NTCIP", "NTCIPExitNormal", -1), 0);
    clock.advance(10000);
    EXPECT_TRUE(timesOf(Probe).empty());

    line.writes.clear();
    EXPECT_EQ(sequence->exitCommands(), 1000);
    EXPECT_EQ(line.texts(), std::vector<std::string>{"mNe"});
    EXPECT_EQ(profile.readInt("NTCIP", "NTCIPMode", -1), 0);
    EXPECT_EQ(profile.readInt("NTCIP", "NTCIPExitNormal", -1), 1);
}

TEST_F(Connection, ntcipRestoreThatCannotGoOutIsLeftForTheNextStart)
{
    startWith(CameraType::AlderSd);
    clock.advance(5);
    answer(reply("A0300"));
    ASSERT_EQ(sequence->ntcipState(), 1);
    line.away = true;
    line.writes.clear();
    EXPECT_EQ(sequence->exitCommands(), 0) << "nothing to wait for";
    EXPECT_TRUE(line.writes.empty());
    EXPECT_EQ(profile.readInt("NTCIP", "NTCIPMode", -1), 1);
    EXPECT_EQ(profile.readInt("NTCIP", "NTCIPExitNormal", -1), 0);

    // The next run finds the camera in our mode and gives it back at its exit.
    settings.ntcipMode = 1;
    settings.ntcipExitNormal = 0;
    line.away = false;
    startWith(CameraType::AlderSd);
    clock.advance(2015);
    answer(reply("A0300"));
    EXPECT_EQ(sequence->ntcipState(), 1);
}

TEST_F(Connection, alderSdAnsweringTheProbeIsInTarnModeAndLeftSoAtExit)
{
    startWith(CameraType::AlderSd);
    clock.advance(2015);
    answer(reply("A0012"));
    EXPECT_EQ(sequence->ntcipState(), 0);
    EXPECT_FALSE(sequence->ntcipWasOn());
    line.writes.clear();
    EXPECT_EQ(sequence->exitCommands(), 500);
    EXPECT_EQ(line.texts(), std::vector<std::string>{"mNd"});
}

TEST_F(Connection, abnormalEndOfTheLastRunRestoresItsNtcipMode)
{
    settings.ntcipExitNormal = 0;
    settings.ntcipMode = 1;
    startWith(CameraType::AlderSd);
    clock.advance(2015); // the probe is out, no handshake
    answer(reply("A0012"));
    EXPECT_EQ(sequence->ntcipState(), 1);
    EXPECT_EQ(profile.readInt("NTCIP", "NTCIPExitNormal", -1), 0);

    // A second reply now finds NTCIP state 1: NTCIP is switched on and off again.
    line.writes.clear();
    answer(reply("A0012"));
    clock.advance(60);
    EXPECT_EQ(line.texts(), (std::vector<std::string>{"mNe", "L?", "mND", "cDS"}));
    EXPECT_EQ(profile.readInt("NTCIP", "NTCIPMode", -1), 1);
}

TEST_F(Connection, exitAfterClearingNvramSendsMndAndKeepsTheNtcipState)
{
    startWith(CameraType::AlderSd);
    clock.advance(5);
    answer(reply("A0001"));
    sequence->setNvramCleared();
    line.writes.clear();
    EXPECT_EQ(sequence->exitCommands(), 500);
    EXPECT_EQ(line.texts(), std::vector<std::string>{"mNd"});
    EXPECT_EQ(profile.readInt("NTCIP", "NTCIPMode", -1), 1);
    EXPECT_EQ(profile.readInt("NTCIP", "NTCIPExitNormal", -1), 1);
}

TEST_F(Connection, otherCamerasSendNothingAtExit)
{
    startWith(2);
    line.writes.clear();
    EXPECT_EQ(sequence->exitCommands(), 0);
    EXPECT_TRUE(line.writes.empty());
}

TEST_F(Connection, alderSdWithoutACameraAsksAndRetriesOnYes)
{
    prompter.scriptAnswer(true);
    prompter.scriptAnswer(false);
    startWith(CameraType::AlderSd);
    camera->state().address = 258;
    clock.advance(9044);
    EXPECT_TRUE(prompter.shown().empty());
    clock.advance(1); // three attempts of link frame, link frame and probe
    ASSERT_EQ(prompter.shown().size(), 1u);
    const auto& question = prompter.shown()[0];
    EXPECT_EQ(question.kind, ScriptedPrompter::Kind::YesNo);
    EXPECT_EQ(question.icon, MessageIcon::Error);
    EXPECT_EQ(question.text,
              "Cannot connect to the camera....! -- <Click YES> will re-try to connect to the camera again. \n");
    // Yes: the address link frame, then three more attempts from 50 ms on.
    EXPECT_EQ(timesOf(Bytes{0x7E, 0x01, 0x01, 0x02, 0x44, 0x7E}), std::vector<std::int64_t>{9045});
    clock.advance(50);
    EXPECT_EQ(timesOf(LinkFrame).back(), 9095);
    clock.advance(9050);
    EXPECT_EQ(prompter.shown().size(), 2u);
    // No: the search ends.
    const auto sent = line.writes.size();
    clock.advance(20000);
    EXPECT_EQ(line.writes.size(), sent);
    EXPECT_EQ(clock.runningCount(), 0);
}

TEST_F(Connection, unknownCameraTypesAskTooAndTheDefaultIsNo)
{
    startWith(9);
    clock.advance(7035);
    ASSERT_EQ(prompter.shown().size(), 1u);
    clock.advance(20000);
    EXPECT_EQ(prompter.shown().size(), 1u);
}

TEST_F(Connection, getAddrSendsTheLinkFrameAndProbesHalfASecondLater)
{
    startWith(0);
    clock.advance(5);
    answer(reply("A0001"));
    line.writes.clear();
    sequence->getAddress();
    EXPECT_EQ(line.writes.front().second, LinkFrame);
    clock.advance(500);
    EXPECT_EQ(timesOf(Probe), std::vector<std::int64_t>{clock.nowMs()});
}

TEST_F(Connection, cameraAskingForItsLinkFrameGetsItAfterHalfASecond)
{
    startWith(0);
    clock.advance(5);
    camera->state().framedSend = true;
    answer(reply("A0009"));
    line.writes.clear();
    answer(reply("bL8"));
    clock.advance(500);
    EXPECT_EQ(timesOf(Bytes{0x7E, 0x01, 0x00, 0x09, 0x44, 0x7E}).size(), 1u);
}

TEST_F(Connection, javelinStatusRequestIsQueuedInsteadOfLQuery)
{
    startWith(0);
    camera->state().protocolIndex = 4;
    camera->state().address = 5;
    sequence->requestStatus(5);
    clock.advance(5);
    EXPECT_EQ(camera->queue().pending(), 1u);
    clock.advance(5);
    EXPECT_EQ(timesOf(Bytes{0xFF, 0x06, 0x07, 0x03, 0x00, 0x05, 0x00, 0xEB}).size(), 1u);
}

} // namespace
} // namespace tarn::test
