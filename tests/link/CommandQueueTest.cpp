#include "link/CommandQueue.h"
#include "platform/TimerIds.h"
#include "support/LinkFixture.h"

#include <string>

namespace tarn::test {
namespace {

std::string text(const CommandQueue::Entry& entry)
{
    return std::string(reinterpret_cast<const char*>(entry.data()));
}

TEST(CommandQueue, ringHoldsFiveHundredAndOneAndOverflowLosesOnlyTheOldest)
{
    CommandQueue queue;
    for (int i = 0; i < 502; ++i)
        queue.append("c" + std::to_string(i));
    EXPECT_EQ(queue.pending(), 501u);
    EXPECT_EQ(text(queue.take()), "c1");
    std::string last;
    while (!queue.empty())
        last = text(queue.take());
    EXPECT_EQ(last, "c501");
}

TEST(CommandQueue, indexesWrapAfterSlot500)
{
    CommandQueue queue;
    for (int i = 0; i < 500; ++i) {
        queue.append("x");
        queue.take();
    }
    EXPECT_EQ(queue.writeIndex(), 500u);
    queue.append("L?");
    EXPECT_EQ(queue.writeIndex(), 0u);
    EXPECT_EQ(text(queue.take()), "L?");
    EXPECT_EQ(queue.readIndex(), 0u);
}

TEST(CommandQueue, pumpTakesThirtyFiveBytesAndKeepsZerosOfPassThroughFrames)
{
    CommandQueue queue;
    queue.append(std::string(60, 'a'));
    const Bytes frame = {0xFF, 0x06, 0x07, 0x03, 0x01, 0x01, 0x00, 0xFF};
    queue.append(std::span(frame));
    const auto first = queue.take();
    EXPECT_EQ(text(first), std::string(35, 'a'));
    const auto second = queue.take();
    EXPECT_EQ(Bytes(second.begin(), second.begin() + 8), frame);
}

TEST(CommandQueue, fullReplyIsNeededForLThirdOrSFifth)
{
    struct Row {
        const char* command;
        bool full;
    };
    const Row rows[] = {{"L?", false}, {"cdS\x10", false}, {"cPS", false}, {"*TdxS", true},
                        {"tkL", true}, {"*PsS1", false}, {"", false}};
    for (const Row& row : rows) {
        CommandQueue queue;
        queue.append(row.command);
        EXPECT_EQ(CommandQueue::needsFullReply(queue.take()), row.full) << row.command;
    }
}

TEST(CommandQueue, supersedeKeepsOnlyTheNewest)
{
    CommandQueue queue;
    queue.append("first");
    queue.append("second");
    queue.supersedeWithLast();
    EXPECT_EQ(queue.pending(), 1u);
    EXPECT_EQ(text(queue.take()), "second");
}

class QueuePump : public LinkFixture {
protected:
    void acknowledge() { receive({0x06}); }
};

TEST_F(QueuePump, oneCommandOutstandingAndTheAckReleasesTheNext)
{
    link.enqueue("L?");
    link.enqueue("H?");
    clock.advance(5);
    ASSERT_EQ(serial.writes.size(), 1u);
    EXPECT_FALSE(link.queue().queueReady);
    clock.advance(50);
    EXPECT_EQ(serial.writes.size(), 1u);
    acknowledge();
    EXPECT_EQ(link.monitor().receiveLine(), " Ack");
    EXPECT_FALSE(clock.isRunning(link, TimerId::ResponseTimeout));
    clock.advance(50); // the pump's next tick, 100 ms after the send
    ASSERT_EQ(serial.writes.size(), 2u);
    EXPECT_EQ(serial.last()[2], 'H');
}

TEST_F(QueuePump, commandWithSFifthWaitsForItsReplyNotTheAck)
{
    link.enqueue("*TdxS");
    link.enqueue("L?");
    clock.advance(5);
    ASSERT_EQ(serial.writes.size(), 1u);
    EXPECT_FALSE(link.queue().dataReplyDone);
    acknowledge();
    clock.advance(80);
    EXPECT_EQ(serial.writes.size(), 1u); // the ack alone does not release it
    receive(cameraReply(0x01, "*TD"));
    EXPECT_TRUE(link.queue().dataReplyDone);
    clock.advance(20);
    EXPECT_EQ(serial.writes.size(), 2u);
}

TEST_F(QueuePump, silenceReleasesTheQueueAfterOneHundredMilliseconds)
{
    link.enqueue("*TdxS");
    link.enqueue("L?");
    clock.advance(5);
    clock.advance(99);
    EXPECT_FALSE(link.queue().queueReady);
    clock.advance(1);
    EXPECT_TRUE(link.queue().queueReady);
    EXPECT_TRUE(link.queue().dataReplyDone);
    EXPECT_TRUE(prompter.shown().empty());
    clock.advance(100); // the pump's next tick
    EXPECT_EQ(serial.writes.size(), 2u);
    // Once the queue is drained and answered the pump stops itself.
    clock.advance(200);
    EXPECT_FALSE(clock.isRunning(link, TimerId::QueuePump));
    EXPECT_FALSE(clock.isRunning(link, TimerId::ResponseTimeout));
}

TEST_F(QueuePump, nothingLeavesWhileBusy)
{
    link.state().busy = true;
    link.enqueue("L?");
    clock.advance(500);
    EXPECT_TRUE(serial.writes.empty());
    link.state().busy = false;
    clock.advance(100);
    EXPECT_EQ(serial.writes.size(), 1u);
}

TEST_F(QueuePump, passThroughEntryGetsTheAddressAndTheResponseTimeout)
{
    link.state().address = 5;
    link.state().protocolIndex = 4;
    const Bytes status = {0xFF, 0x06, 0x07, 0x03, 0x01, 0x01, 0x00, 0xFF};
    link.enqueue(std::span(status));
    clock.advance(5);
    EXPECT_EQ(serial.last(), (Bytes{0xFF, 0x06, 0x07, 0x03, 0x00, 0x05, 0x00, 0xEB}));
    EXPECT_TRUE(clock.isRunning(link, TimerId::ResponseTimeout));
    // The answer comes in length mode: FF 08 and eight bytes.
    receive({0xFF, 0x08, 0x07, 0x03, 0x00, 0x05, 0x00, 0x00, 0x48, 0xA1});
    EXPECT_EQ(events.javelin, (std::vector<std::pair<int, int>>{{8, 0x48}}));
    EXPECT_TRUE(link.queue().queueReady);
}

} // namespace
} // namespace tarn::test
