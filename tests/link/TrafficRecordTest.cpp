#include "link/PortServerControl.h"
#include "link/TrafficCapture.h"
#include "link/TrafficDecoder.h"
#include "link/TrafficFilter.h"
#include "link/TrafficRecord.h"
#include "link/TrafficTextLog.h"
#include "link/TrafficTrace.h"
#include "support/FakePortServer.h"
#include "support/LinkFixture.h"
#include "support/TemporaryFolder.h"

#include <functional>

namespace tarn::test {
namespace {

// 2024-05-01 12:00:00 UTC, in a place two hours ahead of it.
constexpr SessionStart MayDay{1714564800LL * 1000000, 7200};

TrafficEvent portEvent(const std::string& text)
{
    TrafficEvent event;
    event.note = text;
    return event;
}

Bytes withChecksumSpoilt(Bytes frame)
{
    frame.back() ^= 0x01;
    return frame;
}

TEST(TrafficDecoding, everyKindOfFrame)
{
    struct Row {
        const char* what;
        TrafficKind kind;
        Bytes frame;
        int digits;
        AddressForm form;
        int address;
        const char* text;
        TrafficVerdict verdict;
    };
    const Row rows[] = {
        {"tarn", TrafficKind::Tarn, {0xF8, 0x01, 'A', '?', 0x8F}, 4, AddressForm::Short, 1, "A?", TrafficVerdict::Ok},
        {"extended", TrafficKind::Tarn, {0xF8, 0xFE, '1', '0', '0', '0', 'A', '?', 0x81}, 4, AddressForm::Extended,
         1000, "A?", TrafficVerdict::Ok},
        {"five digits", TrafficKind::Tarn, handBuiltFrame(0xFE, "16384A?"), 5, AddressForm::Extended, 16384, "A?",
         TrafficVerdict::Ok},
        {"broadcast", TrafficKind::Tarn, {0xF8, 0xFF, 'c', 'D', 'S', 0x8B}, 4, AddressForm::Broadcast, 255, "cDS",
         TrafficVerdict::Ok},
        {"unprintable text", TrafficKind::Tarn, handBuiltFrame(0x05, "cdS\x10\\"), 4, AddressForm::Short, 5,
         "cdS\\x10\\x5C", TrafficVerdict::Ok},
        {"bad checksum", TrafficKind::Tarn, withChecksumSpoilt(handBuiltFrame(0x01, "L0")), 4, AddressForm::Short, 1,
         "L0", TrafficVerdict::BadChecksum},
        {"camera, STX mode", TrafficKind::Camera, {0xF8, 0x05, 'c', 'D', 'S', 0x81, 0x03}, 4, AddressForm::Short, 5,
         "cDS", TrafficVerdict::Ok},
        {"stx reply", TrafficKind::Stx, {0x02, 0x01, 'L', '0', 0x8D, 0x03}, 4, AddressForm::Short, 1, "L0",
         TrafficVerdict::Ok},
        {"stx without its ETX", TrafficKind::Stx, {0x02, 0x01, 'L', '0', 0x8D}, 4, AddressForm::Short, 1, "L0\\x8D",
         TrafficVerdict::Short},
        {"pass-through", TrafficKind::PassThrough, {0xFF, 0x06, 0x07, 0x03, 0x00, 0x05, 0x00, 0xEB}, 4,
         AddressForm::Word, 5, "07 03 00", TrafficVerdict::Ok},
        {"pass-through, bad sum", TrafficKind::LengthMode, {0xFF, 0x06, 0x07, 0x03, 0x00, 0x05, 0x00, 0xEC}, 4,
         AddressForm::Word, 5, "07 03 00", TrafficVerdict::BadChecksum},
        {"length byte past the end", TrafficKind::LengthMode, {0xFF, 0x20, 0x10}, 4, AddressForm::None, -1, "10",
         TrafficVerdict::Short},
        {"link frame", TrafficKind::Link, {0x7E, 0x01, 0x00, 0x05, 'D', 0x7E}, 4, AddressForm::Word, 5, "D",
         TrafficVerdict::Ok},
        {"link frame cut short", TrafficKind::Link, {0x7E, 0x01, 0x00}, 4, AddressForm::None, -1, "~\\x01\\x00",
         TrafficVerdict::Short},
        {"start byte alone", TrafficKind::Tarn, {0xF8}, 4, AddressForm::None, -1, "", TrafficVerdict::Short},
        {"extended digits cut", TrafficKind::Tarn, {0xF8, 0xFE, '1', '0'}, 4, AddressForm::Extended, -1, "10",
         TrafficVerdict::Short},
        {"ack", TrafficKind::Acknowledgement, {0x06}, 4, AddressForm::None, -1, "ACK", TrafficVerdict::Ok},
        {"network nak", TrafficKind::Acknowledgement, {0x15, 0x06}, 4, AddressForm::None, -1, "NAK",
         TrafficVerdict::Ok},
    };
    for (const Row& row : rows) {
        const auto decoded = TrafficDecoder::decode(row.kind, row.frame, row.digits);
        EXPECT_EQ(decoded.addressForm, row.form) << row.what;
        EXPECT_EQ(decoded.address, row.address) << row.what;
        EXPECT_EQ(decoded.text, row.text) << row.what;
        EXPECT_EQ(decoded.verdict, row.verdict) << row.what;
    }
}

TEST(TrafficRing, dropsTheOldestAndCountsThem)
{
    VirtualClock clock;
    TrafficRecord record(clock, MayDay, 3);
    for (int i = 0; i < 5; ++i)
        record.traffic(portEvent(std::to_string(i)));
    ASSERT_EQ(record.size(), 3u);
    EXPECT_EQ(record.dropped(), 2u);
    EXPECT_EQ(record.at(0).note, "2");
    EXPECT_EQ(record.at(2).note, "4");
    EXPECT_EQ(record.find(1), nullptr);
    EXPECT_EQ(record.find(4)->note, "4");

    record.clear();
    record.traffic(portEvent("5"));
    EXPECT_EQ(record.at(0).sequence, 5u) << "numbering goes on after a clear";
    EXPECT_EQ(record.dropped(), 2u) << "cleared entries are not dropped ones";
}

// The console's link with the record listening, on the virtual clock.
class TrafficSession : public LinkFixture {
protected:
    TrafficRecord record{clock, MayDay};
    FakePortServer sockets;
    PortServerControl portServer{link, prompter, profile, sockets};
    RecordingReceiver setup;

