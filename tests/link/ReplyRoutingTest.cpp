#include "core/Messages.h"
#include "platform/TimerIds.h"

#include <array>
#include <functional>
#include "support/LinkFixture.h"

namespace tarn::test {
namespace {

// An F8 reply from address 1 with the given text.
Bytes reply(std::string_view text)
{
    return cameraReply(0x01, text);
}

class ReplyRouting : public LinkFixture {
protected:
    RecordingReceiver receivers[static_cast<int>(ReceiverSlot::Count)];

    ReplyRouting()
    {
        link.state().framedSend = true; // a Tarn frame went out: F8 framing
        link.state().moduleType = 1;
    }
    RecordingReceiver& at(ReceiverSlot slot) { return receivers[static_cast<int>(slot)]; }
    void open(ReceiverSlot slot) { link.router().setReceiver(slot, &at(slot)); }
    int framesAt(ReceiverSlot slot) { return static_cast<int>(at(slot).frames.size()); }
};

TEST_F(ReplyRouting, lettersReachTheirOpenDialog)
{
    struct Row {
        const char* text;
        ReceiverSlot slot;
    };
    const Row rows[] = {
        {"*TP1", ReceiverSlot::ToursSectors}, {"U123", ReceiverSlot::Azimuth},
        {":0012", ReceiverSlot::Dsp},         {"h1abc", ReceiverSlot::CameraId},
        {"mPx", ReceiverSlot::OtherMaintenance}, {"mTx", ReceiverSlot::OtherMaintenance},
        {"mVx", ReceiverSlot::OtherMaintenance}, {"mfx", ReceiverSlot::OtherMaintenance},
        {"mtx", ReceiverSlot::OtherMaintenance}, {"mWx", ReceiverSlot::WashSetup},
        {"mwx", ReceiverSlot::WipeSetup},     {"mSs1", ReceiverSlot::Setup},
        {"J1", ReceiverSlot::Setup},          {"R1.2~", ReceiverSlot::Setup},
        {"S1", ReceiverSlot::Setup},          {"f1", ReceiverSlot::Setup},
        {"j1", ReceiverSlot::Setup},          {"r1", ReceiverSlot::Setup},
        {"s1", ReceiverSlot::Setup},          {"tDS1", ReceiverSlot::Thermal},
        {"cV12", ReceiverSlot::Dsp},          {"P123", ReceiverSlot::Setup},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        // Closed: dropped, nothing else gets it.
        receive(reply(row.text));
        EXPECT_EQ(framesAt(row.slot), 0);
        open(row.slot);
        receive(reply(row.text));
        EXPECT_EQ(framesAt(row.slot), 1);
        EXPECT_EQ(at(row.slot).frames[0], reply(row.text));
        link.router().setReceiver(row.slot, nullptr);
        at(row.slot).frames.clear();
    }
    EXPECT_TRUE(events.statusReplies.empty());
}

TEST_F(ReplyRouting, aPresetNameIsTakenOnlyInAnswerToItsQuestion)
{
    receive(reply("dS\x15Noise")); // nobody asked
    link.SendCommand("cdS\x15");
    receive(reply("dS\x15Lobby"));
    receive(reply("dS\x15" "Again")); // answered already
    link.SendCommand("cdS\x16");
    clock.advance(CameraLink::AddressReplyWindowMs);
    receive(reply("dS\x16Late")); // the question has gone unanswered
    ASSERT_EQ(events.presetNames.size(), 1u);
    EXPECT_EQ(events.presetNames[0], reply("dS\x15Lobby"));
}

TEST_F(ReplyRouting, mainPanelRepliesAndThePresetQuery)
{
    receive(reply("L0"));
    receive(reply("H1"));
    receive(reply("V123456"));
    receive(reply("P123456"));
    EXPECT_EQ(events.statusReplies.size(), 3u);
    link.state().presetQueryPending = true;
    receive(reply("P123456"));
    EXPECT_EQ(events.statusReplies.size(), 4u);
}

TEST_F(ReplyRouting, presetNameGoesToTheFirstOpenDialogElseThePanel)
{
    link.SendCommand("cdS\x15");
    receive(reply("d01Gate #2"));
    EXPECT_EQ(events.presetNames.size(), 1u);
    open(ReceiverSlot::ToursSectors);
    receive(reply("d01"));
    EXPECT_EQ(framesAt(ReceiverSlot::ToursSectors), 1);
    open(ReceiverSlot::CameraId);
    receive(reply("d01"));
    EXPECT_EQ(framesAt(ReceiverSlot::CameraId), 1);
    open(ReceiverSlot::Setup);
    receive(reply("d01"));
    EXPECT_EQ(framesAt(ReceiverSlot::Setup), 1);
    EXPECT_EQ(events.presetNames.size(), 1u);
}

TEST_F(ReplyRouting, cameraIdAnswersReachItWhileTheSetupDialogIsClosed)
{
    open(ReceiverSlot::CameraId);
    receive(reply("SC\x22"));
    receive(reply("SL1Gate 3"));
    receive(reply("S1"));
    EXPECT_EQ(framesAt(ReceiverSlot::CameraId), 2) << "only the SC and SL codes";

    open(ReceiverSlot::Setup);
    receive(reply("SC\x22"));
    receive(reply("SL1Gate 3"));
    EXPECT_EQ(framesAt(ReceiverSlot::CameraId), 2);
    EXPECT_EQ(framesAt(ReceiverSlot::Setup), 2);

    // After the extended address digits too.
    link.router().setReceiver(ReceiverSlot::Setup, nullptr);
    receive(cameraReply(0xFE, "0001SC\x22"));
    EXPECT_EQ(framesAt(ReceiverSlot::CameraId), 3);
}

TEST_F(ReplyRouting, maintenanceRepliesOnlyForTheMakersCameras)
{
    open(ReceiverSlot::WashSetup);
    link.state().cameraType = 7;
    receive(reply("mW1"));
    EXPECT_EQ(framesAt(ReceiverSlot::WashSetup), 0);
    link.state().cameraType = 0;
    receive(reply("mW1"));
    EXPECT_EQ(framesAt(ReceiverSlot::WashSetup), 1);

    // Lens maintenance, open for any receiver, takes every 'm' reply first.
    open(ReceiverSlot::LensMaintenance);
    receive(reply("mW1"));
    link.state().cameraType = 7;
    receive(reply("m1l0"));
    EXPECT_EQ(framesAt(ReceiverSlot::LensMaintenance), 2);
    EXPECT_EQ(framesAt(ReceiverSlot::WashSetup), 1);
}

TEST_F(ReplyRouting, otherMaintenanceOpenFromSetupGetsItsRepliesWhateverTheTypeInUse)
{
    // The camera type was changed in Setup, which has not closed yet: the
    // link still has a receiver of another make.
    link.state().cameraType = 6;
    open(ReceiverSlot::OtherMaintenance);
    receive(reply("mT0231"));
    EXPECT_EQ(framesAt(ReceiverSlot::OtherMaintenance), 1);
}

TEST_F(ReplyRouting, connectionReplyTakesFourOrFiveDigits)
{
    link.state().addressQueryOutstanding = true;
    receive(reply("A0012"));
    EXPECT_EQ(link.state().address, 12);
    link.state().protocolIndex = 5;
    receive(reply("A16384"));
    EXPECT_EQ(link.state().address, 16384);
    EXPECT_EQ(events.connections, (std::vector<int>{12, 16384}));

    link.state().cameraType = 6;
    receive(reply("A0044"));
    EXPECT_EQ(events.connections.size(), 2u);
}

TEST_F(ReplyRouting, extendedAddressMovesTheLetterButNotForAnAReply)
{
    receive(cameraReply(0xFE, "1000L0"));
    EXPECT_EQ(events.statusReplies.size(), 1u);
    link.state().protocolIndex = 5;
    receive(cameraReply(0xFE, "10000H0"));
    EXPECT_EQ(events.statusReplies.size(), 2u);
    link.state().protocolIndex = 1;
    link.state().addressQueryOutstanding = true;
    receive(cameraReply(0xFE, "A1000"));
    EXPECT_EQ(events.connections, std::vector<int>{1000});
}

TEST_F(ReplyRouting, cameraRepliesInOrderOfPreference)
{
    receive(reply("cP01230456"));
    EXPECT_EQ(events.positions, (std::vector<std::pair<int, int>>{{123, 456}}));

    open(ReceiverSlot::ScreenPrivacy);
    link.state().privacyReplyWanted = true;
    receive(reply("cP01230456"));
    EXPECT_EQ(framesAt(ReceiverSlot::ScreenPrivacy), 1);
    EXPECT_FALSE(link.state().privacyReplyWanted);

    // Day/Night "c" replies: the picture dialog first when a pump asked.
    open(ReceiverSlot::Dsp);
    link.state().replyWanted = true;
    receive(reply("cDS1"));
    EXPECT_EQ(framesAt(ReceiverSlot::Dsp), 1);
    EXPECT_FALSE(link.state().replyWanted);

    link.state().privacyReplyWanted = true;
    receive(reply("cDS1"));
    EXPECT_EQ(framesAt(ReceiverSlot::ScreenPrivacy), 2);

    link.state().networkConnected = true;
    receive(reply("cDS1"));
    EXPECT_EQ(framesAt(ReceiverSlot::Dsp), 2);

    // The Setup dialog takes every "c" reply while it is open.
    open(ReceiverSlot::Setup);
    receive(reply("cP01230456"));
    EXPECT_EQ(framesAt(ReceiverSlot::Setup), 1);
    EXPECT_EQ(events.positions.size(), 1u);
}

TEST_F(ReplyRouting, statusReplyFieldsDriveThePanelAndTheSettings)
{
    //                0123456789012345678901234567890123456789
    // frame bytes:  F8 01 b L x A x .... P d v d p d ...          F d
    std::string text = "bL\x05" "A\x01" "....P3v1p2";
    text.resize(36, '.');
    text += "F5";
    receive(reply(text));
    ASSERT_EQ(events.fields.size(), 1u);
    EXPECT_EQ(events.fields[0].lens, 0x05);
    EXPECT_EQ(events.fields[0].autoFocus, 0x01);
    EXPECT_EQ(link.state().protocolIndex, 3);
    EXPECT_EQ(profile.readInt("Setup", "Comm. Protocol", -1), 3);
    EXPECT_EQ(profile.readInt("Setup", "Video Type", -1), 1);
    EXPECT_EQ(link.state().videoType, 1); // the working value Setup shows
    EXPECT_EQ(profile.readInt("Setup", "LL Phase", -1), 2);
    EXPECT_EQ(profile.readInt("Setup", "Video Freeze Status", -1), '5');

    // The same values again are not written again.
    const int writes = profile.writeCount();
    receive(reply(text));
    EXPECT_EQ(profile.writeCount(), writes);

    receive(reply("bL8"));
    EXPECT_EQ(events.linkFrameRequests, 1);
}

TEST_F(ReplyRouting, shortFramesReadMissingPositionsAsZero)
{
    // Straight to the router: frames shorter than any the assembler makes.
    const Bytes statusReply = {0xF8, 0x01, 'b', 'L'};
    link.router().route(statusReply);
    ASSERT_EQ(events.fields.size(), 1u);
    EXPECT_EQ(events.fields[0].lens, 0x00);
    EXPECT_EQ(profile.writeCount(), 0);

    const Bytes positions = {0xF8, 0x01, 'c', 'P', '0', '1'};
    link.router().route(positions);
    EXPECT_EQ(events.positions, (std::vector<std::pair<int, int>>{{1, 0}}));

    link.state().framedSend = false;
    const Bytes javelin = {0xFF, 0x0A, 0x01};
    link.router().route(javelin);
    EXPECT_EQ(events.javelin, (std::vector<std::pair<int, int>>{{10, 0}}));

    for (const Bytes& tiny : {Bytes{}, Bytes{0xF8}, Bytes{0xFF}}) {
        link.router().route(tiny);
        link.state().framedSend = !link.state().framedSend;
        link.router().route(tiny);
    }
}

TEST_F(ReplyRouting, dayNightStatusFormCountsFromTheLetterC)
{
    std::string text(33, '.');
    text[0] = 'c';
    text[1] = 'D';
    text[21] = 'L';
    text[22] = 0x0F;
    text[23] = 'A';
    text[24] = 0x00;
    text[29] = 'P';
    text[30] = '5';
    text[31] = 'v';
    text[32] = '0';
    receive(reply(text));
    ASSERT_EQ(events.fields.size(), 1u);
    EXPECT_TRUE(events.fields[0].dayNightForm);
    EXPECT_EQ(events.fields[0].lens, 0x0F);
    EXPECT_EQ(link.state().protocolIndex, 5);
    EXPECT_EQ(profile.readInt("Setup", "Video Type", -1), 0);

    // Other module types drop them.
    events.fields.clear();
    link.state().moduleType = 0;
    receive(reply(text));
    EXPECT_TRUE(events.fields.empty());
}

TEST_F(ReplyRouting, garbledProtocolDigitIsNotTaken)
{
    std::string text = "bL\x05A\x01....P\xC1";
    receive(reply(text));
    EXPECT_EQ(link.state().protocolIndex, 1);
    EXPECT_FALSE(profile.contains("Setup", "Comm. Protocol"));
}

TEST_F(ReplyRouting, lengthModeFramesAreJavelinStatusOrForThePictureDialog)
{
    link.state().framedSend = false;
    receive({0xFF, 0x08, 0, 0, 0, 0, 0, 0, 0x58, 0xA0});
    receive({0xFF, 0x0A, 0, 0, 0, 0, 0, 0, 0, 0, 0x08, 0xEE});
    EXPECT_EQ(events.javelin, (std::vector<std::pair<int, int>>{{8, 0x58}, {10, 0x08}}));

    open(ReceiverSlot::Dsp);
    link.state().replyWanted = true;
    receive({0xFF, 0x08, 0, 0, 0, 0, 0, 0, 0x58, 0xA0});
    EXPECT_EQ(framesAt(ReceiverSlot::Dsp), 1);
    EXPECT_EQ(events.javelin.size(), 2u);
}

} // namespace
} // namespace tarn::test

