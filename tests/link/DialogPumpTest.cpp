#include "link/DialogPump.h"
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

TEST_F(DialogPumps, closingWhileAnAnswerIsAwaitedHandsTheQueueToTheMainWindow)
{
    {
        DialogPump pump(link, {1, 5, 2, 2000, false});
        pump.append("cPL"); // 'L' as third character: waits for a full reply
        pump.append("dAb");
        clock.advance(5);
        receive({0x06}); // the acknowledgement leaves the full reply awaited
        ASSERT_FALSE(link.queue().dataReplyDone);
    }
    // Without the dialog's hold time the main time-out ends the wait and the
    // main pump sends what is left.
    clock.advance(200);
    ASSERT_EQ(serial.writes.size(), 2u);
    EXPECT_EQ(serial.last()[2], 'd');
    EXPECT_EQ(serial.last()[3], 'A');
    EXPECT_TRUE(link.queue().empty());
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
