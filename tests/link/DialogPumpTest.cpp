#include "link/DialogPump.h"
#include "platform/TimerIds.h"
#include "support/LinkFixture.h"

namespace tarn::test {
namespace {

class DialogPumps : public LinkFixture {};

TEST_F(DialogPumps, sendsOneAtATimeSetsReplyWantedAndHoldsUntilAnswerOrHoldTime)
{
    DialogPump pump(link, {10, 50, 11, 500, true});
    pump.append("cDS");
    pump.append("cWS");
    clock.advance(50);
    ASSERT_EQ(serial.writes.size(), 1u);
    EXPECT_TRUE(link.state().replyWanted);
    // The main window's 100 ms time-out releases the flags before the hold ends.
    clock.advance(100);
    EXPECT_EQ(serial.writes.size(), 2u);

    // No answer and the main response time-out stopped: the hold time decides.
    link.queue().queueReady = false;
    pump.append("cXS");
    clock.stop(link, 21);
    clock.advance(499);
    EXPECT_EQ(serial.writes.size(), 2u);
    clock.advance(51);
    EXPECT_EQ(serial.writes.size(), 3u);
}

TEST_F(DialogPumps, nothingIsQueuedOrSentWhileTheDialogInitialises)
{
    DialogPump pump(link, {});
    pump.setInitialising(true);
    pump.append("mWS");
    clock.advance(1000);
    EXPECT_TRUE(link.queue().empty());
    EXPECT_TRUE(serial.writes.empty());
}

TEST_F(DialogPumps, stopsItsTimersWhenDrainedAndAnswered)
{
    DialogPump pump(link, {10, 5, 11, 2000, false});
    pump.append("mWS");
    clock.advance(5);
    EXPECT_FALSE(link.state().replyWanted);
    receive({0x06});
    clock.advance(5);
    EXPECT_FALSE(clock.isRunning(pump, 10));
    EXPECT_FALSE(clock.isRunning(pump, 11));
}

// Records what the link tells the traffic record.
struct TrafficNotes : TrafficObserver {
    std::vector<std::pair<TrafficVerdict, std::string>> events;
    void traffic(const TrafficEvent& event) override
    {
        events.emplace_back(event.verdict, std::string(event.bytes.begin(), event.bytes.end()));
    }
    void replyRouted(ReplyDestination) override {}
};

TEST_F(DialogPumps, closingWhileAnAnswerIsAwaitedHandsTheWaitToTheMainWindowAndDropsWhatItDidNotSend)
{
    TrafficNotes notes;
    link.setTrafficObserver(&notes);
    {
        DialogPump pump(link, {1, 5, 2, 2000, false});
        pump.append("cPL"); // 'L' as third character: waits for a full reply
        pump.append("dAb");
        clock.advance(5);
        receive({0x06}); // the acknowledgement leaves the full reply awaited
        ASSERT_FALSE(link.queue().dataReplyDone);
        link.state().replyWanted = link.state().privacyReplyWanted = true;
    }
    // Without the dialog's hold time the main time-out ends the wait; what
    // the dialog had not sent stays unsent, and says so in the record.
    EXPECT_TRUE(link.queue().empty());
    EXPECT_FALSE(link.state().replyWanted);
    EXPECT_FALSE(link.state().privacyReplyWanted);
    ASSERT_FALSE(notes.events.empty());
    EXPECT_EQ(notes.events.back(), std::make_pair(TrafficVerdict::Refused, std::string("dAb")));
    clock.advance(200);
    EXPECT_EQ(serial.writes.size(), 1u);
    EXPECT_TRUE(link.queue().dataReplyDone);
    link.setTrafficObserver(nullptr);
}

TEST_F(DialogPumps, whileTheLineIsAwayNoPumpTakesAnythingAndTheOwnerGoesOnInOrder)
{
    const std::string tour = "*TP1" + std::string(33, '\x10'); // a 37-byte command
    DialogPump pump(link, {10, 100, 11, 1000, true, true});
    pump.append("*SS1");
    link.setQueuePaused(true);
    pump.append(tour);
    link.enqueue("L?"); // the main window's poll, while the dialog is open
    clock.advance(5000);
    ASSERT_EQ(takeSent(), std::vector<std::string>{});
    EXPECT_EQ(link.queue().pending(), 3u);

    link.setQueuePaused(false); // the line is back: the dialog's pump goes on
    for (int i = 0; i < 3; ++i) {
        clock.advance(100);
        receive({0x06});
    }
    EXPECT_EQ(takeSent(), (std::vector<std::string>{"*SS1", tour, "L?"}));
    EXPECT_FALSE(clock.isRunning(link, TimerId::QueuePump));
}

TEST_F(DialogPumps, onlyTheNewestDialogTakesFromTheQueueAndTheOneBelowGoesOnAfterIt)
{
    DialogPump outer(link, {10, 50, 11, 500, true});
    {
        DialogPump inner(link, {10, 5, 11, 2000, false});
        outer.append("cDS"); // queued by the dialog below: the newest pump sends it
        inner.append("c*Z?");
        clock.advance(50);
        EXPECT_EQ(takeSent(), std::vector<std::string>{"cDS"});
        receive({0x06});
        clock.advance(5);
        EXPECT_EQ(takeSent(), std::vector<std::string>{"c*Z?"});
        receive({0x06});
        inner.append("c*Z1"); // not sent before the dialog closes
    }
    EXPECT_TRUE(link.queue().empty());
    outer.append("cWS");
    clock.advance(50);
    EXPECT_EQ(takeSent(), std::vector<std::string>{"cWS"});
}

TEST_F(DialogPumps, deferredSendWaitsForTheLineAndSendsTheNewestWhenItIsBack)
{
    DeferredSend deferred(link);
    link.setQueuePaused(true);
    deferred.send("sB1");
    deferred.send("sB2");
    clock.advance(1000);
    EXPECT_TRUE(serial.writes.empty());
    link.setQueuePaused(false);
    clock.advance(5);
    EXPECT_EQ(takeSent(), std::vector<std::string>{"sB2"});
}

TEST_F(DialogPumps, takesTheWholeSlotOnlyWhenConfiguredTo)
{
    const std::string command = "*TP1" + std::string(33, '\x10');
    for (const bool wholeSlot : {false, true}) {
        serial.writes.clear();
        DialogPump pump(link, {10, 100, 11, 1000, true, wholeSlot});
        pump.append(command);
        clock.advance(100);
        ASSERT_EQ(serial.writes.size(), 1u);
        const Bytes& frame = serial.writes[0];
        // F8, address, text, checksum.
        EXPECT_EQ(std::string(frame.begin() + 2, frame.end() - 1),
                  wholeSlot ? command : command.substr(0, CommandQueue::SentLength));
        clock.advance(1000);
    }
}

TEST_F(DialogPumps, deferredSendSupersedesWhatHasNotGoneOut)
{
    DeferredSend deferred(link);
    deferred.send("sB1");
    deferred.send("sB2");
    clock.advance(5);
    ASSERT_EQ(serial.writes.size(), 1u);
    EXPECT_EQ(serial.last()[4], '2');
    // It does not wait for the link to be ready.
    deferred.send("sB3");
    clock.advance(5);
    EXPECT_EQ(serial.writes.size(), 2u);
    clock.advance(100);
    EXPECT_EQ(serial.writes.size(), 2u);

    deferred.setSuppressed(true);
    deferred.send("sB4");
    clock.advance(10);
    EXPECT_EQ(serial.writes.size(), 2u);
}

} // namespace
} // namespace tarn::test