namespace tarn::test {
namespace {

class AnyComNumber : public LinkFixture {};

TEST_F(AnyComNumber, repliesFromEveryOpenedPortAreProcessed)
{
    link.state().framedSend = true;
    for (const int port : {1, 16, 17, 255}) {
        SCOPED_TRACE(port);
        events.statusReplies.clear();
        for (const std::uint8_t byte : cameraReply(0x01, "L0"))
            link.serialByteReceived(byte, port);
        EXPECT_EQ(events.statusReplies.size(), 1u);
    }
}

TEST_F(ReplyRouting, frameWithAWrongChecksumIsShownMarkedAndNothingElse)
{
    link.state().address = 5;
    link.SendCommand("L?");
    Bytes status = reply("L0");
    status.back() ^= 0x03;
    receive(status);
    receive({0xF8, 0x09, 0x41, 0x30, 0x30, 0x30, 0x37, 0x80}); // "A0007", checksum 80 for 8F
    // The last frame waits a moment for a byte that could still make it check.
    const std::string beforeSettling = link.monitor().receiveLine();
    clock.advance(CameraLink::LateChecksumMs);
    EXPECT_NE(link.monitor().receiveLine(), beforeSettling);

    EXPECT_TRUE(events.statusReplies.empty());
    EXPECT_TRUE(events.connections.empty());
    EXPECT_EQ(link.state().address, 5);
    EXPECT_TRUE(link.monitor().receiveLine().ends_with(Messages::BadChecksumMark));
    // Not an answer either: the command waits for its time-out.
    EXPECT_FALSE(link.queue().queueReady && link.queue().dataReplyDone
                 && !clock.isRunning(link, TimerId::ResponseTimeout));
    EXPECT_TRUE(clock.isRunning(link, TimerId::ResponseTimeout));
}

TEST_F(ReplyRouting, addressReplyIsBelievedOnlyShortlyAfterAnAddressQuery)
{
    const std::array<std::uint8_t, 6> linkFrame = {0x7E, 0x01, 0x00, 0x00, 0x41, 0x7E};
    struct Row {
        const char* name;
        std::function<void()> query;
        int msLater;
        bool believed;
    };
    const Row rows[] = {
        {"unasked", [] {}, 0, false},
        {"after the probe", [&] { link.SendCommand("A?"); }, 100, true},
        {"after the link frame", [&] { link.SendRawBytes(linkFrame); }, 2900, true},
        {"after Reset", [&] { link.SendCommand("rs"); }, 500, true},
        {"too long after the probe", [&] { link.SendCommand("A?"); }, 3000, false},
        {"after another command", [&] { link.SendCommand("L?"); }, 100, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        clock.advance(5000);
        link.state().address = 5;
        events.connections.clear();
        row.query();
        clock.advance(row.msLater);
        receive(reply("A0007"));
        EXPECT_EQ(link.state().address, row.believed ? 7 : 5);
        EXPECT_EQ(events.connections.size(), row.believed ? 1u : 0u);
    }
}

} // namespace
} // namespace tarn::test