    TrafficSession()
    {
        link.setTrafficObserver(&record);
        portServer.setTrafficObserver(&record);
        link.state().address = 5;
    }

    // A conversation with one entry of every sort.
    void converse()
    {
        link.SendCommand("L?");
        clock.advance(12);
        receive(cameraReply(5, "LBA0"));
        clock.advance(8);
        link.SendCommand("ZI");
        clock.advance(5);
        receive({0x06});
        clock.advance(5);
        link.SendCommand("cdS\x10");
        clock.advance(100); // time-out
        receive(withChecksumSpoilt(cameraReply(5, "dS\x10Preset 1")));
        clock.advance(20); // no byte follows that makes it check: it is taken as it is
        link.router().setReceiver(ReceiverSlot::Setup, &setup);
        link.SendCameraCommand("S?");
        clock.advance(7);
        receive(cameraReply(5, "S0"));
        link.state().protocolIndex = 2;
        link.state().address = 300;
        link.SendCommand("L?");
        link.state().protocolIndex = 1;
        link.state().address = 1000;
        link.SendCommand("A?");
        link.state().address = 5;
        Bytes javelinStatusRequest{0xFF, 0x06, 0x07, 0x03, 0x01, 0x01, 0x00, 0x00};
        link.SendCommand(std::span(javelinStatusRequest));
        clock.advance(9);
        receive({0xFF, 0x08, 0x07, 0x03, 0x00, 0x05, 0x00, 0x00, 0x48, 0xA1});
        link.state().framedSend = true;
        portServer.chooseNetwork();
        portServer.connect({10, 0, 0, 5}, "1234");
        sockets.live->listener.socketConnected(0);
        clock.advance(3);
        link.SendCommand("L?");
        clock.advance(4);
        sockets.live->listener.socketDataReceived(Bytes{0x06});
        portServer.disconnect();
        link.SendCommand("ZS");
    }
};

TEST_F(TrafficSession, theTextLogOfAKnownSession)
{
    converse();
    const std::string expected =
        "# Tarn Console traffic log 1\n"
        "# time\tdir\taddress\ttext\thex\tverdict\tkind\tlink\tto\trtt_ms\tnote\n"
        "2024-05-01T14:00:00.000+02:00\ttx\t5\tL?\tF8 05 4C 3F 86\tok\ttarn\tserial\t\t\t\n"
        "2024-05-01T14:00:00.012+02:00\trx\t5\tLBA0\tF8 05 4C 42 41 30 8A\tok\ttarn\tserial\tmain panel\t12.0\t\n"
        "2024-05-01T14:00:00.020+02:00\ttx\t5\tZI\tF8 05 5A 49 86\tok\ttarn\tserial\t\t\t\n"
        "2024-05-01T14:00:00.025+02:00\trx\t\tACK\t06\tok\tack\tserial\t\t5.0\t\n"
        "2024-05-01T14:00:00.030+02:00\ttx\t5\tcdS\\x10\tF8 05 63 64 53 10 81\tok\ttarn\tserial\t\t\t\n"
        "2024-05-01T14:00:00.130+02:00\trx\t\t\t\ttime-out\ttime-out\tserial\t\t100.0\tno answer within 100 ms\n"
        "2024-05-01T14:00:00.150+02:00\trx\t5\tdS\\x10Preset 1\tF8 05 64 53 10 50 72 65 73 65 74 20 31 87\t"
        "bad checksum\ttarn\tserial\t\t120.0\t\n"
        "2024-05-01T14:00:00.150+02:00\ttx\t5\tcS?\tF8 05 63 53 3F 8A\tok\tcamera\tserial\t\t\t\n"
        "2024-05-01T14:00:00.157+02:00\trx\t5\tS0\tF8 05 53 30 86\tok\ttarn\tserial\tSetup\t7.0\t\n"
        "2024-05-01T14:00:00.157+02:00\ttx\t\tL?\t4C 3F\trefused\trefusal\tserial\t\t\t"
        "Exceeding Camera Address Range of 254 (address 300)\n"
        "2024-05-01T14:00:00.157+02:00\ttx\t1000 (ext)\tA?\tF8 FE 31 30 30 30 41 3F 81\tok\ttarn\tserial\t\t\t\n"
        "2024-05-01T14:00:00.157+02:00\ttx\t5\t07 03 00\tFF 06 07 03 00 05 00 EB\tok\tpass-through\tserial\t\t\t\n"
        "2024-05-01T14:00:00.166+02:00\trx\t5\t07 03 00 00 48\tFF 08 07 03 00 05 00 00 48 A1\tok\tlength-mode\t"
        "serial\tmain panel\t9.0\t\n"
        "2024-05-01T14:00:00.166+02:00\tev\t\t\t\t\tport\tnetwork\t\t\tPort server 10.0.0.5:1234: connecting\n"
        "2024-05-01T14:00:00.166+02:00\tev\t\t\t\t\tport\tnetwork\t\t\tPort server 10.0.0.5:1234 connected\n"
        "2024-05-01T14:00:00.169+02:00\ttx\t5\tL?\t00 00 00 05 F8 05 4C 3F 86\tok\ttarn\tnetwork\t\t\t\n"
        "2024-05-01T14:00:00.173+02:00\trx\t\tACK\t06\tok\tack\tnetwork\t\t4.0\t\n"
        "2024-05-01T14:00:00.173+02:00\tev\t\t\t\t\tport\tnetwork\t\t\tPort server 10.0.0.5:1234 disconnected\n"
        "2024-05-01T14:00:00.173+02:00\ttx\t5\tZS\tF8 05 5A 53 8C\tnot sent\ttarn\tnetwork\t\t\t\n";
    EXPECT_EQ(TrafficTextLog::whole(record), expected);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Exceeding Camera Address Range of 254"});
}

TEST_F(TrafficSession, aCaptureReadsBackAsTheSameEntries)
{
    converse();
    record.clear(); // the numbering of a cleared record must survive too
    converse();
    const auto bytes = TrafficCapture::whole(record);
    const auto loaded = TrafficCapture::load(bytes);
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(loaded->damaged);
    EXPECT_EQ(loaded->start, MayDay);
    ASSERT_EQ(loaded->entries.size(), record.size());
    for (std::size_t i = 0; i < record.size(); ++i) {
        const TrafficEntry& saved = record.at(i);
        const TrafficEntry& read = loaded->entries[i];
        EXPECT_TRUE(read.sameAs(saved)) << i;
        EXPECT_EQ(read.text, saved.text) << i;
        EXPECT_EQ(TrafficTextLog::addressText(read), TrafficTextLog::addressText(saved)) << i;
    }

    // A capture cut anywhere in a record keeps every whole one before it.
    const std::size_t firstRecordEnd = TrafficCapture::HeaderSize + 2 + (bytes[28] | bytes[29] << 8);
    const auto cut = TrafficCapture::load(std::span(bytes).first(firstRecordEnd + 5));
    ASSERT_TRUE(cut);
    EXPECT_TRUE(cut->damaged);
    EXPECT_EQ(cut->entries.size(), 1u);
    auto spoilt = bytes;
    spoilt[TrafficCapture::HeaderSize + 2 + 16 + 2] = 0x7F; // a kind nobody knows
    EXPECT_TRUE(TrafficCapture::load(spoilt)->damaged);
    EXPECT_FALSE(TrafficCapture::load(std::span(bytes).first(20)));
    EXPECT_FALSE(TrafficCapture::load(bytesOf("# Tarn Console traffic log 1\n")));
}

TEST_F(TrafficSession, noiseOnTheLineIsOneEntryARunWithItsBytes)
{
    link.state().framedSend = true;
    receive({0x13, 0x00, 0x7F});
    clock.advance(CameraLink::LateChecksumMs); // the line goes quiet
    receive({0x55});
    receive(cameraReply(5, "LBA0")); // a frame ends the next run
    ASSERT_EQ(record.size(), 3u);
    EXPECT_EQ(record.at(0).kind, TrafficKind::Noise);
    EXPECT_EQ(record.at(0).bytes, (Bytes{0x13, 0x00, 0x7F}));
    EXPECT_EQ(record.at(0).text, "\\x13\\x00\\x7F");
    EXPECT_EQ(record.at(1).kind, TrafficKind::Noise);
    EXPECT_EQ(record.at(1).bytes, Bytes{0x55});
    EXPECT_EQ(record.at(2).kind, TrafficKind::Tarn);
    const TrafficFilter filter("noise");
    EXPECT_TRUE(filter.matches(record.at(0)));
    EXPECT_FALSE(filter.matches(record.at(2)));
}

TEST_F(TrafficSession, theFilterFindsTextHexAndVerdicts)
{
    converse();
    const auto shown = [this](std::string_view typed) {
        const TrafficFilter filter(typed);
        std::vector<std::uint64_t> sequences;
        for (std::size_t i = 0; i < record.size(); ++i)
            if (filter.matches(record.at(i)))
                sequences.push_back(record.at(i).sequence);
        return sequences;
    };
    using Seq = std::vector<std::uint64_t>;
    EXPECT_EQ(shown("cds"), (Seq{4})) << "text, any case";
    EXPECT_EQ(shown(" 41 3f "), (Seq{10})) << "hex, blanks around it";
    EXPECT_EQ(shown("fe3130"), (Seq{10})) << "hex without blanks";
    EXPECT_EQ(shown("bad checksum"), (Seq{6}));
    EXPECT_EQ(shown("Setup"), (Seq{8})) << "where a reply went";
    EXPECT_EQ(shown("no answer"), (Seq{5})) << "the note";
    EXPECT_EQ(shown("1234"), (Seq{13, 14, 17})) << "no frame holds the bytes 12 34";
    EXPECT_EQ(shown("").size(), record.size());
}

TEST_F(TrafficSession, aTraceHoldsEveryEntryAsSoonAsItIsFinal)
{
    TemporaryFolder folder;
    TrafficTrace capture;
    TrafficTrace text;
    ASSERT_EQ(capture.start(folder.file("session.tcap"), record), std::nullopt);
    // A reply whose receiver sends at once: the reply comes first, with where it went.
    struct Answering : ReplyReceiver {
        CameraLink* link = nullptr;
        void replyReceived(std::span<const std::uint8_t>) override { link->SendCommand("S1"); }
    } answering;
    answering.link = &link;
    link.router().setReceiver(ReceiverSlot::Setup, &answering);
    link.SendCommand("S?");
    receive(cameraReply(5, "S0"));
    ASSERT_EQ(record.at(1).routedTo, ReplyDestination::Setup);
    ASSERT_EQ(record.at(2).text, "S1");

    EXPECT_EQ(fileBytes(folder.file("session.tcap")), TrafficCapture::whole(record));

    // The text log form, begun with entries already held, then one more.
    ASSERT_EQ(text.start(folder.file("session.txt"), record), std::nullopt);
    link.SendCommand("L?");
    EXPECT_EQ(fileBytes(folder.file("session.txt")), bytesOf(TrafficTextLog::whole(record)));

    TrafficTrace nowhere;
    EXPECT_NE(nowhere.start(folder.file("no/such/folder/trace.tcap"), record), std::nullopt);
}

// A receiver that opens a box runs the event loop: replies that come
// meanwhile reach the record and the trace at once, each routed in the order
// it came, and the reply whose box is open keeps its own bytes.
TEST_F(TrafficSession, repliesThatComeWhileAReplysBoxIsOpenAreTracedAtOnce)
{
    TemporaryFolder folder;
    TrafficTrace trace;
    ASSERT_EQ(trace.start(folder.file("session.tcap"), record), std::nullopt);
    struct BoxOpening : ReplyReceiver {
        std::function<void()> whileOpen;
        std::vector<Bytes> frames;
        Bytes outerAfterBox;
        void replyReceived(std::span<const std::uint8_t> frame) override
        {
            frames.emplace_back(frame.begin(), frame.end());
            if (frames.size() > 1)
                return;
            whileOpen();
            outerAfterBox.assign(frame.begin(), frame.end());
        }
    } boxOpening;
    std::vector<bool> tracedWhileOpen;
    boxOpening.whileOpen = [&] {
        // The box is open: the camera answers on.
        for (const char* text : {"S1", "S2"}) {
            receive(cameraReply(5, text));
            tracedWhileOpen.push_back(fileBytes(folder.file("session.tcap")) == TrafficCapture::whole(record));
        }
    };
    link.router().setReceiver(ReceiverSlot::Setup, &boxOpening);
    link.SendCommand("S?");
    receive(cameraReply(5, "S0"));

    EXPECT_EQ(tracedWhileOpen, (std::vector<bool>{true, true}));
    EXPECT_EQ(boxOpening.outerAfterBox, cameraReply(5, "S0"));
    EXPECT_EQ(boxOpening.frames, (std::vector<Bytes>{cameraReply(5, "S0"), cameraReply(5, "S1"), cameraReply(5, "S2")}));
    ASSERT_EQ(record.size(), 4u);
    for (std::size_t i = 1; i < 4; ++i)
        EXPECT_EQ(record.at(i).routedTo, ReplyDestination::Setup) << i;
    EXPECT_EQ(fileBytes(folder.file("session.tcap")), TrafficCapture::whole(record));
}

} // namespace
} // namespace tarn::test
