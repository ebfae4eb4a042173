#include "link/NetworkReplyAssembler.h"
#include "link/ReplyChecksum.h"
#include "link/ReplySink.h"
#include "link/SerialReplyAssembler.h"
#include "support/LinkFixture.h"

namespace tarn::test {
namespace {

struct Sink : ReplySink {
    std::vector<Bytes> frames;
    int acks = 0;
    // Everything told, in order: "ack", "frame", "noise N".
    std::vector<std::string> order;
    std::vector<Bytes> noise;
    void acknowledgementReceived() override
    {
        ++acks;
        order.push_back("ack");
    }
    void frameReceived(std::span<const std::uint8_t> frame) override
    {
        frames.emplace_back(frame.begin(), frame.end());
        order.push_back("frame");
    }
    void noiseSkipped(std::span<const std::uint8_t> bytes, std::size_t total) override
    {
        noise.emplace_back(bytes.begin(), bytes.end());
        order.push_back("noise " + std::to_string(total));
    }
};

constexpr SerialReplyAssembler::Mode F8Mode{false, false};
constexpr SerialReplyAssembler::Mode StxMode{false, true};
constexpr SerialReplyAssembler::Mode LengthMode{true, false};

void feed(SerialReplyAssembler& assembler, const Bytes& bytes, SerialReplyAssembler::Mode mode,
          Sink& sink)
{
    for (const std::uint8_t byte : bytes)
        assembler.feed(byte, mode, sink);
}

TEST(SerialReplyAssembly, framesCompleteAtTheirEndByteWhateverTheSplit)
{
    struct Row {
        const char* name;
        SerialReplyAssembler::Mode mode;
        Bytes stream;
        std::vector<Bytes> frames;
        int acks;
    };
    const Row rows[] = {
        {"F8 reply", F8Mode, {0xF8, 0x01, 0x41, 0x3F, 0x8F}, {{0xF8, 0x01, 0x41, 0x3F, 0x8F}}, 0},
        // Fewer than five bytes: the 8F is not an end, the next bytes belong to it.
        {"F8 short then more", F8Mode, {0xF8, 0x01, 0x8F, 0x41, 0x3F, 0x80},
         {{0xF8, 0x01, 0x8F, 0x41, 0x3F, 0x80}}, 0},
        // The Camera ID status of display mode 2 has bit 7 set: the byte after
        // it is the checksum that makes the frame check.
        {"F8 data byte of 0x80 or more", F8Mode, handBuiltFrame(0x05, "SC\xC2"), {handBuiltFrame(0x05, "SC\xC2")}, 0},
        {"F8 not checking, then an ack", F8Mode, {0xF8, 0x01, 0x41, 0x3F, 0x81, 0x06},
         {{0xF8, 0x01, 0x41, 0x3F, 0x81}}, 1},
        {"F8 not checking, then a frame", F8Mode, {0xF8, 0x01, 0x41, 0x3F, 0x81, 0xF8, 0x01, 0x41, 0x3F, 0x8F},
         {{0xF8, 0x01, 0x41, 0x3F, 0x81}, {0xF8, 0x01, 0x41, 0x3F, 0x8F}}, 0},
        {"F8 not checking, a high byte that does not help", F8Mode, {0xF8, 0x01, 0x41, 0x3F, 0x81, 0x82},
         {{0xF8, 0x01, 0x41, 0x3F, 0x81}}, 0},
        {"ack between frames", F8Mode, {0x06, 0xF8, 0x01, 0x4C, 0x30, 0x8D, 0x06},
         {{0xF8, 0x01, 0x4C, 0x30, 0x8D}}, 2},
        {"0x06 inside a frame is data", F8Mode, {0xF8, 0x01, 0x06, 0x41, 0x86},
         {{0xF8, 0x01, 0x06, 0x41, 0x86}}, 0},
        {"noise before a frame is dropped", F8Mode, {0x41, 0x00, 0x8F, 0xF8, 0x01, 0x41, 0x3F, 0x8F},
         {{0xF8, 0x01, 0x41, 0x3F, 0x8F}}, 0},
        {"STX reply", StxMode, {0x02, 0x01, 0x4C, 0x30, 0x8D, 0x03},
         {{0x02, 0x01, 0x4C, 0x30, 0x8D, 0x03}}, 0},
        {"STX needs more than two bytes", StxMode, {0x02, 0x03, 0x41, 0x03}, {{0x02, 0x03, 0x41, 0x03}}, 0},
        {"STX ignores F8", StxMode, {0xF8, 0x01, 0x41, 0x3F, 0x8F}, {}, 0},
        {"length mode: FF 08 and eight more", LengthMode,
         {0xFF, 0x08, 1, 2, 3, 4, 5, 6, 7, 0x48}, {{0xFF, 0x08, 1, 2, 3, 4, 5, 6, 7, 0x48}}, 0},
        {"length mode takes no acknowledgement", LengthMode, {0x06}, {}, 0},
        {"length mode: 0x06 inside", LengthMode, {0xFF, 0x02, 0x06, 0x10}, {{0xFF, 0x02, 0x06, 0x10}}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // Every way of cutting the stream in two gives the same frames.
        for (std::size_t cut = 0; cut <= row.stream.size(); ++cut) {
            SerialReplyAssembler assembler;
            Sink sink;
            feed(assembler, Bytes(row.stream.begin(), row.stream.begin() + cut), row.mode, sink);
            feed(assembler, Bytes(row.stream.begin() + cut, row.stream.end()), row.mode, sink);
            EXPECT_EQ(sink.frames, row.frames);
            EXPECT_EQ(sink.acks, row.acks);
        }
    }
}

TEST(SerialReplyAssembly, aFrameWithoutEndIsDiscardedAtTheBufferSize)
{
    SerialReplyAssembler assembler;
    Sink sink;
    Bytes runaway = {0xF8};
    runaway.resize(SerialReplyAssembler::BufferSize, 0x41);
    feed(assembler, runaway, F8Mode, sink);
    EXPECT_FALSE(assembler.collecting());
    feed(assembler, {0x8F, 0xF8, 0x01, 0x41, 0x3F, 0x8F}, F8Mode, sink);
    EXPECT_EQ(sink.frames, (std::vector<Bytes>{{0xF8, 0x01, 0x41, 0x3F, 0x8F}}));
}

TEST(SerialReplyAssembly, lengthModeLengthBeyondTheBufferIsDiscardedNotOverrun)
{
    SerialReplyAssembler assembler;
    Sink sink;
    Bytes frame = {0xFF, 0xFE};
    frame.resize(300, 0x11);
    feed(assembler, frame, LengthMode, sink);
    EXPECT_TRUE(sink.frames.empty());
}

TEST(NetworkReplyAssembly, oneReadMayHoldSeveralFramesAndFramesMayContinue)
{
    NetworkReplyAssembler assembler;
    Sink sink;
    assembler.feed(Bytes{0xF8, 0x01, 0x41, 0x3F, 0x8F, 0xF8, 0x01, 0x4C}, sink);
    ASSERT_EQ(sink.frames.size(), 1u);
    assembler.feed(Bytes{0x30, 0x8D}, sink);
    ASSERT_EQ(sink.frames.size(), 2u);
    EXPECT_EQ(sink.frames[1], (Bytes{0xF8, 0x01, 0x4C, 0x30, 0x8D}));
    EXPECT_EQ(sink.acks, 0);
}

TEST(NetworkReplyAssembly, acknowledgementIsTheWholeReadButOnlyBetweenFrames)
{
    NetworkReplyAssembler assembler;
    Sink sink;
    assembler.feed(Bytes{0x06, 0xF8, 0x01, 0x41, 0x3F, 0x8F}, sink);
    assembler.feed(Bytes{0x15}, sink);
    EXPECT_EQ(sink.acks, 2);
    EXPECT_TRUE(sink.frames.empty());

    assembler.feed(Bytes{0xF8, 0x01}, sink);
    assembler.feed(Bytes{0x06, 0x41, 0x86}, sink);
    EXPECT_EQ(sink.acks, 2);
    EXPECT_EQ(sink.frames, (std::vector<Bytes>{{0xF8, 0x01, 0x06, 0x41, 0x86}}));
}

TEST(NetworkReplyAssembly, aHighDataByteWaitsForTheChecksumEvenInTheNextRead)
{
    const Bytes status = handBuiltFrame(0x05, "SC\xC2");
    NetworkReplyAssembler assembler;
    Sink sink;
    assembler.feed(std::span(status).first(status.size() - 1), sink);
    EXPECT_TRUE(sink.frames.empty());
    assembler.feed(std::span(status).last(1), sink);
    EXPECT_EQ(sink.frames, std::vector<Bytes>{status});

    // A frame that does not check is given up at the next read, an
    // acknowledgement still counts.
    sink.frames.clear();
    assembler.feed(Bytes{0xF8, 0x01, 0x41, 0x3F, 0x81}, sink);
    assembler.feed(Bytes{0x06}, sink);
    EXPECT_EQ(sink.frames, (std::vector<Bytes>{{0xF8, 0x01, 0x41, 0x3F, 0x81}}));
    EXPECT_EQ(sink.acks, 1);
}

TEST(ReplyAssembly, bothLinksTakeTheLongestReplyTheConsoleAsksFor)
{
    // The barrel pressure reply: 80 bytes on the line.
    const Bytes pressure = handBuiltFrame(0x01, "mP" + std::string(75, '1'));
    ASSERT_EQ(pressure.size(), 80u);
    SerialReplyAssembler serial;
    Sink serialSink;
    feed(serial, pressure, F8Mode, serialSink);
    NetworkReplyAssembler network;
    Sink networkSink;
    network.feed(pressure, networkSink);
    EXPECT_EQ(serialSink.frames, std::vector<Bytes>{pressure});
    EXPECT_EQ(networkSink.frames, std::vector<Bytes>{pressure});
    EXPECT_EQ(SerialReplyAssembler::BufferSize, NetworkReplyAssembler::BufferSize);
}

TEST(ReplyAssembly, eachRunOfSkippedBytesIsToldOnceWhenItEnds)
{
    const Bytes frame = {0xF8, 0x01, 0x41, 0x3F, 0x8F};
    Bytes runaway = {0xF8};
    runaway.resize(ReplyChecksum::LongestReply, 0x41);
    struct Row {
        const char* name;
        std::vector<Bytes> reads; // the network's reads; the serial line gets the same bytes
        bool settle;              // the line goes quiet afterwards
        std::vector<std::string> order;
        Bytes firstNoise;
    };
    const Row rows[] = {
        {"noise before a frame", {{0x13, 0x00, 0xAA}, frame}, false, {"noise 3", "frame"}, {0x13, 0x00, 0xAA}},
        {"noise before an ack", {{0x55, 0x55}, {0x06}}, false, {"noise 2", "ack"}, {0x55, 0x55}},
        {"noise as the line goes quiet", {frame, {0x7F}}, true, {"frame", "noise 1"}, {0x7F}},
        {"a frame given up", {runaway, frame}, false, {"noise 96", "frame"},
         Bytes(runaway.begin(), runaway.begin() + NoiseRun::Kept)},
        {"a long run keeps its first bytes", {Bytes(200, 0x33), frame}, false, {"noise 200", "frame"},
         Bytes(NoiseRun::Kept, 0x33)},
        {"no noise, nothing told", {frame, frame}, true, {"frame", "frame"}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SerialReplyAssembler serial;
        NetworkReplyAssembler network;
        Sink serialSink;
        Sink networkSink;
        for (const Bytes& read : row.reads) {
            feed(serial, read, F8Mode, serialSink);
            network.feed(read, networkSink);
        }
        if (row.settle) {
            serial.settle(serialSink);
            network.settle(networkSink);
        }
        for (const Sink* sink : {&serialSink, &networkSink}) {
            EXPECT_EQ(sink->order, row.order);
            EXPECT_EQ(sink->noise.empty() ? Bytes{} : sink->noise.front(), row.firstNoise);
        }
    }
}

TEST(NetworkReplyAssembly, runawayFrameIsDiscardedAtTheBufferSize)
{
    NetworkReplyAssembler assembler;
    Sink sink;
    Bytes runaway = {0xF8};
    runaway.resize(NetworkReplyAssembler::BufferSize, 0x41);
    runaway.insert(runaway.end(), {0x8F, 0xF8, 0x01, 0x41, 0x3F, 0x8F});
    assembler.feed(runaway, sink);
    EXPECT_EQ(sink.frames, (std::vector<Bytes>{{0xF8, 0x01, 0x41, 0x3F, 0x8F}}));
}

} // namespace
} // namespace tarn::test

namespace tarn::test {
namespace {

TEST(ReplyChecksum, onlyFramesThatPassTheirFormsCheckAreIntact)
{
    struct Row {
        const char* name;
        Bytes frame;
        bool intact;
    };
    Bytes goodF8 = handBuiltFrame(0x05, "L?0");
    Bytes badF8 = goodF8;
    badF8.back() ^= 0x01;
    Bytes goodStx = handBuiltFrame(0x05, "L0");
    goodStx.front() = 0x02;
    goodStx.push_back(0x03);
    Bytes noEtx = goodStx;
    noEtx.back() = 0x04;
    const Row rows[] = {
        {"F8", goodF8, true},
        {"F8 one bit off", badF8, false},
        {"the forged address reply", {0xF8, 0x09, 0x41, 0x30, 0x30, 0x30, 0x37, 0x80}, false},
        {"extended address digits count", handBuiltFrame(0xFE, "1000L0"), true},
        {"STX with ETX after the checksum", goodStx, true},
        {"STX without ETX", noEtx, false},
        {"STX too short for a checksum", {0x02, 0x01, 0x03}, false},
        {"pass-through sums to zero", {0xFF, 0x08, 0x07, 0x03, 0x00, 0x05, 0x00, 0x00, 0x48, 0xA1}, true},
        {"pass-through off by one", {0xFF, 0x08, 0x07, 0x03, 0x00, 0x05, 0x00, 0x00, 0x48, 0xA0}, false},
        {"pass-through shorter than its length", {0xFF, 0x08, 0xF8}, false},
        {"start byte alone", {0xF8}, false},
        {"empty", {}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ReplyChecksum::intact(row.frame), row.intact);
    }
}

} // namespace
} // namespace tarn::test
