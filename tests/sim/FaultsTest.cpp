// The faults the simulator can put on the line on purpose.

#include "SimTestSupport.h"

#include "sim/FaultLayer.h"
#include "sim/ReplyFrames.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarn::sim::test {
namespace {

const Answer Ack = ReplyFrames::acknowledgement();
const Answer Reply{Answer::Kind::Reply, {0xF8, 0x01, 0x4C, 0x42, 0x41, 0x30, 0x8E}, 6};

Faults faultsFrom(std::initializer_list<const char*> names)
{
    Faults faults;
    for (const char* name : names)
        EXPECT_EQ(faults.set(name), "") << name;
    return faults;
}

Bytes concatenated(const std::vector<TimedWrite>& writes)
{
    Bytes all;
    for (const TimedWrite& write : writes)
        all.insert(all.end(), write.bytes.begin(), write.bytes.end());
    return all;
}

TEST(FaultLayer, WithoutFaultsAnswersGoOutWholeAndAtOnce)
{
    FaultLayer layer;
    for (const Answer& answer : {Ack, Reply}) {
        const auto writes = layer.shape(answer);
        ASSERT_EQ(writes.size(), 1u);
        EXPECT_EQ(writes[0].delay, 0ms);
        EXPECT_EQ(writes[0].bytes, answer.bytes);
        EXPECT_EQ(writes[0].logged, answer.bytes);
    }
}

TEST(FaultLayer, SilentSendsNothing)
{
    FaultLayer layer(faultsFrom({"silent"}));
    EXPECT_TRUE(layer.shape(Ack).empty());
    EXPECT_TRUE(layer.shape(Reply).empty());
}

TEST(FaultLayer, DropAckKeepsReplies)
{
    FaultLayer layer(faultsFrom({"drop-ack"}));
    EXPECT_TRUE(layer.shape(Ack).empty());
    EXPECT_EQ(concatenated(layer.shape(Reply)), Reply.bytes);
}

TEST(FaultLayer, LateDelaysEveryAnswer)
{
    FaultLayer layer(faultsFrom({"late=150"}));
    for (const Answer& answer : {Ack, Reply}) {
        const auto writes = layer.shape(answer);
        ASSERT_EQ(writes.size(), 1u);
        EXPECT_EQ(writes[0].delay, 150ms);
        EXPECT_EQ(writes[0].bytes, answer.bytes);
    }
}

TEST(FaultLayer, SplitWritesPiecesInOrderWithGaps)
{
    FaultLayer layer(faultsFrom({"split", "late=20"}));
    const auto writes = layer.shape(Reply);
    ASSERT_GE(writes.size(), 3u);
    EXPECT_EQ(concatenated(writes), Reply.bytes);
    EXPECT_EQ(writes.front().delay, 20ms);
    for (std::size_t i = 1; i < writes.size(); ++i)
        EXPECT_GT(writes[i].delay, writes[i - 1].delay);
    EXPECT_EQ(writes.front().logged, Reply.bytes) << "the log shows the frame once, whole";
    EXPECT_TRUE(writes.back().logged.empty());
    EXPECT_EQ(concatenated(layer.shape(Ack)), Ack.bytes);
}

TEST(FaultLayer, BadChecksumSpoilsRepliesOnly)
{
    FaultLayer layer(faultsFrom({"bad-checksum"}));
    const Bytes spoilt = concatenated(layer.shape(Reply));
    ASSERT_EQ(spoilt.size(), Reply.bytes.size());
    EXPECT_TRUE(std::equal(spoilt.begin(), spoilt.end() - 1, Reply.bytes.begin()));
    EXPECT_NE(spoilt.back(), Reply.bytes.back());
    EXPECT_GE(spoilt.back(), 0x80) << "the console must still see where the frame ends";
    EXPECT_LE(spoilt.back(), 0x8F);
    EXPECT_EQ(concatenated(layer.shape(Ack)), Ack.bytes);
}

TEST(FaultLayer, GarbageFollowsTheAnswerAndIsNeverAFrameByte)
{
    FaultLayer layer(faultsFrom({"garbage=7"}));
    for (int round = 0; round < 200; ++round) {
        const auto writes = layer.shape(round % 2 ? Ack : Reply);
        ASSERT_EQ(writes.size(), 2u);
        EXPECT_EQ(writes[0].bytes, (round % 2 ? Ack : Reply).bytes);
        const Bytes& noise = writes[1].bytes;
        ASSERT_FALSE(noise.empty());
        for (const std::uint8_t byte : noise) {
            for (const std::uint8_t framing : {0xF8, 0xFF, 0xFE, 0x7E, 0x02, 0x03, 0x06, 0x15})
                ASSERT_NE(byte, framing);
        }
    }
}

TEST(FaultLayer, FaultsCanChangeWhileRunning)
{
    FaultLayer layer;
    layer.setFaults(faultsFrom({"silent"}));
    EXPECT_TRUE(layer.shape(Reply).empty());
    layer.setFaults({});
    EXPECT_EQ(concatenated(layer.shape(Reply)), Reply.bytes);
}

struct FaultName {
    const char* text;
    bool accepted;
};

// Test failures name the case rather than dump its bytes.
void PrintTo(const FaultName& value, std::ostream* out)
{
    *out << value.text;
}

class FaultNames : public ::testing::TestWithParam<FaultName> {};

TEST_P(FaultNames, Parse)
{
    Faults faults;
    EXPECT_EQ(faults.set(GetParam().text).empty(), GetParam().accepted) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultNames,
                         ::testing::Values(FaultName{"silent", true}, FaultName{"late=150", true},
                                           FaultName{"late", false}, FaultName{"late=0", false},
                                           FaultName{"late=15x", false}, FaultName{"drop-ack", true},
                                           FaultName{"split", true}, FaultName{"garbage", true},
                                           FaultName{"garbage=42", true}, FaultName{"garbage=x", false},
                                           FaultName{"bad-checksum", true}, FaultName{"split=2", false},
                                           FaultName{"slow", false}));

// Through the whole simulator: a late answer does not overtake, and the line
// carries one answer at a time.
TEST(FaultsOnTheLine, LateAnswersKeepTheirOrder)
{
    Simulator::Settings settings;
    settings.faults = faultsFrom({"late=150", "split"});
    SimDriver camera(settings);
    Simulator& simulator = camera.simulator();
    const TimePoint start = camera.now();
    simulator.receive(tarnFrame(1, "L?"), start);
    simulator.receive(tarnFrame(1, "ZS"), start + 10ms);
    EXPECT_EQ(simulator.nextDue(), start + 150ms);
    EXPECT_TRUE(simulator.takeDue(start + 149ms).empty());
    const Bytes all = camera.drain();
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.back(), 0x06) << "the acknowledgement of the second command comes last";
    EXPECT_EQ(Bytes(all.begin(), all.end() - 1), (Bytes{0xF8, 0x01, 0x4C, 0x42, 0x41, 0x30, 0x8E}));
}

TEST(FaultsOnTheLine, ANewConnectionForgetsPendingAnswers)
{
    Simulator::Settings settings;
    settings.faults = faultsFrom({"late=150"});
    SimDriver camera(settings);
    camera.simulator().receive(tarnFrame(1, "L?"), camera.now());
    camera.simulator().lineReset();
    EXPECT_FALSE(camera.simulator().nextDue());
}

} // namespace
} // namespace tarn::sim::test
